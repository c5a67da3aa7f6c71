"""The Wine suite's one helper library: a private X display, one Wine prefix,
Vela and VelaProbe.exe started and ended, xdotool input, logs to wait on,
settings files to read, and the checks. The suite (suite.py), the benchmarks
(scripts/bench.sh) and the screenshots (scripts/screenshots.sh) all use it.

Wine's output goes to files, never to pipes (its background processes would
hold a pipe open), and every Wine program runs under `timeout`.
"""

import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


class Abort(Exception):
    """A case cannot go on: something it needs did not happen."""


def log(message):
    print(f"[wine {time.strftime('%H:%M:%S')}] {message}", flush=True)


def now_ms():
    return time.monotonic_ns() // 1_000_000


def qpc_now():
    """What QueryPerformanceCounter says under Wine at this moment: Linux's
    CLOCK_MONOTONIC_RAW in 100 ns units."""
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW) // 100


def wait_until(condition, timeout, step=0.02):
    """Calls `condition` until it gives something true or `timeout` seconds
    have passed; returns its last answer."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(step)


# ---- Logs -----------------------------------------------------------------------


class Log:
    """A line log a Windows program writes as it goes: "<qpc> <text>" lines
    (or plain text). Read again on every question, so it can be waited on."""

    STAMP = re.compile(r"^(\d+) (.*)$")

    def __init__(self, path):
        self.path = path

    def entries(self):
        """(stamp or None, text) per complete line."""
        try:
            with open(self.path, "rb") as f:
                data = f.read()
        except FileNotFoundError:
            return []
        text = data.decode("utf-8", "replace").lstrip("\ufeff")
        out = []
        for line in text.split("\n")[:-1]:  # the last piece is not a whole line yet
            line = line.rstrip("\r")
            m = self.STAMP.match(line)
            out.append((int(m.group(1)), m.group(2)) if m else (None, line))
        return out

    def lines(self):
        return [text for _, text in self.entries()]

    def count(self, pattern, since=0):
        rx = re.compile(pattern)
        return sum(1 for text in self.lines()[since:] if rx.search(text))

    def mark(self):
        return len(self.lines())

    def since(self, mark):
        return self.lines()[mark:]

    def first(self, pattern):
        rx = re.compile(pattern)
        for stamp, text in self.entries():
            m = rx.search(text)
            if m:
                return stamp, text, m
        return None

    def last(self, pattern):
        rx = re.compile(pattern)
        found = None
        for stamp, text in self.entries():
            m = rx.search(text)
            if m:
                found = (stamp, text, m)
        return found

    def value(self, name):
        """The word after `name` in the last line that starts with it."""
        hit = self.last(rf"^{re.escape(name)} (\S+)")
        return hit[2].group(1) if hit else None

    def wait(self, pattern, timeout=10):
        if wait_until(lambda: self.count(pattern) > 0, timeout):
            return True
        log(f"timed out after {timeout} s waiting for /{pattern}/ in {self.path}")
        return False

    def wait_count(self, pattern, want, timeout=10):
        if wait_until(lambda: self.count(pattern) >= want, timeout):
            return True
        log(f"timed out after {timeout} s waiting for {want} x /{pattern}/ in {self.path}")
        return False


# ---- Settings files ---------------------------------------------------------------


def decode_text_file(data):
    """The text of a file as Vela may write it: UTF-16 with a mark (either
    order), UTF-8 with or without a mark, or Windows-1252."""
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le", "replace")
    if data.startswith(b"\xfe\xff"):
        return data[2:].decode("utf-16-be", "replace")
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8", "replace")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1252", "replace")


def ini_value(path, section, key):
    """A value of an INI file, or "" when the file, section or key is missing."""
    try:
        with open(path, "rb") as f:
            text = decode_text_file(f.read())
    except (FileNotFoundError, PermissionError):
        return ""
    inside = False
    for line in re.split(r"\r\n|\r|\n", text):
        if line.startswith("["):
            inside = line.strip().lower() == f"[{section}]".lower()
            continue
        if inside and line.startswith(f"{key}="):
            return line[len(key) + 1:]
    return ""


def crlf(*lines):
    return "".join(line + "\r\n" for line in lines)


# ---- The session ---------------------------------------------------------------------


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
        base = self._out(name)
        path = base + ".log"
        if os.path.exists(path):
            os.remove(path)
        return Log(path)

    def probe(self, verb, *args, timeout=30):
        """Runs one probe verb to its end; its log."""
        out = self.new_log(f"probe-{verb}")
        argv = [self.probe_exe, verb, "--log", self.winpath(out.path), *args]
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
                          self.winpath(out.path),
                          "--exit-after", str(exit_after), *args, timeout=exit_after + 10)
        return proc, out

    # -- X input and output ---------------------------------------------------------------

    def xdo(self, *args):
        with open(os.path.join(self.work, "xdotool.out"), "ab") as out:
            return subprocess.run(["xdotool", *map(str, args)], env=self.env, stdout=out,
                                  stderr=out).returncode

    def xdo_text(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env,
                                capture_output=True, text=True)
        return result.stdout

    def pointer(self):
        """Where the X pointer is: (x, y)."""
        values = dict(line.split("=", 1) for line in
                      self.xdo_text("getmouselocation", "--shell").split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def set_dpi(self, dpi):
        """The system DPI of every Windows program started from now on. Wine
        reads LogPixels as its server and desktop start: every program is
        ended for it."""
        self.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", dpi, "REG_DWORD")
        self.end_programs()

    def visible_windows(self, name=""):
        return [int(w) for w in self.xdo_text("search", "--onlyvisible", "--name", name).split()]

    def geometry(self, window):
        """x, y, width, height of an X window."""
        values = dict(line.split("=", 1) for line in
                      self.xdo_text("getwindowgeometry", "--shell", window).split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self, path, crop=None):
        argv = ["import", "-window", "root"]
        if crop:
            x, y, w, h = crop
            argv += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
        subprocess.run(argv + [path], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path

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
            m = re.match(rf"^ +{re.escape(value)} +REG_[A-Z_]+ +(.*)$", line)
            if m:
                return m.group(1)
            if re.match(rf"^ +{re.escape(value)} +REG_[A-Z_]+ *$", line):
                return ""
        return None

    def reg_add(self, key, value, data, kind="REG_SZ"):
        self.run("reg", "add", key, "/v", value, "/t", kind, "/d", str(data), "/f", name="reg")

    def reg_delete(self, key, value=None):
        argv = ["reg", "delete", key] + (["/v", value] if value else []) + ["/f"]
        self.run(*argv, name="reg")


# ---- The checks -------------------------------------------------------------------------


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


# ---- Vela ------------------------------------------------------------------------------------

KESTREL_RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
KESTREL_PROFILE = r"HKCU\Software\Kestrel\Vela\Kestrel"


class Vela:
    """Vela.exe in a folder of its own (it writes QmSetting.ini beside itself)."""

    def __init__(self, session, folder="app", source=None):
        self.s = session
        self.folder = os.path.join(session.work, folder)
        self.settings = os.path.join(self.folder, "QmSetting.ini")
        self.proc = None
        if source is None:
            self.install()
        else:
            self.folder = source
            self.settings = os.path.join(self.folder, "QmSetting.ini")

    @property
    def exe(self):
        return os.path.join(self.folder, "Vela.exe")

    def install(self):
        if os.path.isdir(self.folder):
            subprocess.run(["chattr", "-R", "-i", self.folder], stderr=subprocess.DEVNULL)
            shutil.rmtree(self.folder)
        os.makedirs(os.path.join(self.folder, "ScriptsMacros"))
        for name in os.listdir(self.s.bin):
            if name == "Vela.exe" or name.endswith(".dll"):
                shutil.copy2(os.path.join(self.s.bin, name), self.folder)

    def write_settings(self, text, encoding="utf-8"):
        data = text if isinstance(text, bytes) else text.encode(encoding)
        with open(self.settings, "wb") as f:
            f.write(data)

    def write_script(self, name, data):
        with open(os.path.join(self.folder, "ScriptsMacros", name), "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("latin-1"))

    def ini(self, section, key):
        return ini_value(self.settings, section, key)

    def start(self, *args, verify=True, trace_hooks=False):
        """Starts Vela; with `trace_hooks`, Wine traces its hooks (see
        low_level_hook_calls)."""
        winedebug = "-all,+hook" if trace_hooks else None
        self.proc = self.s.spawn("vela", self.exe, *args, winedebug=winedebug)
        if not verify:
            return self.proc
        # Now and then Wine, just restarted, fails to start a program at all;
        # a Vela that runs but shows nothing still fails the case.
        if not wait_until(lambda: self.pids() or self.proc.poll() is not None, 10, 0.05) or \
                (self.proc.poll() is not None and not self.pids()):
            log(f"Vela did not start (status {self.proc.poll()}): once more")
            self.proc = self.s.spawn("vela", self.exe, *args, winedebug=winedebug)
        return self.proc

    def low_level_hook_calls(self):
        """How often the system has called a low-level hook of Vela's so far
        (Vela started with `trace_hooks`)."""
        with open(self.proc.err_path, "rb") as f:
            return len(re.findall(rb"calling hook \S+ WH_(?:MOUSE|KEYBOARD)_LL ", f.read()))

    def start_shown(self):
        """Starts Vela with its window up; the window's X id."""
        self.start("shown")
        window = self.wait_window()
        if not window:
            raise Abort("Vela's window did not show")
        time.sleep(0.3)  # let it settle where it centres itself
        return window

    def wait_window(self, timeout=15):
        found = wait_until(lambda: self.s.visible_windows("^Vela$"), timeout, 0.05)
        return found[0] if found else None

    def pids(self):
        unix = self.exe
        windows = self.s.winpath(self.exe)
        result = subprocess.run(["pgrep", "-fa", r"Vela\.exe"], capture_output=True, text=True)
        found = []
        for line in result.stdout.splitlines():
            pid, _, command = line.partition(" ")
            if command.startswith(unix) or command.startswith(windows):
                found.append(int(pid))
        return found

    def kill9(self):
        """Ends this folder's Vela as a power cut would: SIGKILL, no clean-up."""
        for pid in self.pids():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        wait_until(lambda: not self.pids(), 5, 0.02)

    def processes(self):
        """Running Vela.exe processes of this folder (Wine names a process by its
        Unix path, or by its Windows path when a Windows program started it)."""
        unix = self.exe
        windows = self.s.winpath(self.exe)
        result = subprocess.run(["pgrep", "-fa", r"Vela\.exe"], capture_output=True, text=True)
        n = 0
        for line in result.stdout.splitlines():
            command = line.split(" ", 1)[1] if " " in line else ""
            if command.startswith(unix) or command.startswith(windows):
                n += 1
        return n

    def texts(self):
        """The probe's view of the window: {"window", "visible", control id: text}."""
        out = self.s.probe("texts")
        view = {}
        for text in out.lines():
            m = re.match(r"^text (\d+)(?: (.*))?$", text)
            if m:
                view.setdefault(int(m.group(1)), m.group(2) or "")
            elif text.startswith("window ") or text.startswith("visible "):
                key, value = text.split(" ", 1)
                view[key] = int(value)
        return view

    def visible(self):
        return self.texts().get("visible")

    def wait_visible(self, want, timeout=4):
        """Polls until the window's visibility is `want`; the last one seen."""
        seen = [None]

        def reached():
            seen[0] = self.visible()
            return seen[0] == want

        wait_until(reached, timeout, 0.1)
        return seen[0]

    def wait_saved(self, section, key, want, timeout=5):
        return wait_until(lambda: self.ini(section, key) == want, timeout, 0.02)


