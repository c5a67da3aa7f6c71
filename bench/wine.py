"""Vela's benchmarks under Wine, rows of tests/wine/run.py's table. They
print figures and assert nothing; run them through scripts/bench.sh NAME,
which builds what they need first (or `run.py bench NAME`):

  pause      how long Vela's 30 ms pause really lasts, next to a plain Sleep
  settings   one settings save against the key-by-key profile-function sequence
  hooks      pointer-move latency without hooks and with all nine installed,
             and the worst gap while the user-interface thread sits in pauses
  press      a forward-button press to what reaches a window: natively, through
             the smallest remapper of Vela's shape, and through Vela with the
             chatter filter off and on (side by side: a press is never held
             back, nor a release of a button that has not bounced), with a
             native back button's press and release beside it;
             then outside and inside a layer (the back button held), and
             with a click sent instead of a key; last the forward button as
             Copy without and with a Double Click function, single clicks:
             without it Ctrl goes down at the press, with it once the
             double-click time has gone by after the release
  profiles   from a click into another program to its profile acting, both
             ways; pointer-move latency with profiles against no hooks, and
             with the back button set to Gestures (not held) against the
             minimal remapper's bare mouse hook
"""

import os
import re
import shutil
import signal
import subprocess
import time

from harness import (COPY, IDS, LAYER_WHILE_HELD, NATIVE, Host, Receiver, Vela, XTest, ini, layer,
                     log, qpc_now, slot, wait_until)


NAN = float("nan")


def percentile(sorted_values, p):
    if not sorted_values:
        return NAN
    k = min(len(sorted_values) - 1, max(0, round(p / 100 * (len(sorted_values) - 1))))
    return sorted_values[k]


def figures(values, *percents):
    """The percentiles of `values` and a line of them with the maximum, in ms."""
    values = sorted(values)
    found = [percentile(values, p) for p in percents]
    return found, "  ".join([f"p{p} {v:6.2f} ms" for p, v in zip(percents, found)]
                            + [f"max {values[-1] if values else NAN:6.2f} ms"])


def program(session, name, *args):
    """Runs a benchmark program of the build under Wine and prints its report."""
    exe = os.path.join(session.bin, name)
    out = os.path.join(session.work, name + ".txt")
    with open(out, "wb") as f:
        status = subprocess.run(["timeout", "600", "wine", exe, *args], env=session.env,
                                stdout=f, stderr=subprocess.DEVNULL).returncode
    with open(out) as f:
        print(f.read(), end="")
    return status


def pause(ctx):
    return program(ctx.s, "pause_bench.exe")


def settings(ctx):
    return program(ctx.s, "vela_settings_bench.exe", str(ctx.options.iterations))


# ---- Pointer moves through the hooks ---------------------------------------------------


def moves(xtest, count, interval_ms, row):
    """count moves along row `row`, each to its own pixel; [(stamp, x, y)]."""
    y = 100 + 40 * row
    done = []
    next_at = time.monotonic()
    for i in range(count):
        x, y_i = 100 + i % 1000, y + i // 1000
        done.append((xtest.move(x, y_i), x, y_i))
        next_at += interval_ms / 1000.0
        delay = next_at - time.monotonic()
        if delay > 0:
            time.sleep(delay)
    return done


def move_report(label, moves, receiver_log):
    seen = {}
    for stamp, text in receiver_log.entries():
        parts = text.split()
        if len(parts) == 3 and parts[0] == "MOUSEMOVE" and stamp is not None:
            seen.setdefault((int(parts[1]), int(parts[2])), []).append(stamp)
    latencies, arrivals = [], []
    for stamp, x, y in moves:
        later = [t for t in seen.get((x, y), []) if t >= stamp]
        if later:
            latencies.append((later[0] - stamp) / 10000.0)
            arrivals.append(later[0])
    arrivals.sort()
    gaps = [(b - a) / 10000.0 for a, b in zip(arrivals, arrivals[1:])]
    sent_gaps = [(b[0] - a[0]) / 10000.0 for a, b in zip(moves, moves[1:])]
    found, text = figures(latencies, 50, 99)
    print(f"{label:<34} moves {len(moves):4d} seen {len(latencies):4d}  {text}  "
          f"worst gap {max(gaps, default=NAN):6.2f} ms "
          f"(sender's worst gap {max(sent_gaps, default=NAN):5.2f} ms)", flush=True)
    return found


