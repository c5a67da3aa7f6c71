; Vela's installer. Per user and without elevation, into the user's own
; programs folder: Vela keeps QmSetting.ini and ScriptsMacros beside itself,
; and there they stay writable and survive an update.
;
; Made by packaging/MakeInstaller.cmake (the `installer` target), which
; stages the program and writes CONFIG: the version, the folders, the lists
; of program files and, when signing, the commands that sign what this
; script writes.
Unicode true
Target amd64-unicode
!include "${CONFIG}"

!include LogicLib.nsh
!include MUI2.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vela"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Vela's own values: the Run entry's name and the application profile.
!define RUN_VALUE "Kestrel"
!define PROFILE_KEY "Software\Kestrel\Vela"
!define PROFILE_PARENT_KEY "Software\Kestrel"
; app/AppIdentity.h and resources/resource.h: the window a second start
; finds, its "Exit Application" command and the single-instance mutex.
!define WINDOW_CLASS "VelaMainWindow"
!define WINDOW_TITLE "Vela"
!define ID_TRAY_EXIT 32782
!define INSTANCE_MUTEX "kestrel"

Name "Vela ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vela"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Vela ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vela"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Vela ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${SOURCE}/resources/images/vela.ico"
!define MUI_UNICON "${SOURCE}/resources/images/vela.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vela.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "show"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vela"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; 1 when this run ended a running Vela: an update starts it again.
Var WasRunning

; Ends a running Vela as its tray's "Exit Application" does (it saves and
; lets go of every key it holds), then waits until the process is gone, so
; that its program and hook libraries can be replaced. The single-instance
; mutex lives exactly as long as the process.
!macro DEFINE_CLOSE_VELA un
Function ${un}CloseVela
    StrCpy $WasRunning 0
    FindWindow $0 "${WINDOW_CLASS}" "${WINDOW_TITLE}"
    ${If} $0 == 0
        Return
    ${EndIf}
    StrCpy $WasRunning 1
    DetailPrint "Ending the running Vela"
    SendMessage $0 ${WM_COMMAND} ${ID_TRAY_EXIT} 0 /TIMEOUT=5000
    StrCpy $1 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r2'
        ${If} $2 == 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r2)'
        Sleep 100
        IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 150
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_VELA ""
!insertmacro DEFINE_CLOSE_VELA "un."

Section "Vela" SectionProgram
    SectionIn RO
    Call CloseVela
    SetOutPath "$INSTDIR"
    !insertmacro INSTALL_PROGRAM_FILES
    ; The example macros: a user's edit of one is kept, as is every other
    ; file of the folder, the settings file among them.
    SetOverwrite off
    !insertmacro INSTALL_EXAMPLE_MACROS
    SetOverwrite on
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vela.lnk" "$INSTDIR\Vela.exe" "show" "$INSTDIR\Vela.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vela"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vela.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ; Back as it was, in the tray; its settings and its Run entry are the
    ; ones it left.
    ${If} $WasRunning == 1
        Exec '"$INSTDIR\Vela.exe"'
    ${EndIf}
SectionEnd

Section "un.Vela" SectionUninstallProgram
    SectionIn RO
    Call un.CloseVela
    !insertmacro REMOVE_PROGRAM_FILES
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\Vela.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKCU "${PROFILE_KEY}"
    DeleteRegKey /ifempty HKCU "${PROFILE_PARENT_KEY}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Only when empty: the user's settings and macros keep the folder.
    RMDir "$INSTDIR"
SectionEnd

; Off unless chosen: a removal before a reinstall should not cost the user
; their assignments and scripts.
Section /o "un.My settings and macros" SectionUninstallUserFiles
    Delete "$INSTDIR\QmSetting.ini"
    Delete "$INSTDIR\vel*.tmp"
    RMDir /r "$INSTDIR\ScriptsMacros"
    RMDir "$INSTDIR"
    ; Where Vela saves when its own folder cannot be written.
    Delete "$APPDATA\Vela\QmSetting.ini"
    RMDir "$APPDATA\Vela"
SectionEnd
