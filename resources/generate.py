#!/usr/bin/env python3
"""Draws Vela's skin, buttons, icons and menu backgrounds, and writes the main
dialog's template from the same layout, so the controls sit on the places the
skin draws for them.

Needs ImageMagick's `convert`. The outputs are committed, so a build never runs
this; run it again after changing the layout or the look:

    resources/generate.py
"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
IMAGES = os.path.join(HERE, "images")

# Outside the outline every pixel is exactly this colour; the window makes it
# transparent.
KEY = "rgb(248,31,106)"
W, H = 636, 468

# Dialog units of "MS Shell Dlg" 8 pt at 96 DPI under Wine (6 x 12 pixels base units):
# one unit is 1.5 px either way.
BASE_X, BASE_Y = 6, 12

FONT = "Liberation-Sans"
FONT_BOLD = "Liberation-Sans-Bold"

PANEL = "#14181e"
PLATE_FILL = "#1c2129"
PLATE_EDGE = "#2e3541"
LEADER = "#46505f"
BODY = "#262b33"
BODY_EDGE = "#566072"
GREEN = "#00c814"
TEXT_DIM = "#7d8796"

# Caption plates: (caption control, label control, caption, label, column, row,
# leader target or None). Column 0 is left, 1 right.
PLATE_W, PLATE_H = 170, 46
COLUMN_X = (24, W - 24 - PLATE_W)
ROW_Y = (84, 146, 208, 270, 332)

PLATES = [
    ("IDC_CAPTION_M", "IDC_LABEL_M", "Middle Button", "Middle Button", 0, 0, (305, 112)),
    ("IDC_CAPTION_WL", "IDC_LABEL_WL", "Tilt Left", "Tilt Left", 0, 1, (292, 126)),
    ("IDC_CAPTION_X1", "IDC_LABEL_X1", "Forward", "Back", 0, 2, (216, 238)),
    ("IDC_CAPTION_X2", "IDC_LABEL_X2", "Back", "Forward", 0, 3, (216, 280)),
    ("IDC_CAPTION_DPI", "IDC_LABEL_DPI", "DPI Switch", "800 - 1600 - 3200", 0, 4, (311, 178)),
    ("IDC_CAPTION_R", "IDC_LABEL_R", "Right Button", "Right Button", 1, 0, (372, 128)),
    ("IDC_CAPTION_WU", "IDC_LABEL_WU", "Wheel Up", "Wheel Up", 1, 1, (330, 104)),
    ("IDC_CAPTION_WD", "IDC_LABEL_WD", "Wheel Down", "Wheel Down", 1, 2, (330, 148)),
    ("IDC_CAPTION_WR", "IDC_LABEL_WR", "Tilt Right", "Tilt Right", 1, 3, (344, 126)),
    ("IDC_CAPTION_ALTTAB", "IDC_LABEL_ALTTAB", "ALT + TAB", "ALT + TAB", 1, 4, None),
]

SAVE_W, SAVE_H = 220, 38
SAVE_X, SAVE_Y = (W - SAVE_W) // 2, 414
CLOSE_W, CLOSE_H = 16, 17
CLOSE_X, CLOSE_Y = W - 24 - CLOSE_W, 24
SCRIPTS = (COLUMN_X[1], 22, 80, 22)   # the script menu button
VERSION = (COLUMN_X[1] + 84, 22, 60, 22)  # a plain tag
LOGO = (24, 14, 200, 44)

CX = W // 2  # the mouse's centre line


def run(*args):
    subprocess.run(["convert", *args], check=True)


def plate_rect(column, row):
    return COLUMN_X[column], ROW_Y[row], PLATE_W, PLATE_H


def caption_rect(column, row):
    x, y, w, _ = plate_rect(column, row)
    return x + 8, y + 3, w - 16, 20


def label_rect(column, row):
    x, y, w, _ = plate_rect(column, row)
    return x + 8, y + 26, w - 16, 16


# ---- The skin ---------------------------------------------------------------

MOUSE_BODY = (
    f"M {CX},68 C {CX + 62},68 {CX + 94},114 {CX + 96},184 "
    f"C {CX + 98},254 {CX + 84},292 {CX + 86},330 "
    f"C {CX + 88},378 {CX + 52},398 {CX},398 "
    f"C {CX - 52},398 {CX - 88},378 {CX - 86},330 "
    f"C {CX - 84},292 {CX - 98},254 {CX - 96},184 "
    f"C {CX - 94},114 {CX - 62},68 {CX},68 Z"
)


def skin_draw_commands():
    d = []
    # Header: a thin rule under the title area.
    d += ["-stroke", "#2a303a", "-strokewidth", "1", "-draw", f"line 24,64 {W - 24},64"]
    # Plates and their leaders.
    for _, _, _, _, column, row, target in PLATES:
        x, y, w, h = plate_rect(column, row)
        d += ["-stroke", PLATE_EDGE, "-strokewidth", "1", "-fill", PLATE_FILL,
              "-draw", f"roundrectangle {x},{y} {x + w},{y + h} 7,7"]
        d += ["-stroke", "#262c36", "-draw", f"line {x + 12},{y + 24} {x + w - 12},{y + 24}"]
        # A green tick on the inner edge marks the plate as live.
        tick_x = x + w - 3 if column == 0 else x + 1
        d += ["-stroke", "none", "-fill", GREEN,
              "-draw", f"rectangle {tick_x},{y + 8} {tick_x + 2},{y + 17}"]
    # Mouse shadow, body, highlights.
    d += ["-stroke", "none", "-fill", "rgba(0,0,0,0.45)",
          "-draw", f"translate 4,6 path '{MOUSE_BODY}'"]
    d += ["-stroke", BODY_EDGE, "-strokewidth", "2", "-fill", BODY,
          "-draw", f"path '{MOUSE_BODY}'"]
    d += ["-stroke", "none", "-fill", "rgba(255,255,255,0.05)",
          "-draw", f"path 'M {CX},72 C {CX + 56},72 {CX + 88},116 {CX + 90},184 "
                   f"L {CX},206 L {CX - 90},184 C {CX - 88},116 {CX - 56},72 {CX},72 Z'"]
    # Button split and the rear edge of the buttons.
    d += ["-stroke", "#11141a", "-strokewidth", "2", "-fill", "none",
          "-draw", f"line {CX},70 {CX},96",
          "-draw", f"line {CX},156 {CX},196",
          "-draw", f"path 'M {CX - 94},196 C {CX - 50},214 {CX + 50},214 {CX + 94},196'"]
    # Side buttons on the left flank: Forward in front, Back behind.
    for top in (222, 264):
        d += ["-stroke", "#7a8496", "-strokewidth", "1", "-fill", "#3b424e",
              "-draw", f"roundrectangle {CX - 104},{top} {CX - 90},{top + 34} 6,6"]
    # Wheel glow, wheel, ridges.
    for grow, alpha in ((9, 0.06), (6, 0.10), (3, 0.18)):
        d += ["-stroke", "none", "-fill", f"rgba(0,200,20,{alpha})",
              "-draw", f"roundrectangle {CX - 10 - grow},{100 - grow} {CX + 10 + grow},{152 + grow} "
                       f"{9 + grow},{9 + grow}"]
    d += ["-stroke", GREEN, "-strokewidth", "2", "-fill", "#0d1013",
          "-draw", f"roundrectangle {CX - 10},100 {CX + 10},152 9,9"]
    for ry in range(108, 148, 6):
        d += ["-stroke", "#2f6b36", "-strokewidth", "1", "-draw", f"line {CX - 5},{ry} {CX + 5},{ry}"]
    # Tilt arrows either side of the wheel.
    d += ["-stroke", "none", "-fill", "#8a94a6",
          "-draw", f"polygon {CX - 26},126 {CX - 18},120 {CX - 18},132",
          "-draw", f"polygon {CX + 26},126 {CX + 18},120 {CX + 18},132"]
    # DPI button behind the wheel, with three level lights.
    d += ["-stroke", "#6a7382", "-strokewidth", "1", "-fill", "#101317",
          "-draw", f"roundrectangle {CX - 7},166 {CX + 7},190 4,4"]
    for i, colour in enumerate((GREEN, GREEN, "#24462a")):
        d += ["-stroke", "none", "-fill", colour,
              "-draw", f"rectangle {CX + 12},{170 + i * 6} {CX + 16},{173 + i * 6}"]
    # Palm light strip and the maker's mark.
    for width, colour in ((9, "rgba(0,200,20,0.10)"), (5, "rgba(0,200,20,0.25)"), (2, GREEN)):
        d += ["-stroke", colour, "-strokewidth", str(width), "-fill", "none",
              "-draw", f"path 'M {CX - 54},356 C {CX - 24},374 {CX + 24},374 {CX + 54},356'"]
    d += ["-stroke", "none", "-fill", "#3d4554", "-font", FONT_BOLD, "-pointsize", "15",
          "-gravity", "NorthWest", "-draw", f"text {CX - 21},318 'VELA'"]
    # Leaders from the plates to the parts they name, over the body.
    for _, _, _, _, column, row, target in PLATES:
        if target is None:
            continue
        x, y, w, _ = plate_rect(column, row)
        start_x = x + w if column == 0 else x
        start_y = y + 13
        # Straight out to just beside the body, then in to the part.
        elbow_x = CX - 118 if column == 0 else CX + 118
        d += ["-stroke", LEADER, "-strokewidth", "1", "-fill", "none",
              "-draw", f"polyline {start_x},{start_y} {elbow_x},{start_y} {target[0]},{target[1]}"]
        d += ["-stroke", "none", "-fill", GREEN,
              "-draw", f"circle {target[0]},{target[1]} {target[0] + 2.5},{target[1]}"]
    # Title.
    d += ["-stroke", "none", "-fill", "#e6eaf0", "-font", FONT_BOLD, "-pointsize", "24",
          "-draw", f"text {LOGO[0] + 4},{LOGO[1] + 4} 'VELA'"]
    d += ["-fill", TEXT_DIM, "-font", FONT, "-pointsize", "11",
          "-draw", f"text {LOGO[0] + 80},{LOGO[1] + 15} 'MOUSE REMAPPING'"]
    d += ["-fill", GREEN, "-draw", f"rectangle {LOGO[0] + 4},{LOGO[1] + 36} {LOGO[0] + 58},{LOGO[1] + 37}"]
    # Script and version tags sit on small plates.
    for x, y, w, h in (SCRIPTS, VERSION):
        d += ["-stroke", PLATE_EDGE, "-strokewidth", "1", "-fill", PLATE_FILL,
              "-draw", f"roundrectangle {x},{y} {x + w},{y + h} 5,5"]
    return d


def make_skin(path):
    with tempfile.TemporaryDirectory() as tmp:
        art = os.path.join(tmp, "art.png")
        mask = os.path.join(tmp, "mask.png")
        run("-size", f"{W}x{H}", f"gradient:#1b2028-#0c0e12", "-gravity", "NorthWest",
            *skin_draw_commands(), art)
        # The outline is drawn without smoothing: a blended edge pixel would
        # be neither skin nor exactly the key colour, and show as a pink fringe.
        run("-size", f"{W}x{H}", "xc:black", "+antialias", "-fill", "white",
            "-draw", f"roundrectangle 2,2 {W - 3},{H - 3} 26,26", mask)
        run(art, mask, "-alpha", "off", "-compose", "CopyOpacity", "-composite",
            "-background", KEY, "-compose", "Over", "-flatten", "-alpha", "off",
            "-type", "TrueColor", f"BMP3:{path}")


# ---- Image buttons ----------------------------------------------------------

def make_save_button(path):
    run("-size", f"{SAVE_W}x{SAVE_H}", "xc:none",
        "-fill", "rgba(0,0,0,0.5)", "-draw", f"roundrectangle 2,4 {SAVE_W - 1},{SAVE_H - 1} 17,17",
        "-fill", "#0f7a1e", "-draw", f"roundrectangle 0,0 {SAVE_W - 3},{SAVE_H - 5} 16,16",
        "-fill", "#13a126", "-draw", f"roundrectangle 1,1 {SAVE_W - 4},{SAVE_H - 12} 15,12",
        "-fill", "rgba(255,255,255,0.18)", "-draw", f"roundrectangle 6,2 {SAVE_W - 9},12 10,5",
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", "15", "-gravity", "center",
        "-annotate", "+0-2", "SAVE AND EXIT", f"PNG32:{path}")


def make_close_button(path):
    run("-size", f"{CLOSE_W}x{CLOSE_H}", "xc:none",
        "-stroke", "#c9d0db", "-strokewidth", "2.4", "-draw", "stroke-linecap round",
        "-draw", "line 3.5,4 12.5,13", "-draw", "line 12.5,4 3.5,13", f"PNG32:{path}")


# ---- Icons ------------------------------------------------------------------

def icon_layer(size, out):
    s = size / 64.0
    body = (f"M {32 * s},{8 * s} C {46 * s},{8 * s} {52 * s},{18 * s} {52 * s},{32 * s} "
            f"L {52 * s},{42 * s} C {52 * s},{53 * s} {44 * s},{58 * s} {32 * s},{58 * s} "
            f"C {20 * s},{58 * s} {12 * s},{53 * s} {12 * s},{42 * s} L {12 * s},{32 * s} "
            f"C {12 * s},{18 * s} {18 * s},{8 * s} {32 * s},{8 * s} Z")
    run("-size", f"{size}x{size}", "xc:none",
        "-fill", "#161a20", "-draw", f"roundrectangle 0,0 {size - 1},{size - 1} {12 * s},{12 * s}",
        "-fill", "#3a4250", "-stroke", "#8a94a6", "-strokewidth", str(max(1.0, 2 * s)),
        "-draw", f"path '{body}'",
        "-stroke", "#11141a", "-draw", f"line {32 * s},{9 * s} {32 * s},{28 * s}",
        "-stroke", "none", "-fill", GREEN,
        "-draw", f"roundrectangle {29 * s},{15 * s} {35 * s},{27 * s} {3 * s},{3 * s}",
        f"PNG32:{out}")


def make_app_icon(path):
    with tempfile.TemporaryDirectory() as tmp:
        layers = []
        for size in (16, 24, 32, 48, 256):
            layer = os.path.join(tmp, f"{size}.png")
            icon_layer(size, layer)
            layers.append(layer)
        run(*layers, path)


def make_menu_icon(path):
    run("-size", "16x16", "xc:none", "-fill", GREEN, "-stroke", "#0b5f16", "-strokewidth", "1",
        "-draw", "polygon 5,3 12,8 5,13", path)


# ---- Bitmaps for the menus and the entry dialog -------------------------------

def make_flat_grey(path):
    run("-size", "432x260", "xc:rgb(215,215,215)", "-type", "TrueColor", f"BMP3:{path}")


def make_menu_band(path, band):
    run("-size", "432x260", "xc:rgb(215,215,215)", "-fill", band, "-draw", "rectangle 0,0 21,259",
        "-fill", "rgb(200,200,200)", "-draw", "line 22,0 22,259", "-type", "TrueColor",
        f"BMP3:{path}")


# ---- The main dialog template -------------------------------------------------

def dlu(rect):
    x, y, w, h = rect
    return (round(x * 4 / BASE_X), round(y * 8 / BASE_Y),
            round(w * 4 / BASE_X), round(h * 8 / BASE_Y))


def control(text, ident, cls, style, rect):
    x, y, w, h = dlu(rect)
    return f'    CONTROL "{text}", {ident}, "{cls}", {style}, {x}, {y}, {w}, {h}\n'


def write_dialog(path):
    width, height = dlu((0, 0, W, H))[2:]
    out = ["// Generated by resources/generate.py from the skin's layout: edit there.\n\n",
           f"IDD_VELA_DIALOG DIALOGEX 0, 0, {width}, {height}\n",
           "STYLE DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX\n",
           "EXSTYLE WS_EX_APPWINDOW\n",
           'CLASS "VelaMainWindow"\n',
           'FONT 8, "MS Shell Dlg", 400, 0, 0x1\n',
           "BEGIN\n"]
    for cap_id, label_id, caption, label, column, row, _ in PLATES:
        out.append(control(caption, cap_id, "Button", "BS_OWNERDRAW | WS_TABSTOP",
                           caption_rect(column, row)))
        out.append(control(label, label_id, "Static", "SS_CENTER | SS_NOTIFY | SS_ENDELLIPSIS",
                           label_rect(column, row)))
    out.append(control("SCRIPTS", "IDC_SCRIPT_MENU", "Button", "BS_OWNERDRAW | WS_TABSTOP", SCRIPTS))
    out.append(control("v3.2.3", "IDC_SPARE_BUTTON", "Button", "BS_OWNERDRAW", VERSION))
    out.append(control("", "IDC_LOGO", "Static", "SS_LEFT", LOGO))
    out.append(control("", "IDC_SAVE_AND_EXIT", "Button", "BS_OWNERDRAW | WS_TABSTOP",
                       (SAVE_X, SAVE_Y, SAVE_W, SAVE_H)))
    out.append(control("", "IDOK", "Button", "BS_OWNERDRAW", (CLOSE_X, CLOSE_Y, CLOSE_W, CLOSE_H)))
    out.append("END\n")
    with open(path, "w", newline="\n") as f:
        f.writelines(out)


def main():
    os.makedirs(IMAGES, exist_ok=True)
    make_skin(os.path.join(IMAGES, "skin.bmp"))
    make_save_button(os.path.join(IMAGES, "save-and-exit.png"))
    make_close_button(os.path.join(IMAGES, "close.png"))
    make_app_icon(os.path.join(IMAGES, "vela.ico"))
    make_menu_icon(os.path.join(IMAGES, "menu-item.ico"))
    make_flat_grey(os.path.join(IMAGES, "menu-root.bmp"))
    make_menu_band(os.path.join(IMAGES, "menu-sub.bmp"), "rgb(120,128,140)")
    make_menu_band(os.path.join(IMAGES, "menu-win8.bmp"), "rgb(40,110,190)")
    write_dialog(os.path.join(HERE, "MainDialog.rc"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