def hooks(ctx):
    session, options = ctx.s, ctx.options
    count, interval = options.moves, options.interval_ms
    rx = Receiver(session, exit_after=900)
    host = Host(session, exit_after=900)
    xtest = XTest(session.display)
    everything = ["R", "M", "X1", "X2", "WD", "WU", "WL", "WR", "ALTTAB"]
    busy_ms = count * interval + 1000
    results = []

    def phase(row, label):
        done = moves(xtest, count, interval, row)
        rx.settle(host)
        results.append(move_report(label, done, rx.log))

    log(f"{count} moves {interval} ms apart per phase")
    phase(1, "no hooks")
    host.cmd("install", *everything)
    phase(2, "all nine installed")
    busy = host.send("busy", busy_ms)
    time.sleep(0.2)
    phase(3, "all nine, UI thread in 30 ms pauses")
    host.wait(busy, 60)
    host.cmd("remove", *everything)
    busy = host.send("busy", busy_ms)
    time.sleep(0.2)
    phase(4, "no hooks, UI thread in 30 ms pauses")
    host.wait(busy, 60)
    (bare50, bare99), (hooked50, hooked99) = results[0], results[1]
    print(f"ratio with/without hooks: p50 {hooked50 / bare50:.2f}, p99 {hooked99 / bare99:.2f}")
    return 0


# ---- Button presses through a remapper ---------------------------------------------------

FORWARD = 9      # the X button that Windows calls XBUTTON2, Vela's forward slot
BACK = 8         # XBUTTON1, left native; a layer button in the layer phases
F24 = 135        # the key both remappers send
F23 = 134        # the key Vela sends for the forward button inside the back button's layer
DOWN_S = 0.01    # how long each press is held


def presses(xtest, count, interval_ms, button=FORWARD):
    """`count` clicks of `button` `interval_ms` apart, 10 ms down; the stamps
    of the presses and of the releases."""
    downs, ups = [], []
    for _ in range(count):
        downs.append(xtest.button(button, True))
        time.sleep(DOWN_S)
        ups.append(xtest.button(button, False))
        time.sleep(max(0.0, interval_ms / 1000.0 - DOWN_S))
    return downs, ups


def press_report(label, stamps, receiver_log, pattern, percents=(50, 95), ends=None):
    """Latency from each press to the first line matching `pattern` after it
    and before the next press (or before `ends[i]` when given)."""
    rx = re.compile(pattern)
    arrivals = sorted(stamp for stamp, text in receiver_log.entries()
                      if stamp is not None and rx.search(text))
    latencies = []
    for i, stamp in enumerate(stamps):
        if ends is not None:
            until = ends[i]
        else:
            until = stamps[i + 1] if i + 1 < len(stamps) else float("inf")
        hit = next((a for a in arrivals if stamp <= a < until), None)
        if hit is not None:
            latencies.append((hit - stamp) / 10000.0)
    found, text = figures(latencies, *percents)
    print(f"{label:<28} presses {len(stamps):4d} arrived {len(latencies):4d}  {text}", flush=True)
    return found


CTRL, KEY_C, KEY_V = 17, 67, 86  # Copy (Ctrl+C) and Paste (Ctrl+V) as Vela sends them


def trigger_keys(trigger, caption, action, vk):
    """The keys of a trigger's key function under a slot's own ("Double.0",
    "Double.2", ...), as keywords of slot()."""
    return {f"{trigger}.0": caption, f"{trigger}.1": 1, f"{trigger}.2": action,
            f"{trigger}.3": vk, f"{trigger}.6": 1}


def double_click_time(session):
    """The system's double-click time in ms, as programs read it."""
    hit = session.probe("doubleclick").last(r"^doubleclick (\d+)$")
    if not hit:
        raise SystemExit("the probe did not read the double-click time")
    return int(hit[2].group(1))


