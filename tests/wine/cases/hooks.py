"""The nine hook libraries, hosted by the probe as the main window would host
them: real X input from xdotool, reports logged by the host, what reaches the
focused window logged by the receiver."""

import re
import time

from harness import Host, Receiver, wait_until

# Per slot: the physical action (xdotool arguments), what the receiver logs for
# it when it goes through natively, and everything it may leave in the log.
SLOTS = {
    "R": (["click", "--delay", 0, 3], r"^RBUTTONDOWN", r"^RBUTTON"),
    "M": (["click", "--delay", 0, 2], r"^MBUTTONDOWN", r"^MBUTTON"),
    "X1": (["click", "--delay", 0, 9], r"^XBUTTONDOWN 2$", r"^XBUTTON(DOWN|UP) 2$"),
    "X2": (["click", "--delay", 0, 8], r"^XBUTTONDOWN 1$", r"^XBUTTON(DOWN|UP) 1$"),
    "WD": (["click", "--delay", 0, 5], r"^MOUSEWHEEL -120$", r"^MOUSEWHEEL -"),
    "WU": (["click", "--delay", 0, 4], r"^MOUSEWHEEL 120$", r"^MOUSEWHEEL [0-9]"),
    "WL": (["click", "--delay", 0, 6], r"^MOUSEHWHEEL -120$", r"^MOUSEHWHEEL -"),
    "WR": (["click", "--delay", 0, 7], r"^MOUSEHWHEEL 120$", r"^MOUSEHWHEEL [0-9]"),
    # Alt itself passes: only Tab while Alt is held belongs to the slot.
    "ALTTAB": (["key", "--delay", 0, "alt+Tab"], r"^SYSKEYDOWN 9 ", r"^(SYS)?KEY(DOWN|UP) 9 "),
}
ALL = list(SLOTS)
PRESSES = 3
RUNS = 200

# slot, MouseFunction value, receiver line of the synthetic event's press
GUARDED = [
    ("R", 1, r"^RBUTTONDOWN"), ("M", 2, r"^MBUTTONDOWN"), ("X1", 3, r"^XBUTTONDOWN 2$"),
    ("X2", 4, r"^XBUTTONDOWN 1$"), ("WU", 5, r"^MOUSEWHEEL 120$"), ("WD", 6, r"^MOUSEWHEEL -120$"),
]
UNGUARDED = [("R", 1, r"^RBUTTONDOWN"), ("X2", 4, r"^XBUTTONDOWN 1$"),
             ("WD", 6, r"^MOUSEWHEEL -120$")]


def start(ctx):
    # Hundreds of guarded clicks: a 1 ms pause instead of 30 keeps them quick
    # and is the harder case for the guard.
    return Host(ctx.s, pause_ms=1), Receiver(ctx.s)


def activate(ctx, slot):
    ctx.s.xdo(*SLOTS[slot][0])


def marks(host, rx):
    return host.log.mark(), rx.log.mark()