def layout(expression):
    """A value of the skin's layout (resources/generate.py)."""
    sys.path.insert(0, os.path.join(ROOT, "resources"))
    try:
        import generate  # noqa: E402
        return eval(expression, {"g": generate})
    finally:
        sys.path.pop(0)


def resource_ids():
    """Names of resources/resource.h → their numbers (IDOK is 1)."""
    ids = {"IDOK": 1}
    with open(os.path.join(ROOT, "resources", "resource.h")) as f:
        for line in f:
            m = re.match(r"#define (\w+) (\d+)", line)
            if m:
                ids[m.group(1)] = int(m.group(2))
    return ids


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


# ---- The receiver and the hook host ----------------------------------------------------------


class Receiver:
    """A focused window over the whole screen (or a strip `width` wide from
    `left`, run as the program `exe`) that logs what reaches it."""

    def __init__(self, session, *extra, exit_after=300, exe=None, left=0, width=None):
        self.s = session
        place = [] if width is None else ["--left", left, "--width", width]
        self.proc, self.log = session.spawn_probe("receive", *extra, *map(str, place),
                                                  exit_after=exit_after, exe=exe)
        if not self.log.wait(r"^ready ", 30):
            raise Abort("the receiver did not start")
        # X sends a click to the window under the pointer.
        x = 640 if width is None else width // 2
        session.xdo("mousemove", left + x, 512)
        self.log.wait(rf"^MOUSEMOVE {x} 512$", 10)
        self.centre = (left + x, 512)

    def settle(self, host=None):
        """Waits until all input sent so far has been handled: once a left
        click sent now has arrived, everything sent before it has passed the
        hooks too; the host's ack of a later command comes after every report
        posted by then."""
        before = self.log.count(r"^LBUTTONUP")
        self.s.xdo("click", "--delay", 0, 1)
        self.log.wait_count(r"^LBUTTONUP", before + 1, 10)
        if host:
            host.cmd("sync")

    def collect(self, *actions, want=0, quiet=0.3):
        """Sends the xdotool `actions` (each a list of arguments), then a left
        click; once the click and at least `want` other lines have arrived and
        nothing more for a moment, what reached the window, pointer traffic
        left out."""
        mark = self.log.mark()
        clicks = self.log.count(r"^LBUTTONUP")
        for action in actions:
            self.s.xdo(*action)
        self.s.xdo("click", "--delay", 0, 1)
        self.log.wait_count(r"^LBUTTONUP", clicks + 1, 10)
        wait_until(lambda: len(self.keys_and_buttons(mark)) >= want, 5, 0.05)
        time.sleep(quiet)
        return self.keys_and_buttons(mark)

    def keys_and_buttons(self, mark):
        skip = re.compile(r"^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)")
        return [short(line) for line in self.log.since(mark) if not skip.match(line)]


