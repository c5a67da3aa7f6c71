"""Any key, shortcut or text, chosen by pressing it: the shortcut dialog takes
the whole keyboard (Windows, Alt+F4, Escape are captured, not acted on, and
nothing is left down), shows the keys in the keyboard's names, offers the keys
a keyboard lacks in a list; the slots then press their shortcuts as a
keyboard would, held ones too, and type their texts into the program in
front. Wine names keys by their X names ("Control", "Prior"), not the
localized ones Windows gives ("Strg"): the German case shows what does follow
the layout, the keys that type characters."""

import re
import subprocess
import time

from harness import (FORWARD, IDS, WHEEL_DOWN, Menu, Receiver, Vela, XTest, ini, layout, slot,
                     wait_for, wait_until)

# Every modifier, and the keys the dialog is fed.
WATCHED_KEYS = (16, 17, 18, 91, 92, 160, 161, 162, 163, 164, 165, 27, 39, 44, 84, 115, 124)
NOTHING = "Press a shortcut"
LIST_F13, LIST_WHEEL_UP = 0, 35  # rows of the dialog's list (core/ListedKeys.h)
BACK_BUTTON, MIDDLE_BUTTON = 8, 2

# (slot, what the user does in the dialog, what it shows after each step,
#  the slot's caption and stored chord after OK). A step is keys for xdotool,
# "clear", or a row of the list.
DIALOGS = [
    ("X1", [("ctrl+shift+t", "Control+Shift+T")], "Control+Shift+T", "162+160+84"),
    ("X2", [("super+Right", "Win+Right"), ("alt+F4", "Alt+F4"), ("Escape", "Escape"),
            ("Print", "Print"), ("clear", NOTHING), (LIST_F13, "F13")], "F13", "124"),
    # The list keeps the modifiers pressed: Control, then the wheel, is zoom.
    ("M", [("ctrl", "Control"), (LIST_WHEEL_UP, "Control+Wheel Up")], "Control+Wheel Up",
     "162+WheelUp"),
]

KEY_LINE = re.compile(r"^(?:SYS)?KEY(?:DOWN|UP) \d+|^MOUSEWHEEL")


def key_lines(rx, mark):
    return [line for line in rx.log.since(mark) if KEY_LINE.match(line)]


def open_dialog(ctx, vela, name, command):
    """Clicks the slot's caption, then "Keys and Shortcuts…" or "Type Text…"
    (`command`) in its menu; what the dialog shows once it is open."""
    places = {p[0]: f"{p[4]}, {p[5]}" for p in layout("g.PLATES")}
    menu = Menu(ctx.s)
    root = menu.open_caption(ctx.s.geometry(vela.window)[:2], places[f"IDC_CAPTION_{name}"])
    # The root: its entries (a button's with its own five), six categories,
    # "Macro" where the slot plays scripts, "Hold While Pressed" where the
    # input has a release.
    rows = (menu.ROOT_ENTRIES if name in menu.BUTTONS else menu.OTHER_ROOT_ENTRIES) + 6 + \
        (name != "M") + \
        (name in (*menu.BUTTONS, "ALTTAB"))
    menu.hover(root, 1 if command == IDS.kKeysAndShortcutsCommand else 2, rows)
    ctx.s.xdo("click", 1)
    kind = "chord" if command == IDS.kKeysAndShortcutsCommand else "typed"
    shown = vela.wait_dialog(kind)
    ctx.check(f"{name}: the dialog opened", kind in shown, True)
    return shown


def step(ctx, vela, action):
    if action == "clear":
        vela.click_control(IDS.IDC_CHORD_CLEAR)
    elif isinstance(action, int):
        vela.choose_listed(action)
    else:
        ctx.s.xdo("key", "--delay", 30, action)