def installed_and_removed(ctx):
    """Each slot's message exactly once per activation, whatever a host does
    with its parameters; releases come to a listener only, through the engine."""
    host, rx = start(ctx)
    host.cmd("listen")
    for slot in ALL:
        _, native, trace = SLOTS[slot]
        host.cmd("install", slot)
        hmark, mark = marks(host, rx)
        for _ in range(PRESSES):
            activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{slot} installed: reports", host.reports(slot, hmark), PRESSES)
        # A release for each press of an input that has one (not the wheels).
        ctx.check(f"{slot} installed: releases told the listener",
                  host.log.count(rf"^release {slot}$", hmark),
                  PRESSES if slot in ("R", "M", "X1", "X2", "ALTTAB") else 0)
        ctx.check(f"{slot} installed: receiver saw none of it", rx.log.count(trace, mark), 0)
        ctx.check(f"{slot} installed: no other slot reported", host.reports(since=hmark), PRESSES)

        host.cmd("remove", slot)
        hmark, mark = marks(host, rx)
        activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{slot} removed: receiver saw the input", rx.log.count(native, mark), 1)
        ctx.check(f"{slot} removed: no report", host.reports(slot, hmark), 0)

    host.cmd("install", *ALL)
    for slot in ALL:
        host.cmd("remove", slot)
        hmark, mark = marks(host, rx)
        activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{slot} native among eight installed: receiver saw it",
                  rx.log.count(SLOTS[slot][1], mark), 1)
        ctx.check(f"{slot} native among eight installed: no report at all",
                  host.reports(since=hmark), 0)
        host.cmd("install", slot)

    # Left button, plain keys and moves belong to no slot.
    hmark, mark = marks(host, rx)
    ctx.s.xdo("key", "--delay", 0, "a")
    ctx.s.xdo("mousemove", 700, 500)
    rx.settle(host)
    ctx.check("all nine installed: plain key passes", rx.log.count(r"^KEYDOWN 65 ", mark), 1)
    ctx.check("all nine installed: pointer move passes",
              rx.log.count(r"^MOUSEMOVE 700 500$", mark), 1)
    ctx.check("all nine installed: left button, keys and moves report nothing",
              host.reports(since=hmark), 0)
    # The clicks that went through (two left ones with the settling click;
    # the right one is R's), only while asked for.
    for listen, want in ((["clicks"], 2), ([], 0)):
        host.cmd("listen", *listen)
        hmark = host.log.mark()
        ctx.s.xdo("click", "--delay", 0, 1, "click", "--delay", 0, 3)
        rx.settle(host)
        ctx.check(f"listening {listen}: the clicks that went through told",
                  host.log.count(r"^click$", hmark), want)

    # A release whose press was swallowed stays swallowed after the slot is removed.
    host.cmd("remove", *ALL)
    host.cmd("install", "R")
    hmark, mark = marks(host, rx)
    ctx.s.xdo("mousedown", 3)
    host.log.wait_count(r"^report R$", 1, 5, since=hmark)
    host.cmd("remove", "R")
    ctx.s.xdo("mouseup", 3)
    rx.settle(host)
    ctx.check("press reported once", host.reports("R", hmark), 1)
    ctx.check("neither press nor late release reached the window",
              rx.log.count(r"^RBUTTON", mark), 0)
    mark = rx.log.mark()
    ctx.s.xdo("click", 3)
    rx.settle(host)
    ctx.check("next right click is native again", rx.log.count(r"^RBUTTONUP", mark), 1)


def asked_without_waiting(ctx):
    """Vela's way: the whole set asked for without waiting, the ack the engine's
    answer; a slot asked out passes at once; of quick asks the last one wins."""
    host, rx = start(ctx)
    host.cmd("listen")
    for quick, wanted in ((None, ["R", "X1"]), (["R", "X2"], ["X1"])):
        if quick:
            host.send("want", *quick)
        host.cmd("want", *wanted)
        hmark, mark = marks(host, rx)
        for slot in ("R", "X1", "X2"):
            activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{wanted} asked: reports of R, X1, X2; the receiver saw R",
                  ([host.reports(s, hmark) for s in ("R", "X1", "X2")],
                   rx.log.count(SLOTS["R"][1], mark)),
                  ([int(s in wanted) for s in ("R", "X1", "X2")], int("R" not in wanted)))