def short(line):
    """A receiver line without the scan code and extended bit of key lines."""
    m = re.match(r"^((?:SYS)?KEY(?:DOWN|UP) \d+)", line)
    return m.group(1) if m else line


class Host:
    """The hook libraries of the test build, hosted as the main window would."""

    def __init__(self, session, pause_ms=30, exit_after=400):
        self.s = session
        self.commands = os.path.join(session.work, f"host-{session._serial}.commands")
        open(self.commands, "w").close()
        self.proc, self.log = session.spawn_probe(
            "host", "--commands", session.winpath(self.commands), "--pause-ms", str(pause_ms),
            exit_after=exit_after)
        self.seq = 0
        if not self.log.wait(r"^ready$", 30):
            raise Abort("the hook host did not start")
        if self.log.count(r"^error "):
            raise Abort("host: " + "; ".join(l for l in self.log.lines() if l.startswith("error")))

    def send(self, *words):
        """Adds a command without waiting for it; its number."""
        self.seq += 1
        with open(self.commands, "a") as f:
            f.write(" ".join(map(str, words)) + "\n")
        return self.seq

    def wait(self, seq, timeout=10):
        if not self.log.wait(rf"^(ack|error) {seq}( |$)", timeout):
            raise Abort(f"host did not answer command {seq}")
        if self.log.count(rf"^error {seq}( |$)"):
            raise Abort(f"host refused command {seq}")

    def cmd(self, *words, timeout=10):
        self.wait(self.send(*words), timeout)

    def reports(self, slot=None):
        return self.log.count(r"^report " + (re.escape(slot) + "$" if slot else ""))


