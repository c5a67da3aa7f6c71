"""Screenshots of Vela under Wine, taken with real xdotool input as a user's
would be (`run.py screenshots NAME`, or scripts/screenshots.sh NAME):

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
  mouse   tray-mouse.png (the tray's "Mouse" submenu after a few bounces),
          tray-mouse-left.png (its "Left Button" open, a hand-edited threshold),
          tray-mouse-speed.png ("Wheel Speed" open), cut to the menus
  windows profile-menu-windows.png (a window profile listed beside a program's),
          window-picker-count-<dpi>.png and window-picker-<dpi>.png (the picker
          counting, then a window taken and its title widened) at 96 and 144
          DPI, notice.png (the notice a switch into that window brings)
  gestures  menu-gestures-<dpi>.png (the forward button's menu, its own rows,
          "Gestures…" under the pointer) and gestures-<dpi>.png (the gestures
          dialog: three directions, a repeat, its own click) at 96 and 144 DPI
  layers  layer-menu.png (the profile menu listing the back button's layer
          beside a program's profile), layer-shown.png (the layer shown: its own
          wheel and forward button, its tap on the back button, the rest
          dimmed from "All Programs")
  scales  window-<dpi>.png and submenu-<dpi>.png ("Combination" > "Word " open,
          "Copy(Ctrl+C)" under the pointer) at 96, 120, 144 and 192 DPI
  shortcuts  at 96 and 144 DPI: captions-<dpi>.png (a long shortcut and a text
          on the side buttons), shortcut-listening-<dpi>.png (the shortcut
          dialog as it opens), shortcut-captured-<dpi>.png (Ctrl+Shift+T
          pressed), type-text-<dpi>.png (the text dialog, two lines typed),
          menu-shortcut-<dpi>.png (the forward button's menu, its shortcut
          checked and shown)
"""

import os
import shutil
import subprocess
import time

from harness import (COPY, IDS, KESTREL_PROFILE, LAYER_WHILE_HELD, PASTE, Abort, Menu, Receiver,
                     Tray, Vela, XTest, caption_id, centre, crlf, ini, layer, layout, log,
                     open_entry, slot, wait_until)


class Shots:
    def __init__(self, ctx):
        self.s = ctx.s
        self.out = ctx.options.out
        self.crop = None

    def take(self, name, crop=None, settle=0.4):
        # A moment for hover looks and tooltips, which say nothing when done.
        time.sleep(settle)
        path = os.path.join(self.out, name + ".png")
        self.s.screenshot(path, crop)
        log(f"wrote {path}")
        if self.crop and not crop:
            x, y, w, h = self.crop
            cut = os.path.join(self.out, name + "-window.png")
            subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", cut])
        return path


def window(ctx):
    session, shots = ctx.s, Shots(ctx)
    vela = Vela(session)
    x, y, w, h = session.geometry(vela.start_shown())
    shots.crop = (x, y, w, h)
    session.xdo("mousemove", 5, 5)
    shots.take("first-start")
    for name, rect in (("caption-hover", "g.caption_rect(1, 0)"),
                       ("save-hover", "(g.SAVE_X, g.SAVE_Y, g.SAVE_W, g.SAVE_H)")):
        cx, cy = centre(layout(rect))
        session.xdo("mousemove", x + cx, y + cy)
        shots.take(name)
    open_entry(session, (x, y), "1, 0")
    session.xdo("type", "--delay", 20, "Copy in every editor")
    session.xdo("mousemove", 5, 5)
    shots.take("description")
    session.xdo("key", "Escape")


def open_forward_menu(session, vela):
    """Vela's window shown and the forward button's menu open: the window's
    geometry, the menu helper and the menu's first level."""
    rect = session.geometry(vela.start_shown())
    m = Menu(session)
    return rect, m, m.open_caption(rect[:2], "0, 2")  # X1, "Forward"


