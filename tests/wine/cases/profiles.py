"""Per-program profiles: the program in front picks what each input does."""

import os
import shutil

from harness import Receiver, Vela, crlf

CTRL_C = ["KEYDOWN 17", "KEYDOWN 67", "KEYUP 67", "KEYUP 17"]
CTRL_V = ["KEYDOWN 17", "KEYDOWN 86", "KEYUP 86", "KEYUP 17"]
FORWARD = ["click", "--delay", 0, 9]

# "All Programs": the forward button copies. Second.exe pastes with it;
# Third.exe leaves it alone.
SETTINGS = crlf(
    "[X1ButtonSetting]", "0=Copy", "1=1", "2=2", "3=67", "4=0", "5=", "6=1", "8=",
    "[Profiles]", "1=Second.exe", "2=Third.exe",
    "[Second.exe]", "X1.0=Paste", "X1.1=1", "X1.2=2", "X1.3=86", "X1.4=0", "X1.5=", "X1.6=1",
    "X1.8=",
    "[Third.exe]", "X1.0=Forward", "X1.1=0", "X1.2=0", "X1.3=0", "X1.4=0", "X1.5=", "X1.6=0",
    "X1.8=")


def program_in_front(ctx):
    """Three programs side by side; clicking into each in turn, the forward
    button gives Ctrl+C in the first (no profile), Ctrl+V in the second and
    the native button in the third, and again after going back."""
    s = ctx.s
    vela = Vela(s)
    vela.write_settings(SETTINGS)
    vela.start()
    ctx.tray().wait_icon()
    programs = os.path.join(s.work, "programs")
    os.makedirs(programs, exist_ok=True)
    receivers = []
    for n, name in enumerate(("VelaProbe.exe", "Second.exe", "Third.exe")):
        exe = None
        if name != "VelaProbe.exe":
            exe = os.path.join(programs, name)
            shutil.copy2(s.probe_exe, exe)
        receivers.append(Receiver(s, exe=exe, left=n * 420, width=410, exit_after=60))
    first, second, third = receivers

    def press_in(rx, want):
        s.xdo("mousemove", *rx.centre, "click", 1)  # into the program: it is in front now
        return rx.collect(FORWARD, want=want)

    for round_ in ("", " again"):
        ctx.check("no profile: Ctrl+C" + round_, press_in(first, 4), CTRL_C)
        ctx.check("Second.exe's profile: Ctrl+V" + round_, press_in(second, 4), CTRL_V)
        ctx.check("Third.exe leaves it alone: the button itself" + round_, press_in(third, 2),
                  ["XBUTTONDOWN 2", "XBUTTONUP 2"])