class XTest:
    """Moves the X pointer and presses its buttons through XTest, each event
    stamped with the clock QueryPerformanceCounter shows under Wine just
    before it is sent: no process start between the stamp and the event."""

    def __init__(self, display):
        import ctypes
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                                   ctypes.c_int, ctypes.c_ulong]
        self.display = self.xlib.XOpenDisplay(display.encode())
        if not self.display:
            raise Abort("cannot open the X display")

    def button(self, number, down):
        """The stamp of the press (down) or release of X button `number`."""
        stamp = qpc_now()
        self.xtst.XTestFakeButtonEvent(self.display, number, 1 if down else 0, 0)
        self.xlib.XSync(self.display, 0)
        return stamp

    def move(self, x, y):
        """The stamp of a pointer move to (x, y)."""
        stamp = qpc_now()
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.xlib.XSync(self.display, 0)
        return stamp


# ---- The notification area (Wine's own "Wine System Tray" window) -------------------------


class Tray:
    # Hide, Show | Reset, Pause Remapping, Start With Windows | Exit
    MENU_ROWS = 6
    SEPARATORS_BEFORE = (2, 5)

    def __init__(self, session):
        self.s = session
        self.menu = None

    def window(self):
        found = self.s.visible_windows("^Wine System Tray$")
        return found[0] if found else None

    def wait_icon(self, timeout=15):
        if not wait_until(self.window, timeout, 0.05):
            # Say which side failed: Vela's icon record, or Wine's tray window.
            icon = self.s.probe("icon")
            self.s.screenshot(os.path.join(self.s.work, "tray-failed.png"))
            raise Abort(f"no tray icon appeared (Vela window {icon.value('window')}, "
                        f"icon record {icon.value('icon')})")

    def icon_point(self):
        x, y, _, h = self.s.geometry(self.window())
        return x + h // 2, y + h // 2

    def open_menu(self, button=3):
        before = set(self.s.visible_windows())
        x, y = self.icon_point()
        self.s.xdo("mousemove", x, y, "click", button)

        def find():
            for w in sorted(set(self.s.visible_windows()) - before):
                if self.s.xdo_text("getwindowname", w).strip():
                    continue
                gx, gy, gw, gh = self.s.geometry(w)
                if gh > 60:  # the menu, not the icon's tooltip
                    return gx, gy, gw, gh
            return None

        self.menu = wait_until(find, 3)
        if not self.menu:
            self.s.screenshot(os.path.join(self.s.work, "menu-failed.png"))
            raise Abort(f"the tray menu did not open (clicked {x} {y})")
        return self.menu

    def row_height(self):
        return (self.menu[3] - 2 * 3 - 2 * 9) // self.MENU_ROWS

    def row_top(self, row):
        return 3 + row * self.row_height() + 9 * sum(row >= r for r in self.SEPARATORS_BEFORE)

    def choose(self, row):
        x, y, w, _ = self.menu
        self.s.xdo("mousemove", x + w // 2, y + self.row_top(row) + self.row_height() // 2)
        time.sleep(0.15)
        self.s.xdo("click", 1)

    def checked(self, row, png):
        """Whether the row shows a check mark in the screenshot `png`: any dark
        pixel left of the text (the pointer rests on the frame, so no row is
        highlighted)."""
        x, y, _, _ = self.menu
        crop = f"12x{self.row_height()}+{x + 3}+{y + self.row_top(row)}"
        darkest = subprocess.run(["convert", png, "-crop", crop, "+repage", "-colorspace", "Gray",
                                  "-format", "%[fx:minima]", "info:"],
                                 capture_output=True, text=True).stdout.strip()
        return 1 if darkest and float(darkest) < 0.5 else 0

    def icon_colour(self, png):
        """The strongest colour (HSL saturation, 0 to 1) in the icon's pixels
        of the screenshot `png`: Vela's green light, or none when greyed."""
        x, y = self.icon_point()
        crop = f"14x14+{x - 7}+{y - 7}"
        most = subprocess.run(["convert", png, "-crop", crop, "+repage", "-colorspace", "HSL",
                               "-channel", "G", "-separate", "-format", "%[fx:maxima]", "info:"],
                              capture_output=True, text=True).stdout.strip()
        return float(most) if most else -1.0


def brightest(png, rect):
    """The lightest pixel (HSL lightness, 0 to 1) of `rect` (x, y, w, h) in
    the screenshot `png`: how bright a caption's text is drawn."""
    x, y, w, h = rect
    most = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace",
                           "HSL", "-channel", "B", "-separate", "-format", "%[fx:maxima]",
                           "info:"], capture_output=True, text=True).stdout.strip()
    return float(most) if most else -1.0


