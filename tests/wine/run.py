#!/usr/bin/env python3
"""Everything Vela does under Wine, from one table: the end-to-end cases, the
screenshots and the benchmarks, each kind run in a private Xvfb and Wine
prefix; and Vela itself, run by hand.

    run.py cases [NAME...] --bin BUILD/bin --work WORK [--only REGEX] [--list] [--serial]
                 [--cpack CPACK --cpack-config BUILD/CPackConfig.cmake]
                 [--installer-script BUILD/installer/make-installer.cmake]
    run.py screenshots NAME... --bin BUILD/bin --work WORK [--out FOLDER]
    run.py bench NAME... --bin BUILD/bin --work WORK [--iterations N] [--moves N]
                 [--interval-ms MS] [--presses N] [--press-interval-ms MS] [--vela-from FOLDER]
    run.py vela [ARGUMENTS FOR VELA] --bin FOLDER --work WORK

Cases start from no running Windows program and leave none behind; those
marked beside run at the same time in a second session of their own (a
display and a prefix), unless --serial. Screenshots and benchmarks assert
nothing: they write pictures and print figures. --list names the rows of a
kind; NAME or --only picks some.
"""

import argparse
import os
import re
import subprocess
import sys
import time
import traceback
from dataclasses import dataclass
from typing import Callable

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "cases"),
                os.path.join(os.path.dirname(os.path.dirname(HERE)), "bench")]

from harness import KESTREL_RUN, ROOT, Abort, Menu, Session, Tray, log, run_by_hand  # noqa: E402
import files  # noqa: E402
import hooks  # noqa: E402
import installer  # noqa: E402
import keys  # noqa: E402
import menu  # noqa: E402
import mouse  # noqa: E402
import package  # noqa: E402
import profiles  # noqa: E402
import screenshots  # noqa: E402
import shortcuts  # noqa: E402
import tray  # noqa: E402
import wine as bench  # noqa: E402
import window  # noqa: E402


@dataclass
class Row:
    kind: str  # "cases", "screenshots" or "bench"
    name: str
    run: Callable
    # The case needs a user who never chose anything: the profile key and the
    # Run value go before it starts.
    virgin_profile: bool = False
    # The case runs in the second session, beside the others. The two
    # sessions are balanced to end about together.
    beside: bool = False
    # The case starts in a prefix of its own making, as a new user's.
    fresh_prefix: bool = False


def case(name, run, **flags):
    return Row("cases", name, run, **flags)


