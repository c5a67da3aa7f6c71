"""One private X display and one Wine prefix for a whole run: Windows
programs started and ended, xdotool input, screenshots and the registry.

Wine's output goes to files, never to pipes (its background processes would
hold a pipe open), and every Wine program runs under `timeout`."""

import os
import re
import shutil
import subprocess
import time

from .base import Abort, log, wait_for
from .observers import Log


class Session:
    """One Xvfb and one Wine prefix for a whole run."""

    def __init__(self, bin_dir, work, screen="1280x1024x24"):
        self.bin = os.path.abspath(bin_dir)
        self.work = os.path.abspath(work)
        self.screen = screen
        self.xvfb = None
        self.display = None
        self.procs = []
        os.makedirs(self.work, exist_ok=True)
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=os.path.join(self.work, "wineprefix"), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.probe_exe = os.path.join(self.bin, "VelaProbe.exe")
        self._serial = 0

    # -- Life -----------------------------------------------------------------------

    def start(self, fresh_prefix=True):
        self.start_xvfb()
        self.make_prefix(fresh_prefix)

    def start_xvfb(self):
        read_end, write_end = os.pipe()
        # -displayfd picks a free display and writes its number once it
        # accepts connections, so two runs never share a server.
        with open(os.path.join(self.work, "xvfb.log"), "wb") as out:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                 "-nolisten", "tcp"], stdout=out, stderr=out, pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.strip():
            raise Abort("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        log(f"Xvfb on {self.display} (pid {self.xvfb.pid})")

    def make_prefix(self, fresh=True):
        prefix = self.env["WINEPREFIX"]
        if fresh and os.path.isdir(prefix):
            self.end_programs()
            shutil.rmtree(prefix, ignore_errors=True)
        if os.path.isfile(os.path.join(prefix, "system.reg")):
            return
        start = time.monotonic()
        if self.run("wineboot", "-i", timeout=180) != 0:
            raise Abort("wineboot failed")
        log(f"fresh Wine prefix in {time.monotonic() - start:.1f} s")

    def stop(self):
        self.end_programs()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
            self.xvfb = None

    def end_programs(self):
        """Ends every Windows program of the prefix and waits for the server
        to be gone, so the next program starts on a clean slate."""
        self._quiet(["timeout", "20", "wineserver", "-k"])
        for p in self.procs:
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
        self.procs = []
        self._quiet(["timeout", "20", "wineserver", "-w"])

    # -- Programs ------------------------------------------------------------------------

    def _out(self, name):
        self._serial += 1
        base = os.path.join(self.work, "out", f"{self._serial:04d}-{name}")
        os.makedirs(os.path.dirname(base), exist_ok=True)
        return base

    def _quiet(self, argv, timeout=None):
        with open(os.devnull, "wb") as null:
            return subprocess.run(argv, env=self.env, stdout=null, stderr=null,
                                  timeout=timeout).returncode

    def spawn(self, name, *argv, timeout=400, winedebug=None):
        """Starts a Windows program in the background (with Wine's debug
        channels `winedebug` when given: their trace goes to `proc.err_path`)."""
        base = self._out(name)
        env = self.env if winedebug is None else dict(self.env, WINEDEBUG=winedebug)
        with open(base + ".out", "wb") as out, open(base + ".err", "wb") as err:
            proc = subprocess.Popen(["timeout", str(timeout), "wine", *argv], env=env,
                                    stdout=out, stderr=err)
        proc.err_path = base + ".err"
        self.procs.append(proc)
        return proc

    def run(self, *argv, timeout=60, name=None):
        """Runs a Windows program to its end; its exit status."""
        base = self._out(name or os.path.basename(argv[0]))
        with open(base + ".out", "wb") as out, open(base + ".err", "wb") as err:
            try:
                return subprocess.run(["timeout", str(timeout), "wine", *argv], env=self.env,
                                      stdout=out, stderr=err).returncode
            except subprocess.TimeoutExpired:
                return 124

    def winpath(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def new_log(self, name):
        path = self._out(name) + ".log"
        if os.path.exists(path):
            os.remove(path)
        return Log(path)

    def probe(self, verb, *args, timeout=30):
        """Runs one probe verb to its end; its log."""
        out = self.new_log(f"probe-{verb}")
        argv = [self.probe_exe, verb, "--log", self.winpath(out.path), *map(str, args)]
        status = self.run(*argv, timeout=timeout, name=f"probe-{verb}")
        if not os.path.exists(out.path):
            # Now and then Wine fails to start a program at all under load;
            # the probe would have opened its log first thing.
            log(f"probe {verb} did not start (status {status}): once more")
            self.run(*argv, timeout=timeout, name=f"probe-{verb}")
        return out

    def spawn_probe(self, verb, *args, exit_after=300, exe=None):
        """Starts a probe verb in the background (from a copy of the probe
        under another name when `exe` is given); (process, its log)."""
        out = self.new_log(f"probe-{verb}")
        proc = self.spawn(f"probe-{verb}", exe or self.probe_exe, verb, "--log",
                          self.winpath(out.path), "--exit-after", str(exit_after),
                          *map(str, args), timeout=exit_after + 10)
        return proc, out

    # -- X input and output ---------------------------------------------------------------

    def xdo(self, *args):
        with open(os.path.join(self.work, "xdotool.out"), "ab") as out:
            return subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=out,
                                  stderr=out).returncode

    def xdo_text(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                              text=True).stdout

    def _shell_values(self, *args):
        return dict(line.split("=", 1) for line in self.xdo_text(*args).split() if "=" in line)

    def pointer(self):
        """Where the X pointer is: (x, y)."""
        values = self._shell_values("getmouselocation", "--shell")
        return int(values["X"]), int(values["Y"])

    def visible_windows(self, name=""):
        return [int(w) for w in self.xdo_text("search", "--onlyvisible", "--name", name).split()]

    def geometry(self, window):
        """x, y, width, height of an X window."""
        values = self._shell_values("getwindowgeometry", "--shell", window)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self, path, crop=None):
        argv = ["import", "-window", "root"]
        if crop:
            x, y, w, h = crop
            argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        subprocess.run(argv + [path], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path

    def set_dpi(self, dpi):
        """The system DPI of every Windows program started from now on. Wine
        reads LogPixels as its server and desktop start: every program is
        ended for it."""
        self.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", dpi, "REG_DWORD")
        self.end_programs()

    def keys_down(self, vks):
        """Which of the virtual keys `vks` the system has down now."""
        lines = self.probe("keystate", "--vks", ",".join(map(str, vks))).lines()
        return [int(line.split()[1]) for line in lines if line.startswith("down ")]

    # -- Registry (through Wine's reg.exe: user.reg is written only when the
    #    server stops) ----------------------------------------------------------------

    def reg_query(self, key, value):
        """The value's data as `reg query` prints it, or None."""
        base = self._out("reg")
        with open(base + ".out", "wb") as out:
            subprocess.run(["timeout", "30", "wine", "reg", "query", key, "/v", value],
                           env=self.env, stdout=out, stderr=subprocess.DEVNULL)
        with open(base + ".out", "rb") as f:
            text = f.read().decode("utf-8", "replace")
        for line in text.replace("\r", "").split("\n"):
            m = re.match(rf"^ +{re.escape(value)} +REG_[A-Z_]+(?: +(.*))? *$", line)
            if m:
                return m.group(1) or ""
        return None

    def wait_reg(self, key, value, want, timeout=5):
        """Polls the registry value until it is `want` (None: gone); the last
        data read."""
        return wait_for(lambda: self.reg_query(key, value), want, timeout)

    def reg_add(self, key, value, data, kind="REG_SZ"):
        self.run("reg", "add", key, "/v", value, "/t", kind, "/d", str(data), "/f", name="reg")

    def reg_delete(self, key, value=None):
        argv = ["reg", "delete", key] + (["/v", value] if value else []) + ["/f"]
        self.run(*argv, name="reg")


def run_by_hand(folder, args, work):
    """Runs Vela from `folder` until it ends or Ctrl+C: on the display of
    $DISPLAY, or a private Xvfb when there is none. The prefix in `work` is
    kept between runs."""
    session = Session(folder, work)
    try:
        if os.environ.get("DISPLAY"):
            session.display = os.environ["DISPLAY"]
        else:
            session.start_xvfb()
            print(f"Xvfb on {session.display} (look at it with "
                  f"`DISPLAY={session.display} import -window root shot.png`)", flush=True)
        session.make_prefix(fresh=False)
        print(f"Vela is running from {folder} (Ctrl+C ends it)", flush=True)
        proc = session.spawn("vela", os.path.join(folder, "Vela.exe"), *args, timeout=86400)
        proc.wait()
    except KeyboardInterrupt:
        pass
    finally:
        session.stop()