def alt_tab(ctx):
    """Only Tab while Alt is held belongs to the slot: Alt passes (Alt+F4
    closes, Alt held across an install and a remove comes up), and the lone Alt
    the foreground program sees around a taken Tab opens no menu bar."""
    host = Host(ctx.s, pause_ms=1)
    rx = Receiver(ctx.s, "--system-keys")
    s = ctx.s
    # With the slot removed, a held Tab auto-repeats here: the check below
    # would prove nothing otherwise. The Tab is held 1.2 s, past the delay
    # before keys repeat.
    mark = rx.log.mark()
    s.xdo("keydown", "alt", "keydown", "Tab", "sleep", 1.2, "keyup", "Tab", "keyup", "alt")
    rx.settle(host)
    ctx.check("held Tab auto-repeats natively (more than one press seen)",
              int(rx.log.count(r"^SYSKEYDOWN 9 ", mark) > 1), 1)
    mark = rx.log.mark()
    s.xdo("key", "--delay", 0, "alt")
    rx.settle(host)
    ctx.check("slot removed: a lone Alt opens the menu bar", rx.log.count(r"^KEYMENU$", mark), 1)

    host.cmd("install", "ALTTAB")
    hmark, mark = marks(host, rx)
    s.xdo("keydown", "alt", "keydown", "Tab", "sleep", 1.2, "keyup", "Tab", "key", "--delay", 0,
          "Tab", "Tab", "keyup", "alt")
    rx.settle(host)
    ctx.check("Alt held, Tab held then tapped twice: three reports",
              host.reports("ALTTAB", hmark), 3)
    ctx.check("Tab never reaches the window", rx.log.count(SLOTS["ALTTAB"][2], mark), 0)
    ctx.check("Alt reaches the window and comes up last", alt_lines(rx, mark)[-1:], ["UP"])
    ctx.check("no menu bar after the taken Tabs", rx.log.count(r"^KEYMENU$", mark), 0)

    mark = rx.log.mark()
    s.xdo("key", "--delay", 0, "alt+F4")
    rx.settle(host)
    ctx.check("Alt+F4 closes as without Vela", rx.log.count(r"^CLOSE$", mark), 1)

    # Alt's auto-repeat cannot be had here: X repeats no modifier, and with
    # the X server told to repeat Alt, or Alt pressed again through XTest,
    # Wine still delivers one press. The filters' tests repeat it. Alt is
    # held 0.8 s on either side of the change, as a hand would hold it.
    for name, before, after in (("an install", "remove", "install"),
                                ("a remove", "install", "remove")):
        host.cmd(before, "ALTTAB")
        mark = rx.log.mark()
        s.xdo("keydown", "alt", "sleep", 0.8)
        host.cmd(after, "ALTTAB")
        s.xdo("sleep", 0.8, "keyup", "alt")
        rx.settle(host)
        alts = alt_lines(rx, mark)
        ctx.check(f"Alt held across {name}: it reached the window and came up last",
                  (alts[:1], alts[-1:]), (["DOWN"], ["UP"]))


def alt_lines(rx, mark):
    """DOWN or UP for each Alt message since `mark`."""
    return [re.match(r"^(?:SYS)?KEY(DOWN|UP)", t).group(1) for t in rx.log.since(mark)
            if re.match(r"^(?:SYS)?KEY(?:DOWN|UP) 18 ", t)]


def own_input(ctx):
    host, rx = start(ctx)
    host.cmd("install", *ALL)
    for slot, function, pattern in GUARDED:
        hmark, mark = marks(host, rx)
        host.cmd("mouse", slot, function, RUNS, timeout=60)
        rx.settle(host)
        ctx.check(f"{slot} sends its own input {RUNS} times: receiver saw all",
                  rx.log.count(pattern, mark), RUNS)
        ctx.check(f"{slot} sends its own input {RUNS} times: no report",
                  host.reports(since=hmark), 0)
    # No guard at all: the hooks see the synthetic events while their slots
    # are installed, the worst case of the guard's race on Windows (the hook
    # may see an event only after the guard has put the library back).
    for slot, function, pattern in UNGUARDED:
        hmark, mark = marks(host, rx)
        host.cmd("raw", function, RUNS, timeout=60)
        rx.settle(host)
        ctx.check(f"{slot} installed, own input sent unguarded {RUNS} times: receiver saw all",
                  rx.log.count(pattern, mark), RUNS)
        ctx.check(f"{slot} installed, own input sent unguarded {RUNS} times: no report",
                  host.reports(since=hmark), 0)
    # Another slot's guarded click, and the Alt+Tab slot answering with an Alt
    # chord of its own (KeyAction AltCombo, Tab).
    hmark, mark = marks(host, rx)
    host.cmd("mouse", "X1", 1, 50, timeout=60)
    host.cmd("key", "ALTTAB", 4, 9, 50, timeout=60)
    rx.settle(host)
    ctx.check("X1 answering with a right click 50 times: receiver saw all",
              rx.log.count(r"^RBUTTONDOWN", mark), 50)
    ctx.check("Alt+Tab slot sending Alt+Tab 50 times: receiver saw all",
              rx.log.count(r"^SYSKEYDOWN 9 ", mark), 50)
    ctx.check("cross-slot and keyboard answers: no report", host.reports(since=hmark), 0)
    # The guard put every library back: physical input is caught again.
    for slot in ("R", "X1", "WU", "ALTTAB"):
        hmark = host.log.mark()
        activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{slot} caught again after the guarded runs", host.reports(slot, hmark), 1)


