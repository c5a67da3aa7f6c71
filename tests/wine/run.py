#!/usr/bin/env python3
"""Everything Vela does under Wine, from one table: the end-to-end cases, the
screenshots and the benchmarks, each run in a private Xvfb and Wine prefix;
and Vela itself, run by hand.

    run.py cases       --bin BUILD/bin --work WORK [--only REGEX] [--list] [--serial]
                       [--cpack CPACK --cpack-config BUILD/CPackConfig.cmake]
    run.py screenshots NAME... --bin BUILD/bin --work WORK [--out FOLDER]
    run.py bench       NAME... --bin BUILD/bin --work WORK [--iterations N] [--moves N]
                       [--interval-ms MS] [--presses N] [--press-interval-ms MS]
                       [--vela-from FOLDER]
    run.py vela        --bin FOLDER --work WORK [ARGUMENTS FOR VELA]

Cases start from no running Windows program and leave none behind; those
marked beside run at the same time in a second session of their own (a
display and a prefix), unless --serial. Screenshots and benchmarks assert
nothing: they write pictures and print figures. `--list` names the rows of
a kind; NAME or --only picks some.
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
import keys  # noqa: E402
import menu  # noqa: E402
import package  # noqa: E402
import profiles  # noqa: E402
import screenshots  # noqa: E402
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


def case(name, run, **flags):
    return Row("cases", name, run, **flags)


TABLE = [
    case("controls: skinned controls, pixel by pixel", package.skinned_controls),
    case("hooks: installed and removed, one slot at a time", hooks.installed_and_removed),
    case("hooks: Alt+Tab", hooks.alt_tab),
    case("hooks: own input never reports", hooks.own_input),
    case("hooks: the watchdog puts lost hooks back", hooks.watchdog),
    case("window: hidden start, settings shown, one instance", window.start_hidden_and_files),
    case("window: keys, dragging, a typed description", window.keys_drag_and_description),
    case("window: twenty starts at once", window.twenty_starts),
    case("window: display scales 100 to 200 %", window.display_scales, beside=True),
    case("window: clicks on the pointer's own pixel", window.clicks_on_the_cursor_pixel),
    case("menu: Copy through the menu", menu.copy_through_the_menu),
    case("menu: Run Software", menu.run_software),
    case("menu: a macro from the menu", menu.macro_from_the_menu),
    case("menu: 500 showings leak nothing", menu.objects),
    case("tray: start with Windows", tray.autostart, virgin_profile=True, beside=True),
    case("tray: saves and exit", tray.saves_and_exit, beside=True),
    case("tray: reset", tray.reset),
    case("tray: pause remapping", tray.pause),
    case("tray: a pause shortcut another program owns", tray.pause_shortcut_owned_elsewhere),
    case("tray: living in the tray", tray.living_in_the_tray, beside=True),
    case("package: the zip unpacked and run", package.zip_unpacked_and_run),
    case("files: a program folder that cannot be written", files.read_only_folder, beside=True),
    case("files: Alt+F4 after a typed description", files.close_after_a_description),
    case("files: scripts as editors save them", files.scripts_as_editors_save_them),
    case("files: the scripts folder removed, replaced and made again",
         files.scripts_folder_made_again),
    case("files: killed while saving", files.kill_during_saves, beside=True),
    case("keys: nothing stays down", keys.nothing_stays_down),
    case("keys: hold while pressed", keys.hold_while_pressed),
    case("keys: scan codes on a German layout", keys.scan_codes_on_a_german_layout),
    case("profiles: the program in front picks the function", profiles.program_in_front),
    case("profiles: the first press after an unseen switch",
         profiles.first_press_after_an_unseen_switch),
    case("profiles: the profile menu", profiles.profile_menu),
] + [Row("screenshots", name, run) for name, run in screenshots.SCENES.items()] \
  + [Row("bench", name, run) for name, run in bench.BENCHMARKS.items()]


class Checks:
    def __init__(self):
        self.passed = 0
        self.failed = []

    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
            print(f"PASS {name}", flush=True)
            return True
        self.failed.append(name)
        print(f"FAIL {name}: got {actual!r}, expected {expected!r}", flush=True)
        return False

    def fail(self, name, why):
        self.failed.append(name)
        print(f"FAIL {name}: {why}", flush=True)

    @property
    def total(self):
        return self.passed + len(self.failed)


class Context:
    """What a row gets: the session, the checks and the run's options."""

    root = ROOT

    def __init__(self, session, checks, options):
        self.s = session
        self.checks = checks
        self.options = options

    def check(self, name, actual, expected):
        return self.checks.check(name, actual, expected)

    def log(self, message):
        log(message)

    def tray(self):
        return Tray(self.s)

    def menu(self):
        return Menu(self.s)