def menu(ctx):
    session, shots = ctx.s, Shots(ctx)
    vela = Vela(session)
    (x, y, w, h), m, root = open_forward_menu(session, vela)
    session.xdo("mousemove", x + 318, y + 40)  # off the menu: nothing highlighted
    shots.take("menu-root", (x, y, w, h))
    m.to_word_copy(root)
    shots.take("menu-word-copy-highlighted", (x, y, w, h))
    m.escape()
    session.end_programs()

    _, host_log = session.spawn_probe("menu-host", "--win8")
    host_log.wait(r"^ready$", 30)
    button = host_log.first(rf"^button {caption_id('X1')} (-?\d+) (-?\d+) (-?\d+) (-?\d+)$")[2]
    left, top, right, bottom = (int(v) for v in button.groups())
    m.click_at((left + right) // 2, (top + bottom) // 2)
    root = m.wait_level(1)
    # The host's root: its three entries, seven categories, "Hold While
    # Pressed" (it lists no scripts).
    m.hover(root, m.OTHER_ROOT_ENTRIES + 6, m.OTHER_ROOT_ENTRIES + 8)  # Win8 ShortCut
    win8 = m.wait_level(2)
    m.slide_into(win8, 0, 8)  # Charms Bar
    m.hover(win8, 7, 8)  # Switch Apps
    shots.take("menu-win8", (0, 0, 480, 480))
    m.escape()


def tray(ctx):
    session, shots = ctx.s, Shots(ctx)
    vela = Vela(session)
    t = Tray(session)
    vela.start("screenshots")
    t.wait_icon()

    def zoom(png, name):
        x, y, w, h = t.menu
        out = os.path.join(shots.out, name)
        subprocess.run(["convert", png, "-crop", f"{x + w + 20}x{y + h + 20}+0+0", "+repage",
                        "-filter", "point", "-resize", "300%", out])
        log(f"wrote {out}")

    t.open_menu(3)
    zoom(shots.take("tray-menu", settle=0.3), "tray-menu-zoom.png")
    t.choose(t.AUTOSTART)
    session.wait_reg(KESTREL_PROFILE, "BootValue", "1")
    t.open_menu(3)
    zoom(session.screenshot(os.path.join(session.work, "off.png")), "tray-menu-off-zoom.png")
    t.choose(t.PAUSE)
    t.wait_colour(green=False)
    t.open_menu(3)
    zoom(session.screenshot(os.path.join(session.work, "paused.png")), "tray-paused-zoom.png")
    t.close_menu()


def macro(ctx):
    session, shots = ctx.s, Shots(ctx)
    vela = Vela(session)
    os.makedirs(os.path.join(vela.folder, "ScriptsMacros", "Games"))
    for name in ("Copy All.txt", os.path.join("Games", "Reload.txt"),
                 os.path.join("Games", "Heal.txt")):
        vela.write_script(name, crlf("KeyDown 65", "KeyUp 65"))
    (x, y, w, h), m, root = open_forward_menu(session, vela)
    m.hover(root, m.ROOT_ENTRIES + 6, m.BUTTON_ROOT_ROWS)  # Macro
    macros = m.wait_level(2)
    m.slide_into(macros, 0, 4)  # Games
    m.wait_level(3)
    shots.take("menu-macro", (x, y, w, h))
    m.escape()


def around(session, window_rect, levels):
    """The window and the open menu levels in one rectangle."""
    x, y, w, h = window_rect
    shown = [session.geometry(level) for level in levels]
    right = max(lx + lw for lx, _, lw, _ in shown)
    bottom = max(ly + lh for _, ly, _, lh in shown)
    return x, y, max(w, right - x + 10), max(h, bottom - y + 10)


def scales(ctx):
    session, shots = ctx.s, Shots(ctx)
    for dpi in (96, 120, 144, 192):
        session.set_dpi(dpi)
        vela = Vela(session)
        x, y, w, h = session.geometry(vela.start_shown())
        session.xdo("mousemove", 2, 2)
        shots.take(f"window-{dpi}", (x, y, w, h))
        m = Menu(session)
        root = m.open_caption((x, y), "0, 2", dpi)  # X1, "Forward"
        levels = m.to_word_copy(root)
        shots.take(f"submenu-{dpi}", around(session, (x, y, w, h), (root, *levels)))
        m.escape()
    session.set_dpi(96)


def profiles(ctx):
    """Two programs open beside Vela; the profile menu with "New Profile For"
    open; then a profile of its own for one of them, its inherited captions
    dimmed and the forward button its own."""
    session, shots = ctx.s, Shots(ctx)
    editor = os.path.join(session.work, "Editor.exe")
    shutil.copy2(session.probe_exe, editor)
    Receiver(session, exe=editor, left=0, width=280, exit_after=120)
    vela = Vela(session, settings=ini(
        slot("X1", **COPY), slot("WU", "Volume Up", vk=175), "[Profiles]", "1=Editor.exe",
        slot("X1", **PASTE, profile="Editor.exe")))
    x, y, w, h = session.geometry(vela.start_shown())
    m = Menu(session)
    root = m.open_caption((x, y), "0, 4")  # the profile caption
    # "All Programs", "Editor.exe", "New Profile For", "Delete This Profile",
    # the two exports and the import.
    m.hover(root, 2, 7)
    programs = m.wait_level(2)
    # "The Window Under the Pointer…", then Editor.exe.
    m.slide_into(programs, 1, 2)
    shots.take("profile-menu", around(session, (x, y, w, h), (root, programs)))
    m.escape()
    root = m.open_caption((x, y), "0, 4")
    m.hover(root, 1, 7)  # Editor.exe
    session.xdo("click", 1)
    session.xdo("mousemove", 2, 2)
    shots.take("profile-inherited", (x, y, w, h))


def windows(ctx):
    """Window profiles: the profile menu listing one beside a program's, the
    window picker at 100 % and 150 % (its count, then a window taken and its
    title widened), and the notice a switch into that window brings."""
    session, shots = ctx.s, Shots(ctx)
    browser = os.path.join(session.work, "Browser.exe")
    shutil.copy2(session.probe_exe, browser)
    settings = ini(
        slot("X1", **COPY), "[Profiles]", "1=Editor.exe",
        slot("X1", **PASTE, profile="Editor.exe"),
        "[Window:1]", "Program=Browser.exe", "Title=*Mail*",
        slot("X1", "Reply", action=2, vk=82, profile="Window:1")[1:])
    for dpi in (96, 144):
        session.set_dpi(dpi)
        rx = Receiver(session, "--title", "Inbox-Mail", exe=browser, left=0, width=300,
                      exit_after=120)
        vela = Vela(session, settings=settings)
        x, y, w, h = session.geometry(vela.start_shown())
        m = Menu(session)
        # "All Programs", "Editor.exe", the window profile, "New Profile For",
        # "Delete This Profile", the two exports and the import.
        root = m.open_caption((x, y), "0, 4", dpi)
        if dpi == 96:
            m.hover(root, 2, 8)
            shots.take("profile-menu-windows", around(session, (x, y, w, h), (root,)))
        m.hover(root, 3, 8)
        programs = m.wait_level(2)
        m.slide_into(programs, 0, 2)  # "The Window Under the Pointer…"
        session.xdo("click", 1)
        picker = wait_until(lambda: session.visible_windows("^New Window Profile$"), 5, 0.05)
        if not picker:
            raise Abort("the window picker did not open")
        session.xdo("mousemove", *rx.centre)
        px, py, pw, ph = session.geometry(picker[0])
        shots.take(f"window-picker-count-{dpi}", (px, py, pw, ph))
        time.sleep(3.5)  # the count, then the window is taken
        # Into the title's box (its middle, as the dialog's template places
        # it), all of it replaced by a pattern.
        session.xdo("mousemove", px + pw * 156 // 260, py + ph * 80 // 128, "click", 1)
        session.xdo("key", "ctrl+a")
        session.xdo("type", "--delay", 20, "*Mail*")
        shots.take(f"window-picker-{dpi}", (px, py, pw, ph))
        session.xdo("key", "Escape")
    session.set_dpi(96)  # which ends every program

    rx = Receiver(session, "--title", "Inbox-Mail", exe=browser, left=0, width=300,
                  exit_after=60)
    other = Receiver(session, left=310, width=300, exit_after=60)
    Vela(session, settings=settings + crlf("[Vela]", "ShowProfileChanges=1")).start_in_tray()
    session.xdo("mousemove", *other.centre, "click", 1)
    time.sleep(2)
    session.xdo("mousemove", *rx.centre, "click", 1)
    shown = wait_until(lambda: session.visible_windows("Mail"), 5, 0.02)
    notice = [w for w in (shown or []) if session.geometry(w)[3] < 100]
    if not notice:
        raise Abort("no notice came")
    nx, ny, nw, nh = session.geometry(notice[0])
    shots.take("notice", (nx - 40, ny - 40, nw + 80, nh + 80), settle=0.1)


def trigger(name, caption, **keys):
    """A trigger's function in a slot's own section ("Up.0=Copy", ...)."""
    return [f"{name}.{line}" for line in slot("X1", caption, **keys)[1:]]


def gestures(ctx):
    """The forward button set to Gestures with three directions and a double
    click: its menu with the button's own rows, "Gestures…" under the
    pointer, then the gestures dialog, at 96 and 144 DPI."""
    session, shots = ctx.s, Shots(ctx)
    settings = ini(slot("X1", "Gestures", action=12, Repeat=1),
                   *trigger("Up", "Volume Up", vk=175), *trigger("Down", "Volume Down", vk=174),
                   *trigger("Left", "Back", group=0, mouse=4),
                   *trigger("Double", **COPY))
    for dpi in (96, 144):
        session.set_dpi(dpi)
        vela = Vela(session, settings=settings)
        x, y, w, h = session.geometry(vela.start_shown())
        m = Menu(session)
        root = m.open_caption((x, y), "0, 2", dpi)  # X1, "Forward"
        m.hover(root, 4, m.BUTTON_ROOT_ROWS)  # Gestures…
        shots.take(f"menu-gestures-{dpi}", around(session, (x, y, w, h), (root,)))
        session.xdo("click", 1)
        dialog = wait_until(lambda: session.visible_windows("^Gestures$"), 5, 0.05)
        if not dialog:
            raise Abort("the gestures dialog did not open")
        dx, dy, dw, dh = session.geometry(dialog[0])
        session.xdo("mousemove", dx + dw - 5, dy + dh - 5)
        shots.take(f"gestures-{dpi}", (dx, dy, dw, dh))
        session.xdo("key", "Escape")
    session.set_dpi(96)


def layers(ctx):
    """The back button a layer button beside a program's profile: the profile
    menu with its layer under the pointer, then the layer shown."""
    session, shots = ctx.s, Shots(ctx)
    vela = Vela(session, settings=ini(
        slot("X1", **COPY), slot("X2", **LAYER_WHILE_HELD), slot("WD", "Next Track", vk=176),
        "[Profiles]", "1=Editor.exe", slot("X1", **PASTE, profile="Editor.exe"),
        layer("X2", WU=dict(caption="Volume Up", vk=175), WD=dict(caption="Volume Down", vk=174),
              X1=dict(caption="Ctrl+Tab", action=9, Keys="162+9"))))
    x, y, w, h = session.geometry(vela.start_shown())
    m = Menu(session)
    # "All Programs", "Editor.exe", "While Back Held", "New Profile For",
    # "Delete This Profile", the two exports and the import.
    root = m.open_caption((x, y), "0, 4")  # the profile caption
    m.hover(root, 2, 8)
    shots.take("layer-menu", around(session, (x, y, w, h), (root,)))
    session.xdo("click", 1)
    session.xdo("mousemove", 2, 2)
    shots.take("layer-shown", (x, y, w, h))


def shortcuts(ctx):
    session, shots = ctx.s, Shots(ctx)
    settings = ini(
        slot("X1", "Ctrl+Shift+Alt+Win+Page Down", action=9, Keys="162+160+164+91+34"),
        slot("X2", "Best regards, Jane Doe (Example Corporation)\u2026", action=10,
             Text="Best regards, Jane Doe (Example Corporation), +1 555 0100"))
    for dpi in (96, 144):
        session.set_dpi(dpi)
        vela = Vela(session, settings=settings)
        rect = session.geometry(vela.start_shown())
        # The pointer rests on the window's title, where it lights nothing up;
        # keys go to the window under it.
        rest = (rect[0] + rect[2] // 2, rect[1] + 20)
        session.xdo("mousemove", *rest)
        shots.take(f"captions-{dpi}", rect)
        vela.make_active("WU")
        vela.post(IDS.kKeysAndShortcutsCommand)
        vela.wait_dialog("chord")
        shots.take(f"shortcut-listening-{dpi}", rect)
        session.xdo("key", "ctrl+shift+t")
        vela.wait_dialog("chord", "Control+Shift+T")
        shots.take(f"shortcut-captured-{dpi}", rect)
        vela.click_control(IDS.IDCANCEL)
        vela.make_active("WD")
        vela.post(IDS.kTypeTextCommand)
        vela.wait_dialog("typed")
        session.xdo("type", "--delay", 10, "Best regards,")
        session.xdo("key", "Return")
        session.xdo("type", "--delay", 10, "Jane")
        vela.wait_dialog("typed", "Best regards,\r\nJane")
        shots.take(f"type-text-{dpi}", rect)
        vela.click_control(IDS.IDCANCEL)
        m = Menu(session)
        root = m.open_caption(rect[:2], "0, 2", dpi)  # X1, its shortcut
        session.xdo("mousemove", *rest)
        shots.take(f"menu-shortcut-{dpi}", around(session, rect, (root,)))
        m.escape()
    session.set_dpi(96)


def mouse(ctx):
    """The tray's "Mouse" submenu after a few bounces (the left button's
    threshold hand-edited to 45 ms), then with "Left Button" and "Wheel Speed"
    open."""
    session, shots, t = ctx.s, Shots(ctx), Tray(ctx.s)
    Vela(session, settings=ini("[Mouse]", "ChatterLeft=1", "ChatterLeftMs=45", "ChatterBack=1",
                               "WheelReverseVertical=1", "WheelNotches=3",
                               "WheelBounceFilter=1")).start_hidden()
    Receiver(session, left=200, width=1080, exit_after=120)
    xtest = XTest(session.display)
    for button, gaps in [(1, [40, 8, 40])] * 3 + [(5, [0]), (5, [0]), (4, [0])]:
        xtest.edges(button, gaps)
        time.sleep(0.2 if button == 1 else 0)
    menus = [t.open_mouse_menu()]
    for name, row in (("tray-mouse", None), ("tray-mouse-left", 0), ("tray-mouse-speed", 7)):
        if row is not None:
            menus[1:] = [t.open_submenu(menus[0], row, t.MOUSE_ROWS, t.MOUSE_SEPARATORS)]
        right, bottom = (max(x + w for x, _, w, _ in [t.menu, *menus]),
                         max(y + h for _, y, _, h in [t.menu, *menus]))
        shots.take(name, (0, 0, right + 20, bottom + 20))
    session.xdo("key", "Escape", "Escape", "Escape")


SCENES = {"window": window, "menu": menu, "tray": tray, "macro": macro, "scales": scales,
          "profiles": profiles, "mouse": mouse, "layers": layers, "shortcuts": shortcuts,
          "windows": windows, "gestures": gestures}
