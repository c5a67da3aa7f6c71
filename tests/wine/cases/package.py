"""The portable zip and the skinned controls: what ships, unpacked and run."""

import os
import re
import subprocess
import time
import zipfile

from harness import Abort, Receiver, Vela, crlf, ini, short, slot

SHIPPED = sorted([
    "ClickTrapM.dll", "ClickTrapR.dll", "ClickTrapWD.dll", "ClickTrapWL.dll", "ClickTrapWR.dll",
    "ClickTrapWU.dll", "ClickTrapX1.dll", "ClickTrapX2.dll", "README.md",
    "ScriptsMacros/SelectAllCopy.txt", "SwitchTrap.dll", "Vela.exe", "VelaHooks.dll"])


def zip_unpacked_and_run(ctx):
    """Built by CPack, the zip holds exactly Vela.exe, the hook libraries, the
    example macro and the README, stripped; unpacked into a fresh folder with
    blanks in its name, Vela.exe starts from there, plays the example macro on
    the forward button, and a playback timer plays the middle button's
    script."""
    s = ctx.s
    if not ctx.options.cpack_config:
        raise Abort("no CPack configuration given (--cpack-config)")
    package = os.path.join(s.work, "package")
    subprocess.run(["rm", "-rf", package])
    with open(os.path.join(s.work, "cpack.log"), "wb") as out:
        built = subprocess.run([ctx.options.cpack, "-G", "ZIP", "--config",
                                ctx.options.cpack_config, "-B", package], stdout=out, stderr=out)
    zips = [f for f in os.listdir(package) if re.match(r"^Vela-.*-win64\.zip$", f)] \
        if built.returncode == 0 and os.path.isdir(package) else []
    ctx.check("zip_built", len(zips), 1)
    if not zips:
        raise Abort("cpack made no zip")
    path = os.path.join(package, zips[0])
    top = zips[0][:-4]
    with zipfile.ZipFile(path) as archive:
        names = sorted(n[len(top) + 1:] for n in archive.namelist() if not n.endswith("/"))
        ctx.check("zip_holds_exactly_the_program", names, SHIPPED)
        unpacked = os.path.join(s.work, "unpacked here")
        subprocess.run(["rm", "-rf", unpacked])
        archive.extractall(unpacked)
    folder = os.path.join(unpacked, top)
    with open(os.path.join(folder, "README.md"), "rb") as a, \
            open(os.path.join(ctx.root, "README.md"), "rb") as b:
        ctx.check("zip_readme_is_the_readme", a.read() == b.read(), True)
    # Symbols stay in the build: no program in the zip carries a symbol table.
    unstripped = [name for name in SHIPPED if name.endswith((".exe", ".dll")) and "no symbols" not in
                  subprocess.run(["x86_64-w64-mingw32-nm", os.path.join(folder, name)],
                                 capture_output=True, text=True).stderr]
    ctx.check("zip_programs_are_stripped", unstripped, [])

    vela = Vela(s, source=folder)
    # The forward button plays the example macro; the middle button has a
    # script of its own, told apart from the forward button's.
    vela.write_settings(ini(slot("X1", "Select All+Copy", action=6, macro="SelectAllCopy.txt"),
                            slot("M", "M", action=6, macro="Middle.txt")))
    vela.write_script("Middle.txt", crlf("KeyDown 77", "KeyUp 77"))
    window = vela.start("shown") and vela.wait_window()
    ctx.check("unpacked_vela_shows_its_window", bool(window), True)
    ctx.check("unpacked_vela_read_its_settings", vela.text("IDC_CAPTION_X1"), "Select All+Copy")

    rx = Receiver(s)
    ctx.check("example_macro_plays_on_forward", rx.collect(["click", "--delay", 0, 9], want=8),
              ["KEYDOWN 17", "KEYDOWN 65", "KEYUP 65", "KEYUP 17", "KEYDOWN 17", "KEYDOWN 67",
               "KEYUP 67", "KEYUP 17"])
    # The playback timers: id 2 plays the middle button's script on the
    # window's own thread, an id Vela does not use does nothing.
    mark = rx.log.mark()
    s.probe("timer", "--ids", "9,0,2")
    rx.log.wait(r"^KEYUP 77 ", 10)
    time.sleep(0.3)  # a moment for a script the other timers might start: nothing tells of it
    keys = [short(line) for line in rx.log.since(mark)
            if re.match(r"^(KEY|SYSKEY|XBUTTON|MBUTTON)", line)]
    ctx.check("timer_2_plays_middle_script_only", keys, ["KEYDOWN 77", "KEYUP 77"])


def skinned_controls(ctx):
    """The skinned controls drawn on a real window, pixel by pixel (the checks
    run inside the probe)."""
    out = ctx.s.probe("controls", timeout=120)
    results = [line for line in out.lines() if re.match(r"^(PASS|FAIL) ", line)]
    if not results:
        raise Abort("the controls probe ran no checks: " + " | ".join(out.lines()[-3:]))
    for line in results:
        verdict, name = line.split(" ", 2)[:2]
        ctx.check(name, verdict, "PASS")
