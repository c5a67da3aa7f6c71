"""Per-program profiles: the program in front picks what each input does."""

import os
import re
import shutil
import time

from harness import (COPY, CTRL_C, CTRL_V, FORWARD, IDS, LAYER_WHILE_HELD, NATIVE, NATIVE_FORWARD,
                     PASTE, WHEEL_DOWN, WHEEL_UP, Abort, Receiver, Vela, XTest, ini, layer, lightness, layout,
                     qpc_now, short, slot, wait_until)

# "All Programs": the forward button copies. Über.exe pastes with it (its
# profile spelt in other capitals, as Windows compares file names); Third.exe
# leaves it alone. A gap in the list loses no profile.
SETTINGS = "\ufeff" + ini(slot("X1", **COPY), "[Profiles]", "1=\u00fcBER.EXE", "3=Third.exe",
                          slot("X1", **PASTE, profile="\u00fcBER.EXE"),
                          slot("X1", "Forward", **NATIVE, profile="Third.exe"))


def program_named(s, name):
    """The probe copied as another program, `name` in the work folder's
    "programs": the profiles follow a program by its file's name."""
    exe = os.path.join(s.work, "programs", name)
    os.makedirs(os.path.dirname(exe), exist_ok=True)
    shutil.copy2(s.probe_exe, exe)
    return exe


def press_in(ctx, rx, want):
    """Clicks into the receiver's program (it is in front now), then
    presses the forward button; what reached the program."""
    ctx.s.xdo("mousemove", *rx.centre, "click", 1)
    time.sleep(0.15)  # as long as a hand takes from the click to the side button
    return rx.collect(FORWARD, want=want)


def program_in_front(ctx):
    """Three programs side by side; clicking into each in turn, the forward
    button gives Ctrl+C in the first (no profile), Ctrl+V in the second and
    the native button in the third, and again after going back."""
    s = ctx.s
    vela = Vela(s)
    vela.write_settings(SETTINGS, encoding="utf-16-le")
    vela.start_in_tray()
    receivers = []
    for n, name in enumerate(("VelaProbe.exe", "\u00dcber.exe", "Third.exe")):
        exe = program_named(s, name) if name != "VelaProbe.exe" else None
        receivers.append(Receiver(s, exe=exe, left=n * 420, width=410, exit_after=60))
    first, second, third = receivers

    vela.post(IDS.IDCANCEL)  # the window hides: the receivers are clear
    vela.wait_visible(0)
    for round_ in ("", " again"):
        ctx.check("no profile: Ctrl+C" + round_, press_in(ctx, first, 4), CTRL_C)
        ctx.check("\u00dcber.exe's profile: Ctrl+V" + round_, press_in(ctx, second, 4), CTRL_V)
        ctx.check("Third.exe leaves it alone: the button itself" + round_, press_in(ctx, third, 2),
                  NATIVE_FORWARD)


# "All Programs" copies; Third.exe's profile has "No Settings" for the forward
# button over what was Paste: the values stay, the input is left alone.
LEFT_ALONE_IN_THIRD = ini(slot("X1", **COPY), "[Profiles]", "1=Third.exe",
                          slot("X1", "Forward", hooked=0, action=2, vk=86, profile="Third.exe"))


def first_press_after_an_unseen_switch(ctx):
    """A program that came to the front by itself (no click Vela could see)
    and whose profile leaves the forward button alone: the very first press
    in it is the button itself, down and up, with no click and no key."""
    s = ctx.s
    Vela(s, settings=LEFT_ALONE_IN_THIRD).start_in_tray()
    third_exe = program_named(s, "Third.exe")
    third = Receiver(s, "--raise-on-wheel", exe=third_exe, left=420, width=410, exit_after=60)
    first = Receiver(s, left=0, width=410, exit_after=60)
    ctx.check("clicked into the first program: Ctrl+C", press_in(ctx, first, 4), CTRL_C)

    # Past the looks Vela takes after a click (320 ms): only the press may
    # tell it that another program is in front now. Time must pass.
    time.sleep(1)
    s.xdo("mousemove", *third.centre, "click", 4)
    if not third.log.wait(r"^RAISED 1$", 5):
        raise Abort("Third.exe did not come to the front by itself")
    mark = third.log.mark()
    third.collect(FORWARD, want=2)
    # The settling click is the harness's own and may overtake Vela's answer
    # on a busy machine: only the one left click may come besides the button.
    seen = [re.sub(r"^([LRM]BUTTON\w+) .*", r"\1", short(line))
            for line in third.log.since(mark) if not line.startswith("MOUSEMOVE")]
    ctx.check("first press in Third.exe: the button itself, and only the settling click",
              ([line for line in seen if not line.startswith("LBUTTON")], seen.count("LBUTTONDOWN")),
              (["XBUTTONDOWN 2", "XBUTTONUP 2"], 1))