TABLE = [
    case("controls: skinned controls, pixel by pixel", package.skinned_controls),
    case("hooks: installed and removed, one slot at a time", hooks.installed_and_removed),
    case("hooks: asked for without waiting", hooks.asked_without_waiting),
    case("hooks: Alt+Tab", hooks.alt_tab),
    case("hooks: own input never reports", hooks.own_input),
    case("hooks: the watchdog puts lost hooks back", hooks.watchdog),
    case("hooks: the keyboard captured and given back", hooks.keyboard_capture),
    case("window: hidden start, settings shown, one instance", window.start_hidden_and_files),
    case("window: keys, dragging, a typed description", window.keys_drag_and_description),
    case("window: twenty starts at once", window.twenty_starts),
    case("window: display scales 100 to 200 %", window.display_scales, beside=True),
    case("window: clicks on the pointer's own pixel", window.clicks_on_the_cursor_pixel, beside=True),
    case("menu: Copy through the menu", menu.copy_through_the_menu),
    case("menu: Run Software", menu.run_software),
    case("menu: a macro from the menu", menu.macro_from_the_menu),
    case("menu: 500 showings leak nothing", menu.objects, beside=True),
    case("tray: start with Windows", tray.autostart, virgin_profile=True, beside=True),
    case("tray: saves and exit", tray.saves_and_exit, beside=True),
    case("tray: reset", tray.reset),
    case("tray: the menu's commands posted to the window", tray.commands_posted_to_the_window),
    case("tray: pause remapping", tray.pause),
    case("tray: a pause shortcut another program owns", tray.pause_shortcut_owned_elsewhere),
    case("tray: living in the tray", tray.living_in_the_tray, beside=True),
    case("package: the zip unpacked and run", package.zip_unpacked_and_run),
    case("package: installed, updated while running, removed", installer.install_upgrade_remove,
         fresh_prefix=True, beside=True),
    case("files: a program folder that cannot be written", files.read_only_folder, beside=True),
    case("files: Alt+F4 after a typed description", files.close_after_a_description),
    case("files: scripts as editors save them", files.scripts_as_editors_save_them),
    case("files: the scripts folder removed, replaced and made again",
         files.scripts_folder_made_again, beside=True),
    case("files: killed while saving", files.kill_during_saves, beside=True),
    case("keys: nothing stays down", keys.nothing_stays_down),
    case("keys: hold while pressed", keys.hold_while_pressed),
    case("keys: scan codes on a German layout", keys.scan_codes_on_a_german_layout),
    case("shortcuts: pressed in the dialog, sent as a keyboard would", shortcuts.capture_dialog),
    case("shortcuts: key names of a German keyboard", shortcuts.names_of_a_german_keyboard),
    case("shortcuts: texts typed, into Notepad too, stopped by Exit", shortcuts.texts),
    case("profiles: the program in front picks the function", profiles.program_in_front),
    case("profiles: the first press after an unseen switch",
         profiles.first_press_after_an_unseen_switch),
    case("profiles: the profile menu", profiles.profile_menu, beside=True),
    case("profiles: a notice names the profile a switch brings", profiles.notice_on_the_switch),
    case("profiles: exported and imported through the file dialogs", profiles.profile_files),
    case("profiles: Vela off in a program", profiles.vela_off_in_a_program),
    case("profiles: by window title, the wheel by the window under the pointer",
         profiles.profiles_by_window),
    case("mouse: a worn switch clicks once", mouse.chatter),
    case("mouse: the wheel reversed, faster, a stray notch dropped", mouse.wheel),
    case("mouse: one button, several things", mouse.triggers),
    case("layers: a button held as a modifier, tapped as itself", profiles.layer_while_held),
] + [Row("screenshots", name, run) for name, run in screenshots.SCENES.items()] \
  + [Row("bench", name, run) for name, run in bench.BENCHMARKS.items()]


class Context:
    """What a row gets: the session, the run's options and the checks, which
    count over the whole run."""

    root = ROOT

    def __init__(self, options):
        self.options = options
        self.s = Session(options.bin, options.work)
        self.passed, self.failed = 0, []

    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
            print(f"PASS {name}", flush=True)
            return True
        self.fail(name, f"got {actual!r}, expected {expected!r}")
        return False

    def fail(self, name, why):
        self.failed.append(name)
        print(f"FAIL {name}: {why}", flush=True)

    def log(self, message):
        log(message)

    def tray(self):
        return Tray(self.s)

    def menu(self):
        return Menu(self.s)


