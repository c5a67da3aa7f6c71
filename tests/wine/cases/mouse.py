"""The mouse itself, tuned in Vela's "[Mouse]" section: a worn switch's
chatter filtered, the wheel reversed, sped up and its stray notches dropped.
Real X input with timed gaps (XTest), seen by a receiver beside the tray."""

import re
import time

from harness import (COPY, CTRL_C, Receiver, Tray, Vela, XTest, ini, menu_row_point, short,
                     slot, wait_until)

LEFT_CLICK = ["LBUTTONDOWN", "LBUTTONUP"]
RIGHT_CLICK = ["RBUTTONDOWN", "RBUTTONUP"]

# What a switch does (X button; ms between its presses and releases in turn,
# a press first), what reaches the window, bounces counted.
CHATTER = [
    ("a bounce 8 ms after the release: one click", 1, [40, 8, 40], LEFT_CLICK, 1),
    ("a release bounce inside a 300 ms hold: one long press", 1, [150, 5, 145], LEFT_CLICK, 1),
    ("a double click 90 ms apart: two clicks", 1, [40, 90, 40], LEFT_CLICK * 2, 0),
    ("a double click 150 ms apart: two clicks", 1, [40, 150, 40], LEFT_CLICK * 2, 0),
    ("a bounce after the release went out: one click", 1, [40, 30, 10], LEFT_CLICK, 1),
    ("right button, an 8 ms bounce: one click", 3, [40, 8, 40], RIGHT_CLICK, 1),
    ("forward button remapped to Copy, an 8 ms bounce: one copy", 9, [40, 8, 40], CTRL_C, 1),
]
BOUNCE = [40, 8, 40]

# Wheel notches (X buttons 4 up, 5 down, 6 tilt left, 7 tilt right; a number
# with a point is a pause in seconds) and what reaches the window: down is
# reversed and tripled, up is remapped to Zoom In (one per notch turned), the
# tilt tripled but not reversed.
ZOOM_IN = ["KEYDOWN 107", "KEYUP 107"]
WHEEL = [
    ("a notch down: reversed and three", "5", ["MOUSEWHEEL 360"]),
    ("two notches up, remapped: the function twice", "4 4", ZOOM_IN * 2),
    ("a tilt right: three, not reversed", "7", ["MOUSEHWHEEL 360"]),
    ("a stray notch up in a run down is dropped", "5 5 4 5", ["MOUSEWHEEL 360"] * 3),
    ("turning back after a pause is a turn", "5 .2 4", ["MOUSEWHEEL 360"] + ZOOM_IN),
]


def plain(line):
    """A receiver line without the pointer's place or a key's scan code."""
    return re.sub(r"^([LRM]BUTTON(?:DOWN|UP)) .*$", r"\1", short(line))


def received(rx, mark, want, quiet=0.3):
    """What reached the window since `mark`, pointer moves left out, once at
    least `want` lines came and then nothing for `quiet` seconds."""
    def lines():
        return [plain(t) for t in rx.log.since(mark) if not t.startswith("MOUSEMOVE")]

    wait_until(lambda: len(lines()) >= want, 5, 0.02)
    time.sleep(quiet)
    return lines()


def play(ctx, rx, xtest, button, gaps, want):
    """Plays a switch's presses and releases `gaps` ms apart; the receiver's
    mark, what reached the window and how many tries were played again. A
    loaded machine can stretch a gap past what the row means (an 8 ms bounce
    sent 60 ms late is a click): such a try is played again, up to twice."""
    for again in range(3):
        mark = rx.log.mark()
        stamps = xtest.edges(button, gaps)
        got = received(rx, mark, len(want))
        played = [(b - a) / 10000 for a, b in zip(stamps, stamps[1:])]
        if all(abs(p - g) < 5 for p, g in zip(played, gaps)):
            break
        ctx.log(f"gaps {played} ms for {gaps}: played again")
    return mark, got, again


def turn(ctx, rx, xtest, notches, want):
    """Turns the wheel by `notches` ("5 5 4", a pause in seconds as ".2");
    what reached the window and how many tries were played again (notches
    meant to be close that came 60 ms and more apart)."""
    for again in range(3):
        mark, stamps = rx.log.mark(), []
        for step in notches.split():
            if "." in step:
                time.sleep(float(step))
                stamps.append(None)
                continue
            stamps.append(xtest.edges(int(step), [0])[0])
            time.sleep(0.01)
        got = received(rx, mark, len(want))
        if all(b - a < 600000 for a, b in zip(stamps, stamps[1:]) if a and b):
            break
        ctx.log(f"notches {notches} came too far apart: played again")
    return got, again


def tip(s):
    hit = s.probe("icon").last(r"^tip (.*)$")
    return hit[2].group(1) if hit else None