def ink_box(png, rect, darker_than=0.4):
    """(x, y, w, h) in `rect` of the pixels of the screenshot `png` darker
    than `darker_than` (HSL lightness): where dark text was drawn on a light
    background; None when there are none."""
    x, y, w, h = rect
    box = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-colorspace",
                          "HSL", "-channel", "B", "-separate", "-threshold",
                          f"{darker_than * 100}%", "-format", "%@", "info:"],
                         capture_output=True, text=True).stdout.strip()
    found = re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box)
    if not found:
        return None
    bw, bh, bx, by = map(int, found.groups())
    return (x + bx, y + by, bw, bh) if bw and bh else None


# ---- The function menu (Wine draws each open level as a top-level X window
#      with a 3-pixel frame and rows of equal height) ------------------------------------------


class Menu:
    FRAME = 3
    # The root of a button's menu in Vela: "No Settings", six categories,
    # "Macro" and "Hold While Pressed" (the probe's menu host shows neither).
    BUTTON_ROOT_ROWS = 9

    def __init__(self, session):
        self.s = session
        self.base = set()

    def remember_windows(self):
        self.base = set(self.s.visible_windows())

    def open_levels(self):
        return sorted(set(self.s.visible_windows()) - self.base)

    def wait_level(self, n, timeout=3):
        levels = wait_until(lambda: len(self.open_levels()) >= n and self.open_levels(), timeout)
        if not levels:
            raise Abort(f"menu level {n} did not open")
        return levels[n - 1]

    def row_point(self, window, row, rows):
        x, y, w, h = self.s.geometry(window)
        row_height = (h - 2 * self.FRAME) // rows
        return x + w // 2, y + self.FRAME + row * row_height + row_height // 2

    def hover(self, window, row, rows):
        self.s.xdo("mousemove", *self.row_point(window, row, rows))
        time.sleep(0.25)

    def slide_into(self, window, row, rows):
        """Moves horizontally into a newly opened submenu first, so the pointer
        never crosses another row of the parent on its way."""
        x, y, _, _ = self.s.geometry(window)
        _, first_y = self.row_point(window, 0, rows)
        self.s.xdo("mousemove", x + 10, first_y)
        time.sleep(0.1)
        self.hover(window, row, rows)

    def to_word_copy(self, root):
        """From the open root level to "Combination" > "Word ", the pointer
        coming to rest on "Copy(Ctrl+C)" without crossing another row; the
        two levels it opened."""
        self.hover(root, 3, self.BUTTON_ROOT_ROWS)  # Combination
        combination = self.wait_level(2)
        self.slide_into(combination, 0, 2)  # Word
        word = self.wait_level(3)
        self.slide_into(word, 0, 8)  # Cut(Ctrl+X)
        self.hover(word, 1, 8)  # Copy(Ctrl+C)
        return combination, word

    def click_at(self, x, y, settle=0.2):
        self.remember_windows()
        self.s.xdo("mousemove", x, y)
        time.sleep(settle)
        self.s.xdo("click", 1)