def double_click_presses(session, xtest, rx, count):
    """The forward button as Copy, first without a Double Click function,
    then with one (Paste), each press a single click: the clicks are spaced
    past the double-click time so that no two make a double click. Without
    the function the press acts at once; with it, the click waits from its
    release until the double-click time has gone by. Prints the figures to
    Ctrl's down, where the shortcut starts, and to C's, which follows it by
    Vela's 30 ms pause."""
    wait_ms = double_click_time(session)
    interval = DOWN_S * 1000 + wait_ms + 250
    log(f"{count} single clicks {interval:.0f} ms apart per phase, the system's double-click "
        f"time {wait_ms} ms")
    results = {}
    for label, doubled in (("Vela, Copy, no Double Click", False),
                           ("Vela, Copy, Double Click set", True)):
        keys = trigger_keys("Double", "Paste", 2, KEY_V) if doubled else {}
        vela = Vela(session, settings=ini(slot("X1", **COPY, **keys)))
        vela.start_hidden()
        rx.settle()
        downs, ups = presses(xtest, count, interval)
        rx.settle()
        time.sleep(0.3)
        results[label] = press_report(label + " (C)", downs, rx.log, rf"^KEYDOWN {KEY_C} ",
                                      (50, 90))
        results[label + ", Ctrl"] = press_report(label + " (Ctrl)", downs, rx.log,
                                                 rf"^KEYDOWN {CTRL} ", (50, 90))
        if doubled:
            # Each click's shortcut starting between its own release and the
            # next press.
            results["from the release"] = press_report(
                label + ", from the release (Ctrl)", ups, rx.log, rf"^KEYDOWN {CTRL} ",
                (50, 90), ends=downs[1:] + [float("inf")])
            pasted = sum(1 for stamp, text in rx.log.entries()
                         if stamp is not None and stamp >= downs[0]
                         and text.startswith(f"KEYDOWN {KEY_V} "))
            print(f"  its Double Click function (Paste) went {pasted} times in {count} single "
                  f"clicks", flush=True)
        vela.post(IDS.ID_TRAY_EXIT)
        vela.proc.wait(10)
    (plain50, plain90), (doubled50, doubled90) = (results["Vela, Copy, no Double Click"],
                                                  results["Vela, Copy, Double Click set"])
    (plainCtrl50, plainCtrl90), (doubledCtrl50, doubledCtrl90) = (
        results["Vela, Copy, no Double Click, Ctrl"], results["Vela, Copy, Double Click set, Ctrl"])
    release50, release90 = results["from the release"]
    print(f"Double Click set over none, to C: p50 {doubled50 - plain50:+.2f} ms, "
          f"p90 {doubled90 - plain90:+.2f} ms; to Ctrl: p50 {doubledCtrl50 - plainCtrl50:+.2f} "
          f"ms, p90 {doubledCtrl90 - plainCtrl90:+.2f} ms")
    print(f"Double Click set, from the release to Ctrl: the double-click time ({wait_ms} ms) and "
          f"p50 {release50 - wait_ms:+.2f} ms, p90 {release90 - wait_ms:+.2f} ms")


