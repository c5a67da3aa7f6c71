#!/usr/bin/env python3
"""Screenshots of Vela under Wine, taken with real xdotool input as a user's
would be; run them through scripts/screenshots.sh NAME.

    screenshots.py NAME --bin BUILD/bin --out FOLDER

  window  first-start.png (no settings file yet), caption-hover.png (the pointer
          on "Right Button"), save-hover.png (SAVE AND EXIT's brighter look),
          description.png (the entry dialog over the window, text typed), and
          *-window.png cut to the window
  menu    menu-root.png (the menu under "Forward"), menu-word-copy-highlighted.png
          ("Combination" > "Word " open, "Copy(Ctrl+C)" under the pointer),
          menu-win8.png (the menu as Windows 8 shows it, "Win8 ShortCut" open)
  tray    tray-menu.png (the window shown, the tray menu open), tray-menu-zoom.png,
          tray-menu-off-zoom.png (after "Start With Windows" was chosen),
          tray-paused-zoom.png (after "Pause Remapping": the grey icon, the
          entry checked)
  macro   menu-macro.png (a script folder beside ScriptsMacros' own
          example: "Macro" open under "Forward", "Hold While Pressed" below)
  profiles  profile-menu.png (the profile caption's menu, "New Profile For" open
          with the programs that have windows), profile-inherited.png (a program's
          profile shown: its own forward button, the rest dimmed from "All Programs")
  scales  window-<dpi>.png and submenu-<dpi>.png ("Combination" > "Word " open,
          "Copy(Ctrl+C)" under the pointer) at 96, 120, 144 and 192 DPI
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Menu, Session, Tray, Vela, centre, layout, log  # noqa: E402


class Shots:
    def __init__(self, session, out):
        self.s = session
        self.out = out
        self.crop = None

    def take(self, name, crop=None, settle=0.4):
        time.sleep(settle)
        path = os.path.join(self.out, name + ".png")
        self.s.screenshot(path, crop)
        log(f"wrote {path}")
        if self.crop and not crop:
            x, y, w, h = self.crop
            cut = os.path.join(self.out, name + "-window.png")
            subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", cut])
        return path


def window(session, shots):
    vela = Vela(session)
    win = vela.start_shown()
    x, y, w, h = session.geometry(win)
    shots.crop = (x, y, w, h)
    session.xdo("mousemove", 5, 5)
    shots.take("first-start")
    cx, cy = centre(layout("g.caption_rect(1, 0)"))
    session.xdo("mousemove", x + cx, y + cy)
    shots.take("caption-hover")
    sx, sy = centre(layout("(g.SAVE_X, g.SAVE_Y, g.SAVE_W, g.SAVE_H)"))
    session.xdo("mousemove", x + sx, y + sy)
    shots.take("save-hover")
    lx, ly = centre(layout("g.label_rect(1, 0)"))
    session.xdo("mousemove", x + lx, y + ly)
    session.xdo("click", 1)
    time.sleep(0.5)
    session.xdo("type", "--delay", 20, "Copy in every editor")
    session.xdo("mousemove", 5, 5)
    shots.take("description")
    session.xdo("key", "Escape")


def open_forward_menu(session, vela):
    """Vela's window shown and the forward button's menu open: the window's
    geometry, the menu helper and the menu's first level."""
    win = vela.start_shown()
    x, y, w, h = session.geometry(win)
    m = Menu(session)
    cx, cy = centre(layout("g.caption_rect(0, 2)"))  # X1, "Forward"
    m.click_at(x + cx, y + cy)
    return (x, y, w, h), m, m.wait_level(1)