def restores(host):
    host.cmd("restores")
    return int(host.log.value("restores"))


def watchdog(ctx):
    host, rx = start(ctx)
    host.cmd("listen")
    # Only the keyboard hook in place: clicks it cannot see are no sign of a
    # lost hook. Eight clicks at a hand's pace, 2.4 s in all, give the
    # watchdog every chance to think otherwise.
    host.cmd("install", "ALTTAB")
    before = restores(host)
    for _ in range(8):
        ctx.s.xdo("click", "--delay", 0, 1)
        time.sleep(0.3)
    ctx.check("only the Alt+Tab slot: clicks without a move restore nothing",
              restores(host) - before, 0)
    host.cmd("remove", "ALTTAB")

    host.cmd("install", *ALL)
    before, hmark = restores(host), host.log.mark()
    host.cmd("drop")
    ctx.check("hooks were in place when dropped", host.log.value("dropped"), "1")
    # Moves that no hook sees tell the watchdog the hooks are lost.
    moves = iter(range(600, 800))
    ctx.check("watchdog restored the hooks", int(bool(wait_until(
        lambda: ctx.s.xdo("mousemove", next(moves), 500) or restores(host) > before, 15, 0.1))), 1)
    # The listener hears of it (a release may have gone by unseen); no slot's
    # message is posted for it.
    host.cmd("sync")
    ctx.check("the listener told of the restore", host.log.count(r"^restored$") > 0, True)
    ctx.check("no slot's message for the restore", host.reports(since=hmark), 0)
    for slot in ("R", "ALTTAB"):
        hmark = host.log.mark()
        activate(ctx, slot)
        rx.settle(host)
        ctx.check(f"{slot} reports again after the restore", host.reports(slot, hmark), 1)


# Keys fed to a capture and what the listener hears, in xdotool's order.
CAPTURED = [("super+Right", ["91 down", "39 down", "91 up", "39 up"]),
            ("alt+F4", ["164 down", "115 down", "164 up", "115 up"]),
            ("Escape", ["27 down", "27 up"])]


def keyboard_capture(ctx):
    """While captured, every key goes to the listener alone, with a scan code
    (another program's hook sees none of it); after the capture the keyboard
    works as before; a capture nobody renews ends by itself within five
    seconds."""
    host, rx = Host(ctx.s), Receiver(ctx.s, "--hook")
    host.cmd("listen")
    host.cmd("capture on")
    for keys, heard in CAPTURED:
        hmark, mark = marks(host, rx)
        ctx.s.xdo("key", "--delay", 30, keys)
        host.log.wait_count(r"^captured ", len(heard), 5, since=hmark)
        got = [line.split()[1:] for line in host.log.since(hmark) if line.startswith("captured ")]
        ctx.check(f"{keys}: captured with scan codes, nobody else saw it",
                  ([f"{vk} {how}" for vk, _, _, how in got],
                   all(scan != "0" for _, scan, _, _ in got), rx.log.since(mark)),
                  (heard, True, []))
    host.cmd("capture off")
    mark = rx.log.mark()
    ctx.s.xdo("key", "a")
    ctx.check("after the capture the keyboard reaches the window",
              rx.log.wait_count(r"^KEYUP 65 ", 1, 5, since=mark), True)
    host.cmd("capture on")
    started = time.monotonic()
    given_back = wait_until(lambda: (ctx.s.xdo("key", "b"), rx.log.count(r"^KEYUP 66 ", mark))[1],
                            15, 0.5)
    ctx.log(f"an unrenewed capture gave the keyboard back after {time.monotonic() - started:.1f} s")
    ctx.check("an unrenewed capture ends by itself",
              bool(given_back) and time.monotonic() - started < 10, True)