def arguments():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("kind", choices=("cases", "screenshots", "bench", "vela"))
    parser.add_argument("names", nargs="*", metavar="NAME",
                        help="the rows of these names (for vela: its arguments)")
    parser.add_argument("--bin", required=True, help="folder of Vela.exe and VelaProbe.exe")
    parser.add_argument("--work", required=True, help="work folder (logs, prefix, pictures)")
    parser.add_argument("--only", help="the rows whose name matches this expression")
    parser.add_argument("--list", action="store_true", help="list the rows and stop")
    parser.add_argument("--serial", action="store_true",
                        help="run every case in one session, none beside the others")
    parser.add_argument("--beside-only", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--cpack", default="cpack")
    parser.add_argument("--cpack-config")
    parser.add_argument("--installer-script",
                        help="the build's make-installer.cmake (default: beside --bin)")
    parser.add_argument("--out", help="where the pictures go (WORK unless given)")
    for name, default in (("iterations", 200), ("moves", 1000), ("interval-ms", 4.0),
                          ("presses", 300), ("press-interval-ms", 60.0)):
        parser.add_argument(f"--{name}", type=type(default), default=default)
    parser.add_argument("--vela-from", help="a folder with another build's Vela.exe and its "
                        "libraries, for a before-and-after run")
    options, rest = parser.parse_known_args()
    if rest and options.kind != "vela":
        parser.error(f"unrecognised arguments: {' '.join(rest)}")
    options.names += rest
    options.out = os.path.abspath(options.out or options.work)
    options.installer_script = options.installer_script or os.path.join(
        os.path.dirname(os.path.abspath(options.bin)), "installer", "make-installer.cmake")
    return options


def main():
    options = arguments()
    if options.kind == "vela":
        run_by_hand(os.path.abspath(options.bin), options.names or ["show"], options.work)
        return 0
    rows = [r for r in TABLE if r.kind == options.kind
            and (not options.only or re.search(options.only, r.name))
            and (not options.names or r.name in options.names)]
    if options.list or not rows or (options.kind != "cases" and not options.names
                                    and not options.only):
        print("\n".join(r.name + ("  (beside)" if r.beside else "") for r in rows))
        return 0 if options.list else 2
    side = None
    if options.kind == "cases" and not options.serial:
        if options.beside_only:
            rows = [r for r in rows if r.beside]
        elif any(r.beside for r in rows) and any(not r.beside for r in rows):
            # The rows marked beside run at the same time in a second
            # session; its report follows this one's.
            side = Beside(options)
            rows = [r for r in rows if not r.beside]
    started = time.monotonic()
    ctx, timings = run(rows, options)
    for seconds, name in timings:
        log(f"{seconds:6.1f} s  {name}")
    count, checks, failed = len(rows), ctx.passed + len(ctx.failed), ctx.failed
    if side:
        side_rows, side_checks, side_failed = side.finish()
        count, checks, failed = count + side_rows, checks + side_checks, failed + side_failed
    log(f"{count} {options.kind}, {checks} checks, {len(failed)} failed, "
        f"{time.monotonic() - started:.0f} s")
    for name in failed:
        log(f"failed: {name}")
    return 1 if failed else 0


def run(rows, options):
    """Runs the rows in one session; the context (with the checks) and the
    time each row took."""
    os.makedirs(options.out, exist_ok=True)
    ctx = Context(options)
    timings = []
    try:
        ctx.s.start()
        for row in rows:
            log(f"== {row.name}")
            begin = time.monotonic()
            if row.fresh_prefix and row is not rows[0]:
                ctx.s.make_prefix(fresh=True)
            if row.virgin_profile:
                ctx.s.reg_delete(r"HKCU\Software\Kestrel")
                ctx.s.reg_delete(KESTREL_RUN, "Kestrel")
            try:
                status = row.run(ctx)
                if status:  # a benchmark program that failed
                    ctx.fail(row.name, f"status {status}")
            except Abort as e:
                ctx.fail(row.name, f"aborted: {e}")
            except Exception:  # a fault of the row itself still fails the run
                traceback.print_exc()
                ctx.fail(row.name, "raised")
            finally:
                ctx.s.end_programs()
            timings.append((time.monotonic() - begin, row.name))
    finally:
        ctx.s.stop()
    return ctx, timings


class Beside:
    """The second session: this runner again, for the cases marked beside."""

    def __init__(self, options):
        work = os.path.join(options.work, "beside")
        os.makedirs(work, exist_ok=True)
        argv = [sys.executable, os.path.abspath(__file__), "cases", "--bin", options.bin,
                "--work", work, "--beside-only", *options.names]
        if options.only:
            argv += ["--only", options.only]
        self.output = os.path.join(work, "report.txt")
        with open(self.output, "w") as out:
            self.proc = subprocess.Popen(argv, stdout=out, stderr=subprocess.STDOUT)

    def finish(self):
        """Waits for it, prints its report; (cases, checks, failed names)."""
        status = self.proc.wait()
        with open(self.output) as f:
            text = f.read()
        print("---- cases run beside the others ----", flush=True)
        print(text, end="", flush=True)
        summary = re.findall(r"(\d+) cases, (\d+) checks, (\d+) failed", text)
        failed = re.findall(r"failed: (.*)", text)
        if not summary:
            return 0, 0, [f"beside: the second session ended with status {status} and no report"]
        cases, checks, _ = map(int, summary[-1])
        if status != 0 and not failed:
            failed = [f"beside: status {status}"]
        return cases, checks, failed


if __name__ == "__main__":
    sys.exit(main())