def capture_dialog(ctx):
    """The dialog fed shortcuts, Windows, Alt+F4, Escape and list rows: each
    shown, none acted on (another program's hook sees no key, the dialog stays
    open), nothing left down; OK gives captions and file; then the forward
    button is Ctrl+Shift+T, the back button F13 held as push-to-talk, the
    middle button Ctrl+Wheel Up."""
    s = ctx.s
    vela = Vela(s)
    vela.window = vela.start_shown()
    watcher = Receiver(s, "--hook", width=250, exit_after=200)
    for name, steps, caption, keys in DIALOGS:
        shown = open_dialog(ctx, vela, name, IDS.kKeysAndShortcutsCommand)
        ctx.check(f"{name}: nothing shown yet, OK greyed", (shown["chord"], shown[IDS.IDOK][4]),
                  (NOTHING, 0))
        mark = watcher.log.mark()
        for action, want in steps:
            step(ctx, vela, action)
            ctx.check(f"{name}: {action} shown as {want}",
                      vela.wait_dialog("chord", want).get("chord"), want)
        ctx.check(f"{name}: no other program saw a key", key_lines(watcher, mark) +
                  [line for line in watcher.log.since(mark) if line.startswith("LLKEY")], [])
        ctx.check(f"{name}: nothing left down", s.keys_down(WATCHED_KEYS), [])
        vela.click_control(IDS.IDOK)
        ctx.check(f"{name}: saved", bool(vela.wait_saved(f"{name}ButtonSetting", "Keys", keys)),
                  True)
        ctx.check(f"{name}: file and caption",
                  ({k: vela.ini(f"{name}ButtonSetting", k) for k in "0126"},
                   vela.text(f"IDC_CAPTION_{name}")),
                  ({"0": caption, "1": "1", "2": "9", "6": "1"}, caption))
    # Behind another window the dialog leaves the keyboard alone and asks for
    # a click; clicked, it listens again. Control held through OK comes up.
    listening = open_dialog(ctx, vela, "WD", IDS.kKeysAndShortcutsCommand)["prompt"]
    mark = watcher.log.mark()
    s.xdo("mousemove", *watcher.centre, "click", 1, "key", "a")
    ctx.check("dialog behind: keys reach the window in front, the dialog asks for a click",
              (watcher.log.wait_count(r"^KEYUP 65 ", 1, 5, since=mark),
               "Click" in vela.dialog()["prompt"]), (True, True))
    vela.click_control(IDS.IDC_CHORD_CLEAR)
    s.xdo("keydown", "ctrl", "key", "F6")
    ctx.check("clicked, it listens again", vela.wait_dialog("chord", "Control+F6")["prompt"],
              listening)
    vela.click_control(IDS.IDOK)
    vela.wait_saved("WDButtonSetting", "Keys", "162+117")
    s.xdo("keyup", "ctrl")
    ctx.check("Control held through OK, then let go: up", s.keys_down(WATCHED_KEYS), [])
    vela.make_active("X2")
    vela.post(IDS.menu("Hold While Pressed"))
    vela.wait_saved("X2ButtonSetting", "Hold", "1")

    # Keys typed now reach the window in front: Vela's dialog left nothing
    # captured.
    s.xdo("mousemove", *watcher.centre, "click", 1)
    mark = watcher.log.mark()
    s.xdo("key", "a")
    ctx.check("the keyboard works again", watcher.log.wait_count(r"^KEYUP 65 ", 1, 5, since=mark),
              True)

    mark = watcher.log.mark()
    s.xdo(*FORWARD)
    watcher.log.wait_count(r"^KEYUP 17 ", 1, 5, since=mark)
    ctx.check("forward: Ctrl, Shift, T down, then up in reverse, with scan codes",
              key_lines(watcher, mark),
              ["KEYDOWN 17 29 0", "KEYDOWN 16 42 0", "KEYDOWN 84 20 0", "KEYUP 84 20 0",
               "KEYUP 16 42 0", "KEYUP 17 29 0"])

    xtest = XTest(s.display)
    mark = watcher.log.mark()
    xtest.button(BACK_BUTTON, True)
    time.sleep(0.6)  # push-to-talk held 600 ms
    released = xtest.button(BACK_BUTTON, False)
    watcher.log.wait_count(r"^KEYUP 124 ", 1, 5, since=mark)
    watcher.settle()
    f13 = [(stamp, text) for stamp, text in watcher.log.entries()[mark:]
           if re.match(r"^KEY(DOWN|UP) 124 ", text)]
    ctx.check("back held: one F13 down, then its up",
              [" ".join(text.split()[:2]) for _, text in f13], ["KEYDOWN 124", "KEYUP 124"])
    late = [round((stamp - released) / 10000, 1) for stamp, text in f13 if "UP" in text]
    ctx.log(f"F13 up {late} ms after the release")
    ctx.check("F13 up within 50 ms of the release", bool(late) and late[0] <= 50, True)

    mark = watcher.log.mark()
    s.xdo("click", "--delay", 0, MIDDLE_BUTTON)
    watcher.log.wait_count(r"^KEYUP 17 ", 1, 5, since=mark)
    ctx.check("middle: Ctrl down, one notch up, Ctrl up", key_lines(watcher, mark),
              ["KEYDOWN 17 29 0", "MOUSEWHEEL 120", "KEYUP 17 29 0"])
    ctx.check("nothing down after all", s.keys_down(WATCHED_KEYS), [])

    # Vela ending while the dialog listens gives the keyboard back at once.
    open_dialog(ctx, vela, "WU", IDS.kKeysAndShortcutsCommand)
    vela.post(IDS.ID_TRAY_EXIT)
    vela.proc.wait(10)
    s.xdo("mousemove", *watcher.centre, "click", 1)
    mark = watcher.log.mark()
    s.xdo("key", "a")
    ctx.check("Exit while listening: the keyboard works at once",
              watcher.log.wait_count(r"^KEYUP 65 ", 1, 5, since=mark), True)


