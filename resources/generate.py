#!/usr/bin/env python3
"""Draws Vela's skin, buttons, icons and menu backgrounds, and writes the main
window's layout (core/SkinLayout.h, in the skin's own pixels) and dialog template
from the same numbers, so the controls sit on the places the skin draws for
them at every display scale. The skin and the image buttons are drawn twice:
at 100 % and at 200 %; the window scales the nearer one at run time.

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

# The two fonts of the window's controls at 100 %: face, height in pixels
# (a cell height when positive, a character height when negative), average
# character width (0: the face's own), weight. Captions use the system font's
# metrics, labels the dialog font's (8 pt).
CAPTION_FONT = ("System", 16, 7, 700)
LABEL_FONT = ("MS Shell Dlg", -11, 0, 400)
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
    ("IDC_CAPTION_DPI", "IDC_LABEL_DPI", "All Programs", "Profile", 0, 4, (311, 178)),
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


def scaled(commands, scale):
    """The same drawing `scale` times larger: every primitive, its strokes and
    its text go through one affine transform."""
    if scale == 1:
        return commands
    out = []
    for i, word in enumerate(commands):
        if i > 0 and commands[i - 1] == "-draw":
            word = f"scale {scale},{scale} {word}"
        out.append(word)
    return out


def make_skin(path, scale=1):
    """The skin with an alpha channel: opaque inside the outline, clear
    outside. The window turns every clear pixel into its colour key."""
    w, h = W * scale, H * scale
    with tempfile.TemporaryDirectory() as tmp:
        art = os.path.join(tmp, "art.png")
        mask = os.path.join(tmp, "mask.png")
        run("-size", f"{w}x{h}", f"gradient:#1b2028-#0c0e12", "-gravity", "NorthWest",
            *scaled(skin_draw_commands(), scale), art)
        # The outline is drawn without smoothing: every pixel is skin or clear,
        # never half of each, so no edge pixel blends with the colour key.
        r = 26 * scale
        run("-size", f"{w}x{h}", "xc:black", "+antialias", "-fill", "white",
            "-draw", f"roundrectangle {2 * scale},{2 * scale} {w - 1 - 2 * scale},"
                     f"{h - 1 - 2 * scale} {r},{r}", mask)
        run(art, mask, "-alpha", "off", "-compose", "CopyOpacity", "-composite",
            "-define", "png:compression-level=9", f"PNG32:{path}")


# ---- Image buttons ----------------------------------------------------------

def make_save_button(path, scale=1):
    run("-size", f"{SAVE_W * scale}x{SAVE_H * scale}", "xc:none",
        *scaled(["-fill", "rgba(0,0,0,0.5)",
                 "-draw", f"roundrectangle 2,4 {SAVE_W - 1},{SAVE_H - 1} 17,17",
                 "-fill", "#0f7a1e", "-draw", f"roundrectangle 0,0 {SAVE_W - 3},{SAVE_H - 5} 16,16",
                 "-fill", "#13a126", "-draw", f"roundrectangle 1,1 {SAVE_W - 4},{SAVE_H - 12} 15,12",
                 "-fill", "rgba(255,255,255,0.18)",
                 "-draw", f"roundrectangle 6,2 {SAVE_W - 9},12 10,5"], scale),
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", str(15 * scale), "-gravity", "center",
        "-annotate", f"+0-{2 * scale}", "SAVE AND EXIT", f"PNG32:{path}")


def make_close_button(path, scale=1):
    run("-size", f"{CLOSE_W * scale}x{CLOSE_H * scale}", "xc:none",
        "-stroke", "#c9d0db", "-strokewidth", str(2.4 * scale), "-draw", "stroke-linecap round",
        *scaled(["-draw", "line 3.5,4 12.5,13", "-draw", "line 12.5,4 3.5,13"], scale),
        f"PNG32:{path}")


# ---- Icons ------------------------------------------------------------------

def icon_layer(size, out, paused=False):
    """The mouse on its dark tile; paused, the same mouse in greys with no
    green light, as the tray shows it while remapping is paused."""
    s = size / 64.0
    light, fill, edge = ("#70757e", "#4a4e55", "#7c8089") if paused else \
        (GREEN, "#3a4250", "#8a94a6")
    body = (f"M {32 * s},{8 * s} C {46 * s},{8 * s} {52 * s},{18 * s} {52 * s},{32 * s} "
            f"L {52 * s},{42 * s} C {52 * s},{53 * s} {44 * s},{58 * s} {32 * s},{58 * s} "
            f"C {20 * s},{58 * s} {12 * s},{53 * s} {12 * s},{42 * s} L {12 * s},{32 * s} "
            f"C {12 * s},{18 * s} {18 * s},{8 * s} {32 * s},{8 * s} Z")
    run("-size", f"{size}x{size}", "xc:none",
        "-fill", "#161a20", "-draw", f"roundrectangle 0,0 {size - 1},{size - 1} {12 * s},{12 * s}",
        "-fill", fill, "-stroke", edge, "-strokewidth", str(max(1.0, 2 * s)),
        "-draw", f"path '{body}'",
        "-stroke", "#11141a", "-draw", f"line {32 * s},{9 * s} {32 * s},{28 * s}",
        "-stroke", "none", "-fill", light,
        "-draw", f"roundrectangle {29 * s},{15 * s} {35 * s},{27 * s} {3 * s},{3 * s}",
        f"PNG32:{out}")


def make_app_icon(path, paused=False):
    with tempfile.TemporaryDirectory() as tmp:
        layers = []
        for size in (16, 24, 32, 48, 256):
            layer = os.path.join(tmp, f"{size}.png")
            icon_layer(size, layer, paused)
            layers.append(layer)
        run(*layers, path)


def make_menu_icon(path):
    """The arrow beside every menu row, in the sizes the menu asks for at
    100, 150 and 200 %."""
    with tempfile.TemporaryDirectory() as tmp:
        layers = []
        for size in (16, 24, 32):
            k = size / 16
            layer = os.path.join(tmp, f"{size}.png")
            run("-size", f"{size}x{size}", "xc:none", "-fill", GREEN, "-stroke", "#0b5f16",
                "-strokewidth", str(k), "-draw",
                f"polygon {5 * k},{3 * k} {12 * k},{8 * k} {5 * k},{13 * k}", f"PNG32:{layer}")
            layers.append(layer)
        run(*layers, path)


# ---- Bitmaps for the menus and the entry dialog -------------------------------

# One line of pixels each: the backgrounds only vary across, and the menu
# stretches the line over each row, times the display's scale.
MENU_BAND_W = 432


def make_flat_grey(path):
    run("-size", f"{MENU_BAND_W}x1", "xc:rgb(215,215,215)", "-type", "TrueColor", f"BMP3:{path}")


def make_menu_band(path, band):
    run("-size", f"{MENU_BAND_W}x1", "xc:rgb(215,215,215)", "-fill", band,
        "-draw", "rectangle 0,0 21,0", "-fill", "rgb(200,200,200)", "-draw", "point 22,0",
        "-type", "TrueColor", f"BMP3:{path}")


# ---- The main dialog template -------------------------------------------------

def dlu(rect):
    x, y, w, h = rect
    return (round(x * 4 / BASE_X), round(y * 8 / BASE_Y),
            round(w * 4 / BASE_X), round(h * 8 / BASE_Y))


def control(text, ident, cls, style, rect, quoted=True):
    """A control line; the text unquoted is a macro of the including script."""
    x, y, w, h = dlu(rect)
    text = f'"{text}"' if quoted else text
    return f'    CONTROL {text}, {ident}, "{cls}", {style}, {x}, {y}, {w}, {h}\n'


def write_dialog(path):
    width, height = dlu((0, 0, W, H))[2:]
    out = ["// Generated by resources/generate.py from the skin's layout: edit there.\n",
           "// Included by Vela.rc after VelaVersion.h.\n\n",
           f"IDD_VELA_DIALOG DIALOGEX 0, 0, {width}, {height}\n",
           "STYLE DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX\n",
           "EXSTYLE WS_EX_APPWINDOW\n",
           'CLASS "VelaMainWindow"\n',
           'FONT 8, "MS Shell Dlg", 400, 0, 0x1\n',
           "BEGIN\n"]
    for cap_id, label_id, caption, label, column, row, _ in PLATES:
        out.append(control(caption, cap_id, "Button", "BS_OWNERDRAW | WS_TABSTOP",
                           caption_rect(column, row)))
        # A note is shown as typed: an "&" in it is no mnemonic.
        out.append(control(label, label_id, "Static",
                           "SS_CENTER | SS_NOTIFY | SS_ENDELLIPSIS | SS_NOPREFIX",
                           label_rect(column, row)))
    out.append(control("SCRIPTS", "IDC_SCRIPT_MENU", "Button", "BS_OWNERDRAW | WS_TABSTOP", SCRIPTS))
    # "v" and the version of project() in CMakeLists.txt (VelaVersion.h).
    out.append(control("VELA_VERSION_CAPTION", "IDC_SPARE_BUTTON", "Button", "BS_OWNERDRAW",
                       VERSION, quoted=False))
    out.append(control("", "IDC_LOGO", "Static", "SS_LEFT", LOGO))
    out.append(control("", "IDC_SAVE_AND_EXIT", "Button", "BS_OWNERDRAW | WS_TABSTOP",
                       (SAVE_X, SAVE_Y, SAVE_W, SAVE_H)))
    out.append(control("", "IDOK", "Button", "BS_OWNERDRAW", (CLOSE_X, CLOSE_Y, CLOSE_W, CLOSE_H)))
    out.append("END\n")
    with open(path, "w", newline="\n") as f:
        f.writelines(out)


# ---- The layout in skin pixels -------------------------------------------------

def layout_places():
    """(control, (x, y, w, h), font) for every control of the main window."""
    places = []
    for cap_id, label_id, _, _, column, row, _ in PLATES:
        places.append((cap_id, caption_rect(column, row), "Caption"))
        places.append((label_id, label_rect(column, row), "Label"))
    places.append(("IDC_SCRIPT_MENU", SCRIPTS, "Caption"))
    places.append(("IDC_SPARE_BUTTON", VERSION, "Caption"))
    places.append(("IDC_LOGO", LOGO, "None"))
    places.append(("IDC_SAVE_AND_EXIT", (SAVE_X, SAVE_Y, SAVE_W, SAVE_H), "None"))
    places.append(("IDOK", (CLOSE_X, CLOSE_Y, CLOSE_W, CLOSE_H), "None"))
    return places


def write_layout(path):
    places = layout_places()
    out = ["// Generated by resources/generate.py from the skin's layout: edit there.\n",
           "//\n",
           "// Where every control of the main window sits on the skin, in the skin's own\n",
           "// pixels (its 100 % image); the window multiplies them by the display's scale.\n",
           "#pragma once\n\n",
           "#include <array>\n\n",
           '#include "core/Geometry.h"\n',
           '#include "resources/resource.h"\n\n',
           "namespace vela {\n\n",
           f"inline constexpr Size kSkinSize{{{W}, {H}}};\n\n",
           "// Which of the two window fonts a control's text uses.\n",
           "enum class SkinFont { None, Caption, Label };\n\n",
           "struct SkinFontSpec {\n",
           "    const wchar_t* face;\n",
           "    int height;  // pixels at 100 %: cell height if positive, character height if negative\n",
           "    int width;   // average character width at 100 %; 0 for the face's own\n",
           "    int weight;\n",
           "};\n\n",
           "struct SkinPlace {\n",
           "    int control;\n",
           "    Rect rect;  // left, top, right, bottom\n",
           "    SkinFont font;\n",
           "};\n\n",
           f"inline constexpr std::array<SkinPlace, {len(places)}> kSkinLayout{{{{\n"]
    for ident, (x, y, w, h), font in places:
        out.append(f"    {{{ident}, {{{x}, {y}, {x + w}, {y + h}}}, SkinFont::{font}}},\n")
    def spec(font):
        face, height, width, weight = font
        return f'{{L"{face}", {height}, {width}, {weight}}}'
    out += ["}};\n\n",
            f"inline constexpr SkinFontSpec kCaptionFont{spec(CAPTION_FONT)};\n",
            f"inline constexpr SkinFontSpec kLabelFont{spec(LABEL_FONT)};\n\n",
            "}  // namespace vela\n"]
    with open(path, "w", newline="\n") as f:
        f.writelines(out)


def main():
    os.makedirs(IMAGES, exist_ok=True)
    for scale, suffix in ((1, ""), (2, "@2x")):
        make_skin(os.path.join(IMAGES, f"skin{suffix}.png"), scale)
        make_save_button(os.path.join(IMAGES, f"save-and-exit{suffix}.png"), scale)
        make_close_button(os.path.join(IMAGES, f"close{suffix}.png"), scale)
    make_app_icon(os.path.join(IMAGES, "vela.ico"))
    make_app_icon(os.path.join(IMAGES, "vela-paused.ico"), paused=True)
    make_menu_icon(os.path.join(IMAGES, "menu-item.ico"))
    make_flat_grey(os.path.join(IMAGES, "menu-root.bmp"))
    make_menu_band(os.path.join(IMAGES, "menu-sub.bmp"), "rgb(120,128,140)")
    make_menu_band(os.path.join(IMAGES, "menu-win8.bmp"), "rgb(40,110,190)")
    write_dialog(os.path.join(HERE, "MainDialog.rc"))
    write_layout(os.path.join(HERE, "..", "core", "SkinLayout.h"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