def arguments():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    kinds = parser.add_subparsers(dest="kind", required=True)
    common = argparse.ArgumentParser(add_help=False)
    common.add_argument("--bin", required=True, help="folder of Vela.exe and VelaProbe.exe")
    common.add_argument("--work", required=True, help="work folder (logs, prefix, pictures)")
    common.add_argument("--only", help="the rows whose name matches this expression")
    common.add_argument("--list", action="store_true", help="list the rows and stop")
    common.add_argument("names", nargs="*", metavar="NAME", help="the rows of these names")
    cases = kinds.add_parser("cases", parents=[common], help="the end-to-end cases")
    cases.add_argument("--serial", action="store_true",
                       help="run every case in one session, none beside the others")
    cases.add_argument("--beside-only", action="store_true", help=argparse.SUPPRESS)
    cases.add_argument("--cpack", default="cpack")
    cases.add_argument("--cpack-config")
    shots = kinds.add_parser("screenshots", parents=[common], help="pictures of Vela")
    shots.add_argument("--out", help="where the pictures go (WORK unless given)")
    figures = kinds.add_parser("bench", parents=[common], help="benchmarks")
    figures.add_argument("--iterations", type=int, default=200)
    figures.add_argument("--moves", type=int, default=1000)
    figures.add_argument("--interval-ms", type=float, default=4)
    figures.add_argument("--presses", type=int, default=300)
    figures.add_argument("--press-interval-ms", type=float, default=60)
    figures.add_argument("--vela-from", help="a folder with another build's Vela.exe and its "
                         "libraries, for a before-and-after run")
    by_hand = kinds.add_parser("vela", help="Vela from --bin until it ends or Ctrl+C (on "
                               "$DISPLAY, or a private Xvfb)")
    by_hand.add_argument("--bin", required=True)
    by_hand.add_argument("--work", required=True)
    by_hand.add_argument("args", nargs=argparse.REMAINDER)
    return parser.parse_args()


def main():
    options = arguments()
    if options.kind == "vela":
        run_by_hand(os.path.abspath(options.bin), options.args or ["show"], options.work)
        return 0
    options.out = os.path.abspath(getattr(options, "out", None) or options.work)
    rows = [r for r in TABLE if r.kind == options.kind
            and (not options.only or re.search(options.only, r.name))
            and (not options.names or r.name in options.names)]
    if options.list or not rows:
        for row in rows:
            print(row.name + ("  (beside)" if row.beside else ""))
        return 0 if rows else 2
    if options.kind != "cases" and not (options.names or options.only):
        sys.exit(f"name one of: {', '.join(r.name for r in rows)}")
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
    return report(started, run(rows, options), side, options)


def run(rows, options):
    """Runs the rows in one session; (rows run, checks, timings)."""
    os.makedirs(options.out, exist_ok=True)
    session = Session(options.bin, options.work)
    checks = Checks()
    timings = []
    try:
        session.start()
        for row in rows:
            log(f"== {row.name}")
            begin = time.monotonic()
            if row.virgin_profile:
                session.reg_delete(r"HKCU\Software\Kestrel")
                session.reg_delete(KESTREL_RUN, "Kestrel")
            try:
                status = row.run(Context(session, checks, options))
                if status:  # a benchmark program that failed
                    checks.fail(row.name, f"status {status}")
            except Abort as e:
                checks.fail(row.name, f"aborted: {e}")
            except Exception:  # a fault of the row itself still fails the run
                traceback.print_exc()
                checks.fail(row.name, "raised")
            finally:
                session.end_programs()
            timings.append((time.monotonic() - begin, row.name))
    finally:
        session.stop()
    return len(rows), checks, timings


def report(started, result, side, options):
    count, checks, timings = result
    for seconds, name in timings:
        log(f"{seconds:6.1f} s  {name}")
    total_rows, total_checks, failed = count, checks.total, list(checks.failed)
    if side:
        side_rows, side_checks, side_failed = side.finish()
        total_rows += side_rows
        total_checks += side_checks
        failed += side_failed
    log(f"{total_rows} {options.kind}, {total_checks} checks, {len(failed)} failed, "
        f"{time.monotonic() - started:.0f} s")
    for name in failed:
        log(f"failed: {name}")
    return 1 if failed else 0


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
        self.out = open(self.output, "w")
        self.proc = subprocess.Popen(argv, stdout=self.out, stderr=subprocess.STDOUT)

    def finish(self):
        """Waits for it, prints its report; (cases, checks, failed names)."""
        status = self.proc.wait()
        self.out.close()
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