# ---- inotify: every replacement of one file, from the kernel ---------------------------------


class FileWatch:
    """Counts the writes of one file name in a folder: a rename onto it, or a
    close after writing (a first file). None is missed however close together
    they come."""

    IN_CLOSE_WRITE, IN_MOVED_TO = 0x8, 0x80

    def __init__(self, folder, name):
        import ctypes
        self.name = name.encode()
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        if self.fd < 0 or self.libc.inotify_add_watch(
                self.fd, folder.encode(), self.IN_CLOSE_WRITE | self.IN_MOVED_TO) < 0:
            raise Abort("inotify failed")
        self.events = []

    def poll(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                break
            at = 0
            while at < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, at)
                event = data[at + 16:at + 16 + length].rstrip(b"\0")
                at += 16 + length
                if event == self.name:
                    self.events.append((now_ms(), "moved" if mask & self.IN_MOVED_TO else "written"))
        return len(self.events)

    def close(self):
        os.close(self.fd)


# ---- Running Vela by hand (scripts/run.sh) -----------------------------------------------


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


if __name__ == "__main__":
    if len(sys.argv) >= 4 and sys.argv[1] == "run":
        run_by_hand(os.path.abspath(sys.argv[2]), sys.argv[4:] or ["show"], sys.argv[3])
    else:
        sys.exit("usage: harness.py run FOLDER WORK [ARGUMENTS FOR VELA]")
