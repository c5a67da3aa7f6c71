#!/usr/bin/env python3
"""The Wine suite: every end-to-end case of Vela in one run, one Xvfb and one
Wine prefix. The cases are the table at the end of this file; each one starts
from no running Windows program and leaves none behind.

    suite.py --bin BUILD/bin --work WORK [--only REGEX] [--list]
             [--cpack CPACK --cpack-config BUILD/CPackConfig.cmake]
"""

import argparse
import os
import re
import subprocess
import sys
import time
import traceback
from dataclasses import dataclass, field
from typing import Callable

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases"))

from harness import (KESTREL_PROFILE, KESTREL_RUN, ROOT, Abort, Checks, Menu, Session,  # noqa: E402
                     Tray, log)
import files  # noqa: E402
import hooks  # noqa: E402
import keys  # noqa: E402
import menu  # noqa: E402
import package  # noqa: E402
import profiles  # noqa: E402
import tray  # noqa: E402
import window  # noqa: E402


@dataclass
class Case:
    name: str
    run: Callable
    # The case needs a user who never chose anything: the profile key and the
    # Run value go before it starts.
    virgin_profile: bool = False
    # The case runs in the second session, beside the others: a display and a
    # prefix of its own, so its input and programs never meet theirs. The two
    # sessions are balanced to end about together.
    beside: bool = False
    tags: list = field(default_factory=list)


CASES = [
    Case("controls: skinned controls, pixel by pixel", package.skinned_controls),
    Case("hooks: installed and removed, one slot at a time", hooks.installed_and_removed),
    Case("hooks: Alt+Tab", hooks.alt_tab),
    Case("hooks: own input never reports", hooks.own_input),
    Case("hooks: the watchdog puts lost hooks back", hooks.watchdog),
    Case("window: hidden start, settings shown, one instance", window.start_hidden_and_files),
    Case("window: keys, dragging, a typed description", window.keys_drag_and_description),
    Case("window: twenty starts at once", window.twenty_starts),
    Case("window: display scales 100 to 200 %", window.display_scales, beside=True),
    Case("window: clicks on the pointer's own pixel", window.clicks_on_the_cursor_pixel),
    Case("menu: Copy through the menu", menu.copy_through_the_menu),
    Case("menu: Run Software", menu.run_software),
    Case("menu: a macro from the menu", menu.macro_from_the_menu),
    Case("menu: 500 showings leak nothing", menu.objects),
    Case("tray: start with Windows", tray.autostart, virgin_profile=True, beside=True),
    Case("tray: saves and exit", tray.saves_and_exit, beside=True),
    Case("tray: reset", tray.reset),
    Case("tray: pause remapping", tray.pause),
    Case("tray: a pause shortcut another program owns", tray.pause_shortcut_owned_elsewhere),
    Case("tray: living in the tray", tray.living_in_the_tray, beside=True),
    Case("package: the zip unpacked and run", package.zip_unpacked_and_run),
    Case("files: a program folder that cannot be written", files.read_only_folder, beside=True),
    Case("files: Alt+F4 after a typed description", files.close_after_a_description),
    Case("files: scripts as editors save them", files.scripts_as_editors_save_them),
    Case("files: the scripts folder removed, replaced and made again",
         files.scripts_folder_made_again),
    Case("files: killed while saving", files.kill_during_saves, beside=True),
    Case("keys: nothing stays down", keys.nothing_stays_down),
    Case("keys: hold while pressed", keys.hold_while_pressed),
    Case("keys: scan codes on a German layout", keys.scan_codes_on_a_german_layout),
    Case("profiles: the program in front picks the function", profiles.program_in_front),
    Case("profiles: the first press after an unseen switch",
         profiles.first_press_after_an_unseen_switch),
    Case("profiles: the profile menu", profiles.profile_menu),
]


class Context:
    """What a case gets: the session, the checks and the run's options."""

    root = ROOT

    def __init__(self, session, checks, options, case):
        self.s = session
        self.checks = checks
        self.options = options
        self.case = case

    def check(self, name, actual, expected):
        return self.checks.check(name, actual, expected)

    def log(self, message):
        log(message)

    def tray(self):
        return Tray(self.s)

    def menu(self):
        return Menu(self.s)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder of Vela.exe and VelaProbe.exe")
    parser.add_argument("--work", required=True, help="work folder (logs, prefix, screenshots)")
    parser.add_argument("--only", help="run the cases whose name matches this expression")
    parser.add_argument("--list", action="store_true", help="list the cases and stop")
    parser.add_argument("--serial", action="store_true",
                        help="run every case in one session, none beside the others")
    parser.add_argument("--beside-only", action="store_true", help=argparse.SUPPRESS)
    parser.add_argument("--cpack", default="cpack")
    parser.add_argument("--cpack-config")
    options = parser.parse_args()

    cases = [c for c in CASES if not options.only or re.search(options.only, c.name)]
    if options.list:
        for case in cases:
            print(case.name + ("  (beside)" if case.beside else ""))
        return 0
    if options.beside_only:
        cases = [c for c in cases if c.beside]
    side = None
    if not options.serial and not options.beside_only and any(c.beside for c in cases) and \
            any(not c.beside for c in cases):
        # The cases marked beside run at the same time in a second session;
        # its report follows this one's.
        side = Beside(options)
        cases = [c for c in cases if not c.beside]

    session = Session(options.bin, options.work)
    checks = Checks()
    timings = []
    started = time.monotonic()
    try:
        session.start()
        for case in cases:
            log(f"== {case.name}")
            begin = time.monotonic()
            if case.virgin_profile:
                session.reg_delete(r"HKCU\Software\Kestrel")
                session.reg_delete(KESTREL_RUN, "Kestrel")
            try:
                case.run(Context(session, checks, options, case))
            except Abort as e:
                checks.fail(case.name, f"aborted: {e}")
            except Exception:  # a fault of the case itself still fails the run
                traceback.print_exc()
                checks.fail(case.name, "raised")
            finally:
                session.end_programs()
            timings.append((time.monotonic() - begin, case.name))
    finally:
        session.stop()
    for seconds, name in timings:
        log(f"{seconds:6.1f} s  {name}")
    total_cases, total_checks, failed = len(cases), checks.total, list(checks.failed)
    if side:
        side_cases, side_checks, side_failed = side.finish()
        total_cases += side_cases
        total_checks += side_checks
        failed += side_failed
    log(f"{total_cases} cases, {total_checks} checks, {len(failed)} failed, "
        f"{time.monotonic() - started:.0f} s")
    for name in failed:
        log(f"failed: {name}")
    return 1 if failed else 0


class Beside:
    """The second session: this script again, for the cases marked beside."""

    def __init__(self, options):
        work = os.path.join(options.work, "beside")
        os.makedirs(work, exist_ok=True)
        argv = [sys.executable, os.path.abspath(__file__), "--bin", options.bin, "--work", work,
                "--beside-only"]
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
            report = f.read()
        print("---- cases run beside the others ----", flush=True)
        print(report, end="", flush=True)
        summary = re.findall(r"(\d+) cases, (\d+) checks, (\d+) failed", report)
        failed = re.findall(r"failed: (.*)", report)
        if not summary:
            return 0, 0, [f"beside: the second session ended with status {status} and no report"]
        cases, checks, _ = map(int, summary[-1])
        if status != 0 and not failed:
            failed = [f"beside: status {status}"]
        return cases, checks, failed


if __name__ == "__main__":
    sys.exit(main())
