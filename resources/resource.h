// Numbers of Vela's embedded resources and of the controls in its dialogs.
// Shared by the resource script and the C++ code, so plain #defines only.
#ifndef VELA_RESOURCE_H
#define VELA_RESOURCE_H

// Icons
#define IDR_MAINFRAME 128  // the application, its windows and the tray
#define IDI_MENU_ITEM 135  // beside every function menu entry
#define IDI_PAUSED 136     // the tray while remapping is paused

// Dialogs
#define IDD_VELA_DIALOG 102  // the skinned main window
#define IDD_SHOWTEXT 149     // the description entry
#define IDD_KEYCHORD 160     // "Keys and Shortcuts...": a shortcut pressed
#define IDD_TYPETEXT 161     // "Type Text...": the text a press types
#define IDD_PICKWINDOW 162   // "The Window Under the Pointer...": a window profile
#define IDD_GESTURES 163     // "Gestures...": the four directions and the click

// Menus
#define IDR_SCRIPT_MENU 148
#define IDR_TRAY_MENU 151

// Bitmaps
#define IDB_MENU_ROOT 150  // function menu root; also the entry dialog's face
#define IDB_MENU_SUB 156   // function submenus
#define IDB_MENU_WIN8 157  // the Windows 8 shortcut submenu

// PNG images (resource type "PNG"), each drawn at 100 % and at 200 %
#define IDP_SKIN 140  // the main window's skin
#define IDP_SKIN_2X 141
#define IDP_SAVE_AND_EXIT 145
#define IDP_SAVE_AND_EXIT_2X 146
#define IDP_CLOSE 147
#define IDP_CLOSE_2X 152

// Main window controls. The close cross is the dialog's IDOK button; the
// value is the platform's, for code that does not include it.
#ifndef IDOK
#define IDOK 1
#endif
#define IDC_CAPTION_R 1000
#define IDC_CAPTION_M 1001
#define IDC_CAPTION_X1 1002
#define IDC_CAPTION_X2 1003
#define IDC_CAPTION_WD 1004
#define IDC_CAPTION_WU 1005
#define IDC_CAPTION_DPI 1006
#define IDC_SAVE_AND_EXIT 1007
#define IDC_SCRIPT_MENU 1008
#define IDC_SPARE_BUTTON 1009
#define IDC_CAPTION_WL 1010
#define IDC_LOGO 1011
#define IDC_LABEL_R 1012
#define IDC_LABEL_M 1013
#define IDC_LABEL_WU 1014
#define IDC_LABEL_WD 1015
#define IDC_LABEL_X1 1016
#define IDC_LABEL_X2 1017
#define IDC_LABEL_DPI 1018
#define IDC_CAPTION_WR 1019
#define IDC_CAPTION_ALTTAB 1020
#define IDC_LABEL_WR 1026
#define IDC_LABEL_WL 1027
#define IDC_LABEL_ALTTAB 1028

// Description entry controls
#define IDC_ENTRY_TEXT 1024

// Shortcut dialog controls
#define IDC_CHORD_PROMPT 1030
#define IDC_CHORD_TEXT 1031  // the shortcut as pressed so far
#define IDC_CHORD_LIST_LABEL 1032
#define IDC_CHORD_LIST 1033  // the keys a keyboard lacks
#define IDC_CHORD_CLEAR 1034

// Text dialog controls
#define IDC_TYPED_PROMPT 1035
#define IDC_TYPED_TEXT 1036
#define IDC_TYPED_COUNT 1037  // how much of the limit the text takes

// Window picker controls
#define IDC_PICK_PROMPT 1038
#define IDC_PICK_PROGRAM 1039
#define IDC_PICK_CLASS 1040
#define IDC_PICK_TITLE 1041
#define IDC_PICK_AGAIN 1042

// Gestures dialog controls: a button per row (up, down, left, right, click)
// and a "Repeat" box per direction, each in that order
#define IDC_GESTURE_PROMPT 1043
#define IDC_GESTURE_UP 1044
#define IDC_GESTURE_CLICK 1048
#define IDC_GESTURE_REPEAT_UP 1049
#define IDC_GESTURE_REPEAT_RIGHT 1052

// Script menu commands
#define ID_SCRIPT_SAVE 32772
#define ID_SCRIPT_EXIT 32774
#define ID_SCRIPT_RENAME 32776
#define ID_SCRIPT_SAVE_AS 32777
#define ID_SCRIPT_OPEN 32778

// Tray menu commands
#define ID_TRAY_HIDE 32779
#define ID_TRAY_SHOW 32780
#define ID_TRAY_AUTOSTART 32781
#define ID_TRAY_EXIT 32782
#define ID_TRAY_RESET 32784
#define ID_TRAY_PAUSE 32785
#define ID_TRAY_NOTICE 32786
#define ID_TRAY_WHEEL 32787

#endif