def profile_menu(ctx):
    """The profile caption's menu, as a user works it: "New Profile For" lists
    the open programs; the new profile shows "All Programs"' functions dimmed
    until a slot is given its own; its choice is saved in the program's
    section and acts in that program only; "Delete This Profile" ends it."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY)))
    second_exe = program_named(s, "Second.exe")
    first = Receiver(s, left=0, width=300, exit_after=90)
    second = Receiver(s, exe=second_exe, left=310, width=300, exit_after=90)
    window = vela.start_shown()
    ctx.tray().wait_icon()
    xy = s.geometry(window)[:2]
    ctx.check("profile caption at start", vela.text("IDC_CAPTION_DPI"), "All Programs")

    menu = ctx.menu()
    root = menu.open_caption(xy, "0, 4")  # the profile caption
    # "All Programs", "New Profile For", "Delete This Profile" (greyed), the
    # two exports and the import.
    menu.hover(root, 1, 6)
    programs_level = menu.wait_level(2)
    row = (s.geometry(root)[3] - 2 * menu.FRAME) / 6
    listed = round((s.geometry(programs_level)[3] - 2 * menu.FRAME) / row)
    ctx.check("New Profile For lists both receivers' programs", listed >= 2, True)
    # Sorted, the receivers' programs last: Second.exe, then VelaProbe.exe
    # (Wine's own explorer.exe may come first).
    menu.slide_into(programs_level, listed - 2, listed)
    s.screenshot(os.path.join(s.work, "profile-menu.png"))
    s.xdo("click", 1)
    ctx.check("new profile saved", bool(vela.wait_saved("Profiles", "1", "Second.exe")), True)
    view = vela.texts()
    ctx.check("profile caption names the program", view.get(IDS.IDC_CAPTION_DPI), "Second.exe")
    ctx.check("X1 shows the inherited Copy", view.get(IDS.IDC_CAPTION_X1), "Copy")
    shot = s.screenshot(os.path.join(s.work, "profile-inherited.png"))
    x, y, w, h = layout("g.caption_rect(0, 2)")  # X1's caption
    x1 = (xy[0] + x, xy[1] + y, w, h)
    inherited = lightness(shot, x1)

    # Paste for X1 in this profile only.
    vela.make_active("X1")
    vela.post(IDS.menu("Paste(Ctrl+V)"))
    ctx.check("the profile's own X1 saved",
              bool(vela.wait_saved("Second.exe", "X1.0", "Paste")), True)
    ctx.check("All Programs keeps Copy", vela.ini("X1ButtonSetting", "0"), "Copy")
    own = lightness(s.screenshot(os.path.join(s.work, "profile-own.png")), x1)
    ctx.log(f"X1 caption lightness: inherited {inherited:.2f}, own {own:.2f}")
    ctx.check("an inherited caption is drawn dimmer than the profile's own",
              0 < inherited < own - 0.15, True)

    vela.post(IDS.IDCANCEL)  # the window hides: the receivers are clear
    vela.wait_visible(0)
    ctx.check("Second.exe: its profile's Ctrl+V", press_in(ctx, second, 4), CTRL_V)
    ctx.check("VelaProbe.exe: All Programs' Ctrl+C", press_in(ctx, first, 4), CTRL_C)

    vela.post(IDS.kDeleteProfileCommand)
    ctx.check("deleted profile gone from the file",
              bool(wait_until(lambda: vela.ini("Profiles", "1") == "", 3, 0.05)), True)
    ctx.check("profile caption back to All Programs", vela.text("IDC_CAPTION_DPI"),
              "All Programs")
    ctx.check("Second.exe: Ctrl+C again", press_in(ctx, second, 4), CTRL_C)



def type_into_file_dialog(ctx, title, path):
    """Waits for Windows' file dialog called `title`, types `path` over the
    name it suggests and confirms it; the dialog is gone afterwards."""
    s = ctx.s
    if not wait_until(lambda: s.visible_windows(f"^{title}$"), 10, 0.1):
        raise Abort(f"no \"{title}\" dialog")
    time.sleep(0.3)
    s.xdo("key", "--clearmodifiers", "End", "shift+Home")
    s.xdo("type", "--delay", "5", s.winpath(path))
    s.xdo("key", "Return")
    ctx.check(f"the {title} dialog closes",
              bool(wait_until(lambda: not s.visible_windows(f"^{title}$"), 5, 0.1)), True)


def profile_files(ctx):
    """Profiles shared as files through Windows' own dialogs: a name typed
    without an extension in "Export All Profiles…" gets ".velaprofile", the
    file is UTF-16 in the settings form; "Import Profile…" reads a changed
    copy back, the profile there is replaced once the question is answered
    Yes, and the settings are saved."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY), "[Profiles]", "1=notepad.exe",
                                slot("X1", **PASTE, profile="notepad.exe")))
    vela.start_shown()
    shared = os.path.join(s.work, "shared")
    exported = shared + ".velaprofile"
    changed = os.path.join(s.work, "changed.velaprofile")
    for stale in (exported, changed):  # a file there would be asked about first
        if os.path.exists(stale):
            os.remove(stale)
    vela.post(IDS.kExportAllProfilesCommand)
    type_into_file_dialog(ctx, "Save As", shared)
    ctx.check("the extension added", bool(wait_until(lambda: os.path.exists(exported), 5)), True)
    with open(exported, "rb") as f:
        data = f.read()
    ctx.check("UTF-16LE with its mark", data[:2], b"\xff\xfe")
    text = data[2:].decode("utf-16-le")
    ctx.check("the settings form", "[Profiles]\r\n1=notepad.exe\r\n" in text
              and "X1.0=Paste\r\n" in text, True)

    with open(changed, "wb") as f:
        f.write(b"\xff\xfe" + text.replace("X1.0=Paste", "X1.0=Paste Here").encode("utf-16-le"))
    vela.post(IDS.kImportProfileCommand)
    type_into_file_dialog(ctx, "Open", changed)
    time.sleep(0.5)
    s.xdo("key", "Return")  # Yes: replace notepad.exe's profile
    ctx.check("imported and saved",
              bool(vela.wait_saved("notepad.exe", "X1.0", "Paste Here", timeout=8)), True)


