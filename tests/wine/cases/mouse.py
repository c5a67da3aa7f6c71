"""The mouse itself, tuned in Vela's "[Mouse]" section: a worn switch's
chatter filtered, the wheel reversed, sped up and its stray notches dropped.
Real X input with timed gaps (XTest), seen by a receiver beside the tray."""

import re
import time

from harness import (COPY, CTRL_C, CTRL_V, LAYER_WHILE_HELD, NATIVE_FORWARD, Receiver, Tray, Vela,
                     XTest, ini, short, slot, wait_until)

LEFT, RIGHT = ["LBUTTONDOWN", "LBUTTONUP"], ["RBUTTONDOWN", "RBUTTONUP"]
BOUNCE = [40, 8, 40]
# A switch (X button; ms between its presses and releases in turn, a press
# first), what reaches the window, bounces counted.
CHATTER = [
    ("a bounce 8 ms after the release: one click", 1, BOUNCE, LEFT, 1),
    ("a release bounce inside a 300 ms hold: one long press", 1, [150, 5, 145], LEFT, 1),
    ("a double click 90 ms apart: two clicks", 1, [40, 90, 40], LEFT * 2, 0),
    ("a double click 150 ms apart: two clicks", 1, [40, 150, 40], LEFT * 2, 0),
    ("a bounce after the release went out: one click", 1, [40, 30, 10], LEFT, 1),
    ("right button, an 8 ms bounce: one click", 3, BOUNCE, RIGHT, 1),
    ("forward button remapped to Copy, an 8 ms bounce: one copy", 9, BOUNCE, CTRL_C, 1),
]
# Notches 10 ms apart (X buttons 4 up, 5 down, 7 tilt right; ".2" a pause of
# 0.2 s): down is reversed and tripled, up remapped to Zoom In (once a notch),
# the tilt tripled.
ZOOM_IN = ["KEYDOWN 107", "KEYUP 107"]
WHEEL = [
    ("a notch down: reversed and three", "5", ["MOUSEWHEEL 360"]),
    ("two notches up, remapped: the function twice", "4 4", ZOOM_IN * 2),
    ("a tilt right: three, not reversed", "7", ["MOUSEHWHEEL 360"]),
    ("a stray notch up in a run down is dropped", "5 5 4 5", ["MOUSEWHEEL 360"] * 3),
    ("turning back after a pause is a turn", "5 .2 4", ["MOUSEWHEEL 360"] + ZOOM_IN),
]


def received(rx, mark, want):
    """What reached the window since `mark`, pointer moves and places left
    out, once `want` lines came and then nothing for 0.3 s."""
    def lines():
        return [re.sub(r"^([LRM]BUTTON\w+) .*", r"\1", short(t)) for t in rx.log.since(mark)
                if not t.startswith("MOUSEMOVE")]

    wait_until(lambda: len(lines()) >= want, 5, 0.02)
    time.sleep(0.3)
    return lines()


def play(ctx, rx, xtest, want, steps, tries=3):
    """Plays `steps` (X button and ms to the next edge, or None and seconds to
    wait) and returns the receiver's mark, what reached the window and the
    tries played again: a loaded machine can stretch a gap past what the row
    means (an 8 ms bounce sent 60 ms late is a click)."""
    for again in range(tries):
        mark, off, last, waited = rx.log.mark(), False, None, 0
        for button, gaps in steps:
            if button is None:
                time.sleep(gaps)
                waited += gaps
                continue
            stamps = xtest.edges(button, gaps)
            off |= any(abs((b - a) / 1e4 - g) > 5 for a, b, g in zip(stamps, stamps[1:], gaps))
            off |= last is not None and (stamps[0] - last) / 1e7 > waited + 0.03
            last, waited = stamps[-1], 0
        got = received(rx, mark, len(want))
        if not off or again == tries - 1:
            break
        ctx.log(f"{steps}: a gap came too late, played again")
    return mark, got, again


def counted(ctx, least, replayed):
    """Whether the tip counts between `least` bounces and one more per try
    played again (which may have had a bounce of its own)."""
    def tip():
        hit = ctx.s.probe("icon").last(r"^tip (.*)$")
        return re.search(r" (\d+) bounces? filtered$", hit[2].group(1)) if hit else None

    shown = wait_until(tip, 5, 0.2)
    return bool(shown) and least <= int(shown.group(1)) <= least + replayed