def menu(session, shots):
    vela = Vela(session)
    (x, y, w, h), m, root = open_forward_menu(session, vela)
    session.xdo("mousemove", x + 318, y + 40)  # off the menu: nothing highlighted
    shots.take("menu-root", (x, y, w, h))
    m.to_word_copy(root)
    shots.take("menu-word-copy-highlighted", (x, y, w, h))
    session.xdo("key", "Escape", "Escape", "Escape")
    session.end_programs()

    _, host_log = session.spawn_probe("menu-host", "--win8")
    host_log.wait(r"^ready$", 30)
    button = host_log.first(r"^button 1002 (-?\d+) (-?\d+) (-?\d+) (-?\d+)$")[2]
    left, top, right, bottom = (int(v) for v in button.groups())
    m.click_at((left + right) // 2, (top + bottom) // 2)
    root = m.wait_level(1)
    # The host's root: "No Settings", seven categories, "Hold While Pressed"
    # (it lists no scripts).
    m.hover(root, 7, 9)  # Win8 ShortCut
    win8 = m.wait_level(2)
    m.slide_into(win8, 0, 8)  # Charms Bar
    m.hover(win8, 7, 8)  # Switch Apps
    shots.take("menu-win8", (0, 0, 480, 480))
    session.xdo("key", "Escape", "Escape")


def tray(session, shots):
    vela = Vela(session)
    t = Tray(session)
    vela.start("screenshots")
    t.wait_icon()
    time.sleep(0.5)

    def zoom(png, name):
        x, y, w, h = t.menu
        out = os.path.join(shots.out, name)
        subprocess.run(["convert", png, "-crop", f"{x + w + 20}x{y + h + 20}+0+0", "+repage",
                        "-filter", "point", "-resize", "300%", out])
        log(f"wrote {out}")

    t.open_menu(3)
    zoom(shots.take("tray-menu", settle=0.3), "tray-menu-zoom.png")
    t.choose(4)  # Start With Windows
    time.sleep(0.3)
    t.open_menu(3)
    time.sleep(0.3)
    off = session.screenshot(os.path.join(session.work, "off.png"))
    zoom(off, "tray-menu-off-zoom.png")
    t.choose(3)  # Pause Remapping
    time.sleep(0.5)
    t.open_menu(3)
    time.sleep(0.3)
    paused = session.screenshot(os.path.join(session.work, "paused.png"))
    zoom(paused, "tray-paused-zoom.png")
    session.xdo("key", "Escape")


def macro(session, shots):
    vela = Vela(session)
    os.makedirs(os.path.join(vela.folder, "ScriptsMacros", "Games"))
    for name in ("Copy All.txt", os.path.join("Games", "Reload.txt"),
                 os.path.join("Games", "Heal.txt")):
        vela.write_script(name, "KeyDown 65\r\nKeyUp 65\r\n")
    (x, y, w, h), m, root = open_forward_menu(session, vela)
    m.hover(root, 7, m.BUTTON_ROOT_ROWS)  # Macro
    macros = m.wait_level(2)
    m.slide_into(macros, 0, 4)  # Games
    m.wait_level(3)
    shots.take("menu-macro", (x, y, w, h))
    session.xdo("key", "Escape", "Escape", "Escape")


def scales(session, shots):
    for dpi in (96, 120, 144, 192):
        session.set_dpi(dpi)
        vela = Vela(session)
        win = vela.start_shown()
        x, y, w, h = session.geometry(win)
        session.xdo("mousemove", 2, 2)
        shots.take(f"window-{dpi}", (x, y, w, h))
        m = Menu(session)
        cx, cy = centre(layout("g.caption_rect(0, 2)"))  # X1, "Forward"
        m.click_at(x + cx * dpi // 96, y + cy * dpi // 96)
        root = m.wait_level(1)
        combination, word = m.to_word_copy(root)
        shown = [session.geometry(level) for level in (root, combination, word)]
        right = max(lx + lw for lx, _, lw, _ in shown)
        bottom = max(ly + lh for _, ly, _, lh in shown)
        shots.take(f"submenu-{dpi}", (x, y, max(w, right - x + 10), max(h, bottom - y + 10)))
        session.xdo("key", "Escape", "Escape", "Escape")
    session.set_dpi(96)


def profiles(session, shots):
    """Two programs open beside Vela; the profile menu with "New Profile For"
    open; then a profile of its own for one of them, its inherited captions
    dimmed and the forward button its own."""
    import shutil
    from harness import Receiver
    editor = os.path.join(session.work, "Editor.exe")
    shutil.copy2(session.probe_exe, editor)
    Receiver(session, exe=editor, left=0, width=280, exit_after=120)
    vela = Vela(session)
    vela.write_settings("[X1ButtonSetting]\r\n0=Copy\r\n1=1\r\n2=2\r\n3=67\r\n6=1\r\n"
                        "[WUButtonSetting]\r\n0=Volume Up\r\n1=1\r\n2=0\r\n3=175\r\n6=1\r\n"
                        "[Profiles]\r\n1=Editor.exe\r\n"
                        "[Editor.exe]\r\nX1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\n"
                        "X1.6=1\r\n")
    win = vela.start_shown()
    x, y, w, h = session.geometry(win)
    m = Menu(session)
    cx, cy = centre(layout("g.caption_rect(0, 4)"))  # the profile caption
    m.click_at(x + cx, y + cy)
    root = m.wait_level(1)
    # "All Programs", "Editor.exe", "New Profile For", "Delete This Profile".
    m.hover(root, 2, 4)
    programs = m.wait_level(2)
    m.slide_into(programs, 0, 1)
    shown = [session.geometry(level) for level in (root, programs)]
    right = max(lx + lw for lx, _, lw, _ in shown)
    bottom = max(ly + lh for _, ly, _, lh in shown)
    shots.take("profile-menu", (x, y, max(w, right - x + 10), max(h, bottom - y + 10)))
    session.xdo("key", "Escape", "Escape")
    time.sleep(0.3)
    m.click_at(x + cx, y + cy)
    root = m.wait_level(1)
    m.hover(root, 1, 4)  # Editor.exe
    session.xdo("click", 1)
    session.xdo("mousemove", 2, 2)
    shots.take("profile-inherited", (x, y, w, h))


SCENES = {"window": window, "menu": menu, "tray": tray, "macro": macro, "scales": scales,
          "profiles": profiles}


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("name", choices=sorted(SCENES))
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    options = parser.parse_args()
    os.makedirs(options.out, exist_ok=True)
    session = Session(options.bin, os.path.join(options.out, "work"))
    try:
        session.start()
        SCENES[options.name](session, Shots(session, os.path.abspath(options.out)))
    finally:
        session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