# "All Programs": the forward button copies; Vela is off in Game.exe.
VELA_OFF_IN_GAME = ini(slot("X1", **COPY), "[Profiles]", "1=Game.exe", "[Game.exe]", "Off=1")


def vela_off_in_a_program(ctx):
    """A program whose profile has Vela off: while it is in front no
    low-level hook of Vela's is called (the forward button, a key, the wheel
    and clicks reach it as they are) and the tray icon is grey, its tip
    naming the program; a click into another program brings the remapping
    back."""
    s = ctx.s
    vela = Vela(s, settings=VELA_OFF_IN_GAME)
    vela.start(trace_hooks=True)
    vela.wait_ready(visible=0)
    tray = ctx.tray()
    game_exe = program_named(s, "Game.exe")
    # Beside the tray's window at the top left, which must stay in sight.
    first = Receiver(s, left=200, width=500, exit_after=60)
    game = Receiver(s, exe=game_exe, left=710, width=500, exit_after=60)

    def tip():
        hit = s.probe("icon").last(r"^tip (.*)$")
        return hit[2].group(1) if hit else ""

    ctx.check("no profile: Ctrl+C", press_in(ctx, first, 4), CTRL_C)
    s.xdo("mousemove", *game.centre, "click", 1)
    ctx.check("the tip says Vela is off in Game.exe",
              bool(wait_until(lambda: tip().endswith(" (off in Game.exe)"), 5, 0.1)), True)
    ctx.check("the icon grey", tray.wait_colour(False, "vela-off") < 0.3, True)
    time.sleep(0.3)  # the hooks' thread takes them out on its own time
    calls = vela.low_level_hook_calls()
    ctx.check("Game.exe: the button itself", game.collect(FORWARD, want=2), NATIVE_FORWARD)
    game.collect(["key", "--delay", 0, "a"], ["click", "--delay", 0, 5], want=3)
    ctx.check("no hook of Vela's called in Game.exe", vela.low_level_hook_calls() - calls, 0)

    s.xdo("mousemove", *first.centre, "click", 1)
    ctx.check("clicked into the first program: the tip plain again",
              bool(wait_until(lambda: tip() and "off in" not in tip(), 5, 0.05)), True)
    ctx.check("the icon green again", tray.wait_colour(True, "vela-on") > 0.5, True)
    ctx.check("the first program: Ctrl+C again", first.collect(FORWARD, want=4), CTRL_C)