def start(ctx, *sections):
    vela = Vela(ctx.s, settings=ini(*sections))
    vela.start_hidden()
    return vela, Receiver(ctx.s, left=200, width=1080), XTest(ctx.s.display)


def choose(ctx, rx, *levels):
    """Clicks through the tray's "Mouse" submenu: (row, rows, separators) of
    each level, the last one chosen; the pointer goes back over the receiver."""
    tray = Tray(ctx.s)
    rect = tray.open_mouse_menu()
    for level in levels[:-1]:
        rect = tray.open_submenu(rect, *level)
    tray.choose(levels[-1][0], rect, *levels[-1][1:])
    wait_until(lambda: not tray.open_menus(), 3, 0.05)
    ctx.s.xdo("mousemove", *rx.centre)


def chatter(ctx):
    """Bounces of the left, right and (remapped) forward buttons are
    swallowed once each has bounced the first time, a person's double click is
    not, the tip counts them; off from the menu, or paused, every bounce goes
    through again."""
    vela, rx, xtest = start(ctx, slot("X1", **COPY), "[Mouse]", "ChatterLeft=1", "ChatterRight=1",
                            "ChatterForward=1")
    bounces = replayed = 0
    # A healthy button's releases are not held back: its first bounce passes
    # and switches the release window on for the rows below.
    for name, button, want in (("left", 1, LEFT), ("right", 3, RIGHT), ("forward", 9, CTRL_C)):
        # Played once: played again, the window would be on already.
        got = play(ctx, rx, xtest, want * 2, [(button, BOUNCE)], tries=1)[1]
        ctx.check(f"filter on: the {name} button's first bounce passes", got, want * 2)
    for name, button, gaps, want, bounced in CHATTER:
        mark, got, again = play(ctx, rx, xtest, want, [(button, gaps)])
        bounces, replayed = bounces + bounced, replayed + again
        if ctx.check(f"filter on: {name}", got, want) and sum(gaps) >= 300:
            stamps = [stamp for stamp, text in rx.log.entries()[mark:] if "BUTTON" in text]
            ctx.check("the long press lasted its 300 ms", stamps[-1] - stamps[0] >= 2900000, True)
    ctx.check("the tip counts the bounces", counted(ctx, bounces, replayed), True)

    choose(ctx, rx, (0, Tray.MOUSE_ROWS, Tray.MOUSE_SEPARATORS), (0, 7, (1, 6)))  # Left: off
    ctx.check("off from the menu: saved", vela.wait_saved("Mouse", "ChatterLeft", "0"), True)
    for name, button, want, shortcut in (("filter off", 1, LEFT * 2, None),
                                         ("paused", 3, RIGHT * 2, "paused"),
                                         ("resumed", 3, RIGHT, "resumed")):
        if shortcut:
            ctx.s.xdo("key", "ctrl+alt+shift+p")
            Tray(ctx.s).wait_colour(shortcut == "resumed", "mouse-" + shortcut)
        ctx.check(f"{name}: an 8 ms bounce", play(ctx, rx, xtest, want, [(button, BOUNCE)])[1],
                  want)


def wheel(ctx):
    """The wheel reversed and tripled, a remapped wheel slot firing once per
    notch turned, a stray notch dropped before the remapping sees it, and the
    tilt reversed from the menu."""
    vela, rx, xtest = start(ctx, slot("WU", "Zoom In", vk=107), "[Mouse]",
                            "WheelReverseVertical=1", "WheelNotches=3", "WheelBounceFilter=1")
    replayed = 0
    for name, notches, want in WHEEL:
        steps = [(None, float(n)) if "." in n else (int(n), [0]) for n in notches.split()]
        steps = [s for step in steps for s in (step, (None, 0.01))]
        _, got, again = play(ctx, rx, xtest, want, steps)
        ctx.check(name, got, want)
        replayed += again
    ctx.check("the stray notch counted", counted(ctx, 1, replayed), True)

    choose(ctx, rx, (6, Tray.MOUSE_ROWS, Tray.MOUSE_SEPARATORS))  # Reverse Tilt
    ctx.check("reverse tilt from the menu: saved",
              vela.wait_saved("Mouse", "WheelReverseHorizontal", "1"), True)
    ctx.check("a tilt right: reversed and three",
              play(ctx, rx, xtest, ["MOUSEHWHEEL -360"], [(7, [0])])[1], ["MOUSEHWHEEL -360"])


def fn(trigger, caption, action, vk):
    """The keys of a trigger's function in a slot's section."""
    return {f"{trigger}.0": caption, f"{trigger}.1": 1, f"{trigger}.2": action,
            f"{trigger}.3": vk, f"{trigger}.6": 1}