def names_of_a_german_keyboard(ctx):
    """With the keyboard set to German, the keys that type characters are
    shown as the layout prints them: Z on the key a US keyboard calls Y, Ö and
    ß where it has ; and -."""
    s = ctx.s
    subprocess.run(["setxkbmap", "de"], env=s.env, check=True)
    try:
        s.end_programs()  # Wine reads the layout as its programs start
        vela = Vela(s)
        vela.window = vela.start_shown()
        open_dialog(ctx, vela, "X1", IDS.kKeysAndShortcutsCommand)
        for keys, want in (("ctrl+shift+z", "Control+Shift+Z"), ("ctrl+odiaeresis", "Control+Ö"),
                           ("ssharp", "ß")):
            s.xdo("key", "--delay", 30, keys)
            ctx.check(f"German {keys} shown as {want}", vela.wait_dialog("chord", want)["chord"],
                      want)
        vela.click_control(IDS.IDOK)
        ctx.check("German: the caption", (vela.wait_saved("X1ButtonSetting", "0", "ß"),
                                          vela.text("IDC_CAPTION_X1")), (True, "ß"))
    finally:
        s.end_programs()
        subprocess.run(["setxkbmap", "us"], env=s.env)


TEXT = "Grüße, 東京 €5\r\nline 2"


def texts(ctx):
    """"Type Text…" takes a text with a new line; a text with any characters
    types into Notepad exactly; typed while Control is held, its Tab and Enter
    come without Control (Control+Enter sends a mail); Exit in the middle of a
    long text stops it with nothing left down."""
    s = ctx.s
    # The stored text as a hand would write it in a UTF-16 file.
    stored = ini(slot("X1", "Greeting", action=10), 'Text="\\~Grüße, 東京 €5\\r\\nline 2"',
                 slot("X2", "Long", action=10), "Text=" + "abc" * 1300,
                 slot("WD", "Tabbed", action=10), 'Text="\\~a\tb\\r\\nc\\r\\n"')
    vela = Vela(s)
    vela.write_settings(("\ufeff" + stored).encode("utf-16-le"))
    vela.window = vela.start_shown()
    shown = open_dialog(ctx, vela, "WU", IDS.kTypeTextCommand)
    ctx.check("an empty text cannot be confirmed", shown[IDS.IDOK][4], 0)
    s.xdo("type", "--delay", 20, "Best regards,")
    s.xdo("key", "Return")
    s.xdo("type", "--delay", 20, "Vela")
    ctx.check("the dialog holds both lines",
              vela.wait_dialog("typed", "Best regards,\r\nVela")["typed"], "Best regards,\r\nVela")
    vela.click_control(IDS.IDOK)
    ctx.check("the text saved", bool(vela.wait_saved("WUButtonSetting", "Text",
                                                     '"\\~Best regards,\\r\\nVela"')), True)
    ctx.check("its start is the caption", vela.text("IDC_CAPTION_WU"), "Best regards, Vela")

    s.spawn("notepad", "notepad")
    notepad = wait_until(lambda: s.visible_windows("Notepad"), 20, 0.2)
    x, y, w, h = s.geometry(notepad[0])
    s.xdo("mousemove", x + w // 2, y + h // 2, "click", 1)
    s.xdo(*FORWARD)

    def notepad_text():
        for line in s.probe("read", "--class", "Notepad", "--child", "Edit").lines():
            if line.startswith("read "):
                return line[5:].replace("\\r", "\r").replace("\\n", "\n")
        return None

    ctx.check("Notepad holds the text exactly", wait_for(notepad_text, TEXT, 10, 0.2), TEXT)

    rx = Receiver(s, exit_after=60)
    mark, downs = rx.log.mark(), rx.log.count(r"^KEYDOWN 17 ")
    s.xdo("keydown", "ctrl")
    s.xdo(*WHEEL_DOWN)
    rx.log.wait_count(r"^KEYDOWN 17 ", downs + 2, 5)  # the finger's, then put back
    ups = rx.log.count(r"^KEYUP 17 ")
    s.xdo("keyup", "ctrl")
    rx.log.wait_count(r"^KEYUP 17 ", ups + 1, 5)
    ctx.check("typed under a held Control: Control up first, Tab and Enter plain, Control "
              "back down while the finger holds it",
              [line for line in key_lines(rx, mark) if re.match(r"^KEY(DOWN|UP) (9|13|17) ", line)],
              ["KEYDOWN 17 29 0", "KEYUP 17 29 0", "KEYDOWN 9 15 0", "KEYUP 9 15 0",
               "KEYDOWN 13 28 0", "KEYUP 13 28 0", "KEYDOWN 13 28 0", "KEYUP 13 28 0",
               "KEYDOWN 17 29 0", "KEYUP 17 29 0"])
    ctx.check("nothing down after the finger let go", s.keys_down(WATCHED_KEYS), [])

    s.xdo("click", "--delay", 0, BACK_BUTTON)
    rx.log.wait_count(r"^KEYDOWN 231 ", 100, 10)  # the characters arrive as packets
    vela.post(IDS.ID_TRAY_EXIT)
    vela.proc.wait(10)
    typed = rx.log.count(r"^KEYDOWN 231 ")
    time.sleep(0.5)
    ctx.log(f"Exit after {typed} of 3900 characters")
    ctx.check("Exit stopped the text at once", (rx.log.count(r"^KEYDOWN 231 ") == typed,
                                                typed < 3900), (True, True))
    ctx.check("nothing down after Exit", s.keys_down(WATCHED_KEYS + (13, 231)), [])