# "All Programs": the forward button copies and the wheel down presses Page
# Down. Windows titled "*Mail*" of any program paste; Browser.exe's windows
# titled "*Video*" leave the forward button and the wheel alone.
BY_WINDOW = ini(slot("X1", **COPY), slot("WD", "Page Down", vk=34),
                "[Window:1]", "Title=*Mail*",
                slot("X1", profile="Window:1", **PASTE)[1:],
                "[Window:2]", "Program=Browser.exe", "Title=*video*",
                slot("X1", "Forward", profile="Window:2", **NATIVE)[1:],
                slot("WD", "Wheel Down", profile="Window:2", **NATIVE)[1:])
PAGE_DOWN = ["KEYDOWN 34", "KEYUP 34"]


def profiles_by_window(ctx):
    """Two windows of one program told apart by their titles: each gets its
    profile's function; the Mail window renaming itself to a video's title
    switches the profile at the next press. With "Wheel Follows the Pointer"
    a notch over the video window behind acts by that window's profile (the
    notch itself reaches it), and over the one in front by its own."""
    s = ctx.s
    vela = Vela(s, settings=BY_WINDOW)
    vela.start_in_tray()
    exe = program_named(s, "Browser.exe")
    mail = Receiver(s, "--title", "Inbox-Mail", "--retitle-on-f9", "Cats-Video", exe=exe,
                    left=0, width=410, exit_after=90)
    video = Receiver(s, "--title", "Dogs-VIDEO", exe=exe, left=420, width=410, exit_after=90)
    vela.post(IDS.IDCANCEL)
    vela.wait_visible(0)
    ctx.check("the Mail window: Ctrl+V", press_in(ctx, mail, 4), CTRL_V)
    ctx.check("the video window: the button itself", press_in(ctx, video, 2), NATIVE_FORWARD)
    ctx.check("the video window: the wheel itself", video.collect(WHEEL_DOWN, want=1),
              ["MOUSEWHEEL -120"])

    # The tray's option, then a notch over the video window with Mail in front.
    ctx.check("the Mail window again: Ctrl+V", press_in(ctx, mail, 4), CTRL_V)
    vela.post(IDS.ID_TRAY_WHEEL)
    ctx.check("the option saved", bool(vela.wait_saved("Vela", "WheelFollowsPointer", "1")), True)
    mark, video_mark = mail.log.mark(), video.log.mark()
    s.xdo("mousemove", *video.centre, "click", "--delay", 0, 5)
    ctx.check("a notch over the video window behind reaches it as it is",
              bool(video.log.wait_count(r"^MOUSEWHEEL -120$", 1, 5, since=video_mark)), True)
    time.sleep(0.3)
    ctx.check("and no Page Down in the Mail window in front",
              [line for line in mail.log.since(mark) if line.startswith("KEY")], [])
    s.xdo("mousemove", *mail.centre)
    ctx.check("a notch over the Mail window: All Programs' Page Down",
              mail.collect(WHEEL_DOWN, want=2), PAGE_DOWN)

    s.xdo("key", "F9")
    if not mail.log.wait(r"^RETITLED$", 5):
        raise Abort("the Mail window did not rename itself")
    ctx.check("renamed to a video's title: its next press is the button itself",
              mail.collect(FORWARD, want=4)[-2:], NATIVE_FORWARD)