def start(ctx, *sections):
    """Vela in the tray with these settings, a receiver beside the tray, XTest."""
    vela = Vela(ctx.s, settings=ini(*sections))
    vela.start_hidden()
    return vela, Receiver(ctx.s, left=200, width=1080), XTest(ctx.s.display)


def choose(ctx, tray, rx, rows):
    """Opens the tray's "Mouse" submenu and clicks through `rows`: (row, rows,
    separators) of each level, the last one chosen; the pointer goes back
    over the receiver."""
    rect = tray.open_mouse_menu()
    for row, count, separators in rows[:-1]:
        rect = tray.open_submenu(rect, row, count, separators)
    row, count, separators = rows[-1]
    ctx.s.xdo("mousemove", *menu_row_point(rect, row, count, separators))
    time.sleep(0.15)
    ctx.s.xdo("click", 1)
    wait_until(lambda: not tray.open_menus(), 3, 0.05)
    ctx.s.xdo("mousemove", *rx.centre)


def chatter(ctx):
    """The chatter filter on the left, right and forward buttons (the forward
    one remapped): bounces are swallowed, a person's double click is not, the
    tip counts them; off from the menu, or paused, every bounce goes through
    again."""
    s = ctx.s
    vela, rx, xtest = start(ctx, slot("X1", **COPY), "[Mouse]", "ChatterLeft=1", "ChatterRight=1",
                            "ChatterForward=1")
    counted = replayed = 0
    for name, button, gaps, want, bounces in CHATTER:
        mark, got, again = play(ctx, rx, xtest, button, gaps, want)
        ctx.check(f"filter on: {name}", got, want)
        counted, replayed = counted + bounces, replayed + again
        if gaps[0] >= 150 and got == want:
            entries = [stamp for stamp, text in rx.log.entries()[mark:] if plain(text) in want]
            ctx.check("the long press lasted its 300 ms", entries[1] - entries[0] >= 2900000, True)
    # A try played again may have had a bounce of its own.
    shown = wait_until(lambda: re.search(r" (\d+) bounces filtered$", tip(s) or ""), 5, 0.2)
    ctx.check("the tip counts the bounces",
              shown and counted <= int(shown.group(1)) <= counted + replayed, True)

    tray = Tray(s)
    # Left Button > Filter Double Clicks.
    choose(ctx, tray, rx, [(0, Tray.MOUSE_ROWS, Tray.MOUSE_SEPARATORS), (0, 7, (1, 6))])
    ctx.check("off from the menu: saved", vela.wait_saved("Mouse", "ChatterLeft", "0"), True)
    ctx.check("filter off: an 8 ms bounce is a second click",
              play(ctx, rx, xtest, 1, BOUNCE, LEFT_CLICK * 2)[1], LEFT_CLICK * 2)

    s.xdo("key", "ctrl+alt+shift+p")
    tray.wait_colour(False, "mouse-paused")
    ctx.check("paused: an 8 ms bounce is a second click",
              play(ctx, rx, xtest, 3, BOUNCE, RIGHT_CLICK * 2)[1], RIGHT_CLICK * 2)
    s.xdo("key", "ctrl+alt+shift+p")
    tray.wait_colour(True, "mouse-resumed")
    ctx.check("resumed: filtered again", play(ctx, rx, xtest, 3, BOUNCE, RIGHT_CLICK)[1],
              RIGHT_CLICK)


def wheel(ctx):
    """The wheel reversed and tripled, a remapped wheel slot firing once per
    notch turned, a stray notch dropped before the remapping sees it, and the
    tilt reversed from the menu."""
    vela, rx, xtest = start(ctx, slot("WU", "Zoom In", vk=107), "[Mouse]",
                            "WheelReverseVertical=1", "WheelNotches=3", "WheelBounceFilter=1")
    replayed = 0
    for name, notches, want in WHEEL:
        got, again = turn(ctx, rx, xtest, notches, want)
        ctx.check(name, got, want)
        replayed += again
    shown = wait_until(lambda: re.search(r" (\d+) bounces? filtered$", tip(ctx.s) or ""), 5, 0.2)
    ctx.check("the stray notch counted", shown and 1 <= int(shown.group(1)) <= 1 + replayed, True)

    choose(ctx, Tray(ctx.s), rx, [(6, Tray.MOUSE_ROWS, Tray.MOUSE_SEPARATORS)])  # Reverse Tilt
    ctx.check("reverse tilt from the menu: saved",
              vela.wait_saved("Mouse", "WheelReverseHorizontal", "1"), True)
    mark = rx.log.mark()
    xtest.edges(7, [0])
    ctx.check("a tilt right: reversed and three", received(rx, mark, 1), ["MOUSEHWHEEL -360"])