def press(ctx):
    session, options = ctx.s, ctx.options
    count, interval = options.presses, options.press_interval_ms
    xtest = XTest(session.display)
    rx = Receiver(session, exit_after=900)
    results = {}

    def phase(label, pattern, layer_held=False):
        rx.settle()
        if layer_held:
            xtest.button(BACK, True)
            time.sleep(0.15)  # the layer's hooks go in as Vela takes the press
        downs, _ = presses(xtest, count, interval)
        if layer_held:
            xtest.button(BACK, False)
        rx.settle()
        time.sleep(0.3)
        results[label] = press_report(label, downs, rx.log, pattern)

    log(f"{count} presses {interval} ms apart per phase")
    phase("native (XBUTTON2 arrives)", r"^XBUTTONDOWN 2$")

    proc, out = session.spawn_probe("remap", "--vk", str(F24), exit_after=900)
    if not out.wait(r"^ready$", 30):
        raise SystemExit("the minimal remapper did not start")
    phase("minimal remapper (F24)", rf"^KEYDOWN {F24} ")
    proc.kill()
    proc.wait()
    proc, out = session.spawn_probe("remap", "--click", exit_after=900)
    if not out.wait(r"^ready$", 30):
        raise SystemExit("the minimal remapper did not start")
    phase("minimal remapper (click)", r"^MBUTTONDOWN")
    proc.kill()
    proc.wait()

    # The filter off and on by turns (the tray's commands), so that a drift
    # of the machine's pace shows on both sides; its threshold under the gap
    # between a release and the next press, so that no press of the run is a
    # bounce.
    threshold = max(10, min(50, int(interval - DOWN_S * 1000) - 20))
    vela = Vela(session, settings=ini(slot("X1", "F24", vk=F24), "[Mouse]",
                                      *[f"Chatter{b}Ms={threshold}" for b in ("Forward", "Back")]))
    if options.vela_from:  # another build's program and libraries over this one's
        for name in os.listdir(options.vela_from):
            if name == "Vela.exe" or name.endswith(".dll"):
                shutil.copy2(os.path.join(options.vela_from, name), vela.folder)
    vela.start_hidden()
    switches = [IDS.kChatterCommands + IDS.kMouseButtonBlock * b for b in (3, 4)]  # Back, Forward
    rounds, turns = 4, {}
    for round_ in range(rounds):
        for filtered in ("", ", filter on"):
            if round_ or filtered:
                vela.post(*switches)
                time.sleep(0.3)
            for label, button in ((f"Vela (F24){filtered}", FORWARD),
                                  (f"Vela, back native{filtered}", BACK)):
                rx.settle()
                downs, ups = presses(xtest, count // rounds, interval, button)
                turns.setdefault(label, ([], []))
                turns[label][0].extend(downs)
                turns[label][1].extend(ups)
    rx.settle()
    time.sleep(0.3)
    log(f"{rounds} turns of {count // rounds} presses each, filter off and on, threshold "
        f"{threshold} ms")
    for label, (downs, ups) in turns.items():
        pressed = rf"^KEYDOWN {F24} " if "F24" in label else r"^XBUTTONDOWN 1$"
        results[label] = press_report(label, downs, rx.log, pressed)
        if "back" in label:
            results[label + ", release"] = press_report(label + ", release", ups, rx.log,
                                                        r"^XBUTTONUP 1$")
    vela.post(IDS.ID_TRAY_EXIT)
    vela.proc.wait(10)

    # A layer: the back button held, the forward button sends F23 in it.
    layered = Vela(session, settings=ini(slot("X1", "F24", vk=F24), slot("X2", **LAYER_WHILE_HELD),
                                         layer("X2", X1=dict(caption="F23", vk=F23))))
    layered.start_hidden()
    phase("Vela, outside a layer (F24)", rf"^KEYDOWN {F24} ")
    phase("Vela, in a layer (F23)", rf"^KEYDOWN {F23} ", layer_held=True)
    layered.post(IDS.ID_TRAY_EXIT)
    layered.proc.wait(10)

    # The same press given a click instead of a key: a middle button's press,
    # which passes Vela's own mouse hook on its way as all input does; beside
    # it the key with Vela's keyboard hook in (the Alt+Tab slot remapped), to
    # tell what the hook's pass costs from what Vela's path does.
    for label, settings, pattern in (
            ("Vela, a click (middle)", slot("X1", "Middle Button", group=0, mouse=2),
             r"^MBUTTONDOWN"),
            ("Vela (F24), keyboard hook in", slot("X1", "F24", vk=F24) + slot("ALTTAB", **COPY),
             rf"^KEYDOWN {F24} ")):
        other = Vela(session, settings=ini(settings))
        other.start_hidden()
        phase(label, pattern)
        other.post(IDS.ID_TRAY_EXIT)
        other.proc.wait(10)

    native50, native95 = results["native (XBUTTON2 arrives)"]
    vela50, vela95 = results["Vela (F24)"]
    outside50, outside95 = results["Vela, outside a layer (F24)"]
    layer50, layer95 = results["Vela, in a layer (F23)"]
    print(f"Vela over native: p50 +{vela50 - native50:.2f} ms, p95 +{vela95 - native95:.2f} ms")
    print(f"in a layer over outside: p50 {layer50 - outside50:+.2f} ms, "
          f"p95 {layer95 - outside95:+.2f} ms")
    click50, click95 = results["Vela, a click (middle)"]
    minimal50, minimal95 = results["minimal remapper (F24)"]
    hooked50, hooked95 = results["Vela (F24), keyboard hook in"]
    print(f"a click over a key: p50 {click50 - outside50:+.2f} ms, "
          f"p95 {click95 - outside95:+.2f} ms; over a key that passes Vela's keyboard hook: "
          f"p50 {click50 - hooked50:+.2f} ms, p95 {click95 - hooked95:+.2f} ms")
    print(f"Vela's key over the minimal remapper: p50 {vela50 - minimal50:+.2f} ms, "
          f"p95 {vela95 - minimal95:+.2f} ms")
    minimalClick50, minimalClick95 = results["minimal remapper (click)"]
    print(f"Vela's click over the minimal remapper's: p50 {click50 - minimalClick50:+.2f} ms, "
          f"p95 {click95 - minimalClick95:+.2f} ms")
    for label in ("Vela (F24)", "Vela, back native", "Vela, back native, release"):
        off50, off95 = results[label]
        on50, on95 = results[label.replace(", release", ", filter on, release")
                             if label.endswith("release") else label + ", filter on"]
        print(f"filter on over off, {label}: p50 {on50 - off50:+.2f} ms, "
              f"p95 {on95 - off95:+.2f} ms")

    double_click_presses(session, xtest, rx, max(20, count // 10))
    return 0


# ---- Per-program profiles ------------------------------------------------------------------


def switch_rounds(xtest, into, rounds, train_ms, gap_ms):
    """Each round clicks into `into` and then presses the forward button every
    `gap_ms` for `train_ms`; [(click stamp, [press stamps])]."""
    done = []
    for _ in range(rounds):
        xtest.move(*into)
        time.sleep(0.05)
        xtest.button(1, True)
        time.sleep(0.005)
        clicked = xtest.button(1, False)
        stamps = []
        while (qpc_now() - clicked) / 10000.0 < train_ms:
            stamps.append(xtest.button(FORWARD, True))
            xtest.button(FORWARD, False)
            time.sleep(gap_ms / 1000.0)
        done.append((clicked, stamps))
        time.sleep(0.15)
    return done


def switch_report(label, rounds, receiver_log, pattern):
    """From each click into the program to the first press that shows its
    profile: the last press sent before the first line matching `pattern`.
    This includes the system's own part, from the click to the program's
    coming to the front, which the receivers cannot time under Wine."""
    rx = re.compile(pattern)
    arrivals = sorted(stamp for stamp, text in receiver_log.entries()
                      if stamp is not None and rx.search(text))
    latencies = []
    for clicked, stamps in rounds:
        last = stamps[-1] if stamps else clicked
        hit = next((a for a in arrivals if clicked <= a <= last + 500000), None)
        sent = [t for t in stamps if hit is not None and t <= hit]
        if sent:
            latencies.append((sent[-1] - clicked) / 10000.0)
    print(f"{label:<44} rounds {len(rounds):3d} switched {len(latencies):3d}  "
          f"from the click {figures(latencies, 50, 95)[1]}", flush=True)


def end_program(session, exe):
    """Ends the Windows program started from `exe` (a name of its own) by
    its process ids, and waits until it is gone."""
    names = (exe, session.winpath(exe))

    def pids():
        lines = subprocess.run(["pgrep", "-fa", re.escape(os.path.basename(exe))],
                               capture_output=True, text=True).stdout.splitlines()
        return [int(pid) for pid, _, command in (line.partition(" ") for line in lines)
                if command.startswith(names)]

    for pid in pids():
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    if not wait_until(lambda: not pids(), 5, 0.02):
        raise SystemExit(f"{os.path.basename(exe)} did not end")


def profiles(ctx):
    """How soon after the click into another program its profile acts (the
    click is the foreground signal Vela gets under Wine), and the pointer's
    move latency with profiles in use against no hooks at all; and with a
    gesture button set but not held against the bare mouse hook of the
    minimal remapper."""
    session, options = ctx.s, ctx.options
    xtest = XTest(session.display)
    plain = Receiver(session, exit_after=900)
    plain.settle()
    time.sleep(0.5)
    count, interval = options.moves, options.interval_ms
    results = {}
    log(f"{count} moves {interval} ms apart per phase")
    results["bare"] = move_report("moves, no Vela", moves(xtest, count, interval, 1), plain.log)

    # A mouse hook that passes every move on: the minimal remapper's, run
    # under a name of its own so that it can be ended alone.
    empty_exe = os.path.join(session.work, "EmptyHook.exe")
    shutil.copy2(session.probe_exe, empty_exe)
    _, out = session.spawn_probe("remap", "--vk", str(F24), exe=empty_exe,
                                 exit_after=int(count * interval / 1000) + 60)
    if not out.wait(r"^ready$", 30):
        raise SystemExit("the minimal remapper did not start")
    plain.settle()
    time.sleep(0.5)
    results["empty"] = move_report("moves, an empty mouse hook", moves(xtest, count, interval, 3),
                                   plain.log)
    end_program(session, empty_exe)

    # "All Programs" gives the back button Gestures (Copy up, Paste down),
    # never held here: every move passes Vela's hook with a gesture button
    # ready to start.
    gestures = Vela(session, settings=ini(slot("X2", "Gestures", action=12,
                                               **trigger_keys("Up", "Copy", 2, KEY_C),
                                               **trigger_keys("Down", "Paste", 2, KEY_V))))
    gestures.start_hidden()
    xtest.move(200, 512)
    xtest.button(1, True)
    xtest.button(1, False)  # the receiver in front again
    time.sleep(0.3)
    plain.settle()
    time.sleep(0.5)
    results["gestures"] = move_report("moves, Vela, a gesture button not held",
                                      moves(xtest, count, interval, 4), plain.log)
    gestures.post(IDS.ID_TRAY_EXIT)
    gestures.proc.wait(10)

    # "All Programs" sends F24 for the forward button; Second.exe leaves it
    # alone; five more profiles for programs that are not running.
    Vela(session, settings=ini(
        slot("X1", "F24", vk=F24), "[Profiles]", "1=Second.exe",
        *[f"{n + 2}=Other{n}.exe" for n in range(5)],
        slot("X1", "Forward", **NATIVE, profile="Second.exe"),
        *[slot("X2", "Back", **NATIVE, profile=f"Other{n}.exe") for n in range(5)])).start_hidden()
    xtest.move(200, 512)
    xtest.button(1, True)
    xtest.button(1, False)  # a program without a profile in front
    time.sleep(0.3)
    plain.settle()
    results["profiles"] = move_report("moves, Vela with six profiles",
                                      moves(xtest, count, interval, 2), plain.log)
    (bare50, bare99), (vela50, vela99) = results["bare"], results["profiles"]
    print(f"ratio with/without Vela: p50 {vela50 / bare50:.2f}, p99 {vela99 / bare99:.2f}")
    (empty50, empty99), (gesture50, gesture99) = results["empty"], results["gestures"]
    print(f"a gesture button not held over the empty hook: p50 {gesture50 - empty50:+.2f} ms, "
          f"p99 {gesture99 - empty99:+.2f} ms (ratio p50 {gesture50 / empty50:.2f}, "
          f"p99 {gesture99 / empty99:.2f})")
    print(f"the empty hook over no hooks: p50 {empty50 - bare50:+.2f} ms, "
          f"p99 {empty99 - bare99:+.2f} ms; a gesture button not held over Vela with six "
          f"profiles and none: p50 {gesture50 - vela50:+.2f} ms, p99 {gesture99 - vela99:+.2f} ms")

    second_exe = os.path.join(session.work, "Second.exe")
    shutil.copy2(session.probe_exe, second_exe)
    second = Receiver(session, exe=second_exe, exit_after=900, left=640, width=600)
    rounds = options.presses // 10
    into_second = switch_rounds(xtest, second.centre, rounds, 80, 2)
    second.settle()
    into_plain = switch_rounds(xtest, (200, 512), rounds, 80, 2)
    plain.settle()
    time.sleep(0.3)
    log(f"{rounds} switches each way, the forward button pressed every 2 ms for 80 ms after the click")
    switch_report("into Second.exe (profile: button native)", into_second, second.log,
                  r"^XBUTTONDOWN 2$")
    switch_report("back into VelaProbe.exe (All Programs: F24)", into_plain, plain.log,
                  rf"^KEYDOWN {F24} ")
    return 0


BENCHMARKS = {"pause": pause, "settings": settings, "hooks": hooks, "press": press,
              "profiles": profiles}