# Back is a modifier: held, the wheel turns the volume and the forward button
# presses Ctrl+Tab; tapped alone it is Back. Then the layer's forward button
# holds Shift.
BACK_LAYER = ini(slot("X2", **LAYER_WHILE_HELD),
                 layer("X2", WU=dict(caption="Volume Up", vk=175),
                       WD=dict(caption="Volume Down", vk=174),
                       X1=dict(caption="Ctrl+Tab", action=9, Keys="162+9")))
SHIFT_IN_LAYER = ini(slot("X2", **LAYER_WHILE_HELD),
                     layer("X2", X1=dict(caption="Shift", vk=16, Hold=1)))
BACK_BUTTON, FORWARD_BUTTON = 8, 9
HAND_MS = 150  # from a modifier's press to the next button's, a hand takes this long at least


def played(ctx, xtest, rx, *steps, want):
    """Plays `steps`, each an X button pressed (its number) or let go (its
    number negated), or an xdotool action; what reached the window, pointer
    traffic left out, and what of it came after the last button step."""
    mark = rx.log.mark()
    for step in steps:
        if isinstance(step, int):
            stamp = xtest.button(abs(step), step > 0)
            time.sleep(HAND_MS / 1000 if step > 0 else 0)
        else:
            ctx.s.xdo(*step)
    rx.settle()
    wait_until(lambda: len(rx.keys_and_buttons(mark)) >= want, 5, 0.05)
    time.sleep(0.3)  # what must not come has no sign of its own
    later = [short(text) for t, text in rx.log.entries()[mark:] if t and t >= stamp]
    return rx.keys_and_buttons(mark), later


def layer_while_held(ctx):
    """The back button as a modifier: held, three notches up are three Volume
    Up keys and no wheel, the forward button Ctrl+Tab and no button; let go,
    the wheel scrolls again; tapped, it is the back button sent at its
    release; a Shift the layer's forward button holds comes up with that
    button's release, after the back button's."""
    s = ctx.s
    vela = Vela(s, settings=BACK_LAYER)
    vela.start_hidden()
    rx = Receiver(s, exit_after=120)
    xtest = XTest(s.display)
    seen, _ = played(ctx, xtest, rx, BACK_BUTTON, ["click", "--repeat", 3, "--delay", 0, 4],
                     FORWARD, -BACK_BUTTON, want=10)
    ctx.check("Back held: three Volume Up, Ctrl+Tab, no wheel and no button", seen,
              ["KEYDOWN 175", "KEYUP 175"] * 3 + ["KEYDOWN 17", "KEYDOWN 9", "KEYUP 9", "KEYUP 17"])
    ctx.check("Back let go: the wheel scrolls", rx.collect(WHEEL_UP, want=1), ["MOUSEWHEEL 120"])
    seen, after = played(ctx, xtest, rx, BACK_BUTTON, -BACK_BUTTON, want=2)
    ctx.check("Back tapped: the back button itself, at the release, nothing else",
              (seen, "XBUTTONDOWN 1" in after), (["XBUTTONDOWN 1", "XBUTTONUP 1"], True))

    vela.post(IDS.ID_TRAY_EXIT)
    vela.proc.wait(10)
    vela.write_settings(SHIFT_IN_LAYER)
    vela.start_hidden()
    rx.settle()  # Vela's start took the focus from the window: a click gives it back
    seen, after = played(ctx, xtest, rx, BACK_BUTTON, FORWARD_BUTTON, -BACK_BUTTON,
                         -FORWARD_BUTTON, want=2)
    ctx.check("Back let go before Forward: Shift up at Forward's release, no button",
              (seen, "KEYUP 16" in after), (["KEYDOWN 16", "KEYUP 16"], True))

    # Only input begun during the hold spoils the tap: a left release the
    # chatter filter held back (its window on since the left button bounced)
    # is let go as Back goes down 5 ms later, and Back is still a tap; a left
    # click or a tilt while Back is held spoils it.
    vela.post(IDS.ID_TRAY_EXIT)
    vela.proc.wait(10)
    vela.write_settings(SHIFT_IN_LAYER + "[Mouse]\r\nChatterLeft=1\r\n")
    vela.start_hidden()
    rx.settle()
    xtest.edges(1, [40, 8, 40])
    time.sleep(0.3)
    for name, between, want in (("left let go 5 ms before Back", None, ["XBUTTONDOWN 1",
                                                                         "XBUTTONUP 1"]),
                                ("a left click during the hold", 1, []),
                                ("a tilt during the hold", 7, ["MOUSEHWHEEL 120"])):
        mark = rx.log.mark()
        if between is None:
            up = xtest.edges(1, [40])[-1]
            while qpc_now() < up + 50000:
                pass
        xtest.button(BACK_BUTTON, True)
        if between:
            time.sleep(0.05)
            xtest.edges(between, [20])
        time.sleep(0.1)
        xtest.button(BACK_BUTTON, False)
        rx.settle()
        wait_until(lambda: len(rx.keys_and_buttons(mark)) >= len(want), 3, 0.05)
        time.sleep(0.3)
        ctx.check(f"Back tapped, {name}", rx.keys_and_buttons(mark), want)