ZOOM_OUT = ["KEYDOWN 109", "KEYUP 109"]
GESTURES = [("up", (0, -100), CTRL_C), ("down", (0, 100), CTRL_V), ("left", (-100, 0), ZOOM_IN),
            ("right", (100, 0), ZOOM_OUT)]


def triggers(ctx):
    """Gestures, drag to scroll, long press, double click and a layer button's
    own click and drag, through Vela from its settings."""
    vela, rx, _ = start(ctx, slot("X1", "Gestures", action=12, **fn("Up", "Copy", 2, 67),
                                  **fn("Down", "Paste", 2, 86), **fn("Left", "Zoom In", 0, 107),
                                  **fn("Right", "Zoom Out", 0, 109)),
                        slot("M", "Drag to Scroll", action=13, ScrollLock=1, ScrollSpeed=100),
                        slot("X2", **COPY, **fn("Long", "Paste", 2, 86),
                             **fn("Double", "Zoom In", 0, 107)),
                        slot("R", **LAYER_WHILE_HELD))
    cx, cy = rx.centre

    def held(button, *moves):
        """Pressed, moved to each (dx, dy) from the centre and back, let go;
        a moment after each move, or Wine may merge it into the next."""
        return ([["mousedown", button]] + [["mousemove", cx + dx, cy + dy, "sleep", 0.05]
                                           for dx, dy in moves]
                + [["mousemove", cx, cy, "sleep", 0.05], ["mouseup", button]])

    def lines(mark):
        return [re.sub(r"^([RM]BUTTON\w+|MOUSEMOVE) .*", r"\1", short(line))
                for line in rx.log.since(mark) if not line.startswith("LBUTTON")]

    def seen(*actions, want):
        """What reached the window of `actions`, the settling click left out."""
        mark = rx.log.mark()
        for action in actions:
            ctx.s.xdo(*action)
        rx.settle()
        wait_until(lambda: len(lines(mark)) >= len(want), 5, 0.05)
        time.sleep(0.3)
        return lines(mark)

    for name, move, want in GESTURES:
        ctx.check(f"gesture {name}: its function, nothing of the button or its moves",
                  seen(*held(9, move), want=want), want)
    ctx.check("unmoved: the forward button's own click",
              seen(["click", "--delay", 0, 9], want=NATIVE_FORWARD), NATIVE_FORWARD)
    ctx.check("drag to scroll: notches down, no move",
              seen(*held(2, (0, 50), (0, 150)), want=["MOUSEWHEEL -840"]), ["MOUSEWHEEL -840"])
    mark = rx.log.mark()
    ctx.s.xdo("mousedown", 8)
    fired = wait_until(lambda: lines(mark) == CTRL_V, 5, 0.05)
    ctx.check("long press: Paste while held, then nothing",
              (bool(fired), seen(["mouseup", 8], want=[])), (True, []))
    ctx.check("double click: Zoom In once, no Copy",
              seen(["click", "--repeat", 2, "--delay", 60, 8], want=ZOOM_IN), ZOOM_IN)
    ctx.check("one click of it: Copy", seen(["click", "--delay", 0, 8], want=CTRL_C), CTRL_C)
    ctx.check("the layer button held a second: still its click",
              seen(["mousedown", 3, "sleep", 1, "mouseup", 3], want=["RBUTTONDOWN", "RBUTTONUP"]),
              ["RBUTTONDOWN", "RBUTTONUP"])
    ctx.check("the layer button still right-drags",
              seen(*held(3, (100, 0), (150, 0)), want=["RBUTTONDOWN", "RBUTTONUP"]),
              ["RBUTTONDOWN", "MOUSEMOVE", "MOUSEMOVE", "RBUTTONUP"])
    # The tap clicks the right button from Vela's thread (30 ms from press to
    # release): a person presses again 80 ms or more after letting go.
    mark = rx.log.mark()
    ctx.s.xdo("mousedown", 3, "mouseup", 3, "sleep", 0.1, "mousedown", 3)
    down = wait_until(lambda: lines(mark) == ["RBUTTONDOWN", "RBUTTONUP", "RBUTTONDOWN"], 5, 0.05)
    ctx.check("pressed again 0.1 s after a tap: the right button itself, down while held",
              (bool(down), seen(["mouseup", 3], want=["RBUTTONUP"])), (True, ["RBUTTONUP"]))