# "Show Profile Changes" on; Notice.exe has a profile of its own.
NOTICE_ON = "\ufeff" + ini(slot("X1", **COPY), "[Profiles]", "1=Notice.exe",
                            slot("X1", **PASTE, profile="Notice.exe"), "[Vela]",
                            "ShowProfileChanges=1")


def notice_on_the_switch(ctx):
    """With "Show Profile Changes" on, a click into a program with a profile
    shows a notice of Vela's naming it; the program keeps the focus (its
    profile's Ctrl+V reaches it), a click on the notice goes to the program
    below, and the notice is gone by itself about a second later."""
    s = ctx.s
    vela = Vela(s)
    vela.write_settings(NOTICE_ON, encoding="utf-16-le")
    vela.start_in_tray()
    exe = program_named(s, "Notice.exe")
    first = Receiver(s, left=0, width=410, exit_after=60)
    rx = Receiver(s, exe=exe, left=420, width=410, exit_after=60)
    vela.post(IDS.IDCANCEL)
    vela.wait_visible(0)
    s.xdo("mousemove", *first.centre, "click", 1)
    time.sleep(2)  # "All Programs" in front, whatever notice that brought gone
    gone = wait_until(lambda: not s.visible_windows("^All Programs$"), 10, 0.05)
    ctx.check("no notice left of the start", bool(gone), True)

    s.xdo("mousemove", *rx.centre, "click", 1)
    shown = wait_until(lambda: s.visible_windows("^Notice.exe$"), 5, 0.02)
    ctx.check("a notice names the profile now applying", bool(shown), True)
    read = s.probe("read", "--class", "VelaNotice")
    ctx.check("the notice is Vela's notice window", read.value("read"), "Notice.exe")
    if shown:
        x, y, w, h = s.geometry(shown[0])
        s.screenshot(os.path.join(s.work, "notice.png"), (x - 40, y - 40, w + 80, h + 80))
        ctx.check("the notice lies over the program, by the pointer",
                  420 <= x and x + w <= 830 and abs(y - 512) < 200, True)
        mark = rx.log.mark()
        s.xdo("mousemove", x + w // 2, y + h // 2, "click", 1)
        ctx.check("a click on the notice reaches the program below",
                  rx.log.wait_count(r"^LBUTTONUP", 1, 5, since=mark), True)
    ctx.check("the program keeps the focus: its profile's Ctrl+V reaches it",
              rx.collect(FORWARD, want=4), CTRL_V)
    gone = wait_until(lambda: not s.visible_windows("^Notice.exe$"), 10, 0.05)
    ctx.check("the notice goes by itself", bool(gone), True)
