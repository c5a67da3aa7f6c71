"""What the harness watches: the line logs Windows programs write, the
receiver (a window that logs what reaches it), the hook host (the hook
libraries hosted as the main window would), XTest input stamped with the
Windows clock, and the kernel's word on every replacement of a file."""

import os
import re
import struct
import time

from .base import Abort, log, now_ms, qpc_now, wait_until

# What a window sees of Control+C and Control+V sent as Vela sends them, and
# of a forward button that reaches it as it is.
CTRL_C = ["KEYDOWN 17", "KEYDOWN 67", "KEYUP 67", "KEYUP 17"]
CTRL_V = ["KEYDOWN 17", "KEYDOWN 86", "KEYUP 86", "KEYUP 17"]
NATIVE_FORWARD = ["XBUTTONDOWN 2", "XBUTTONUP 2"]
# xdotool's clicks of the side buttons and the wheel (X buttons 9, 8, 4, 5).
FORWARD, BACK = ["click", "--delay", 0, 9], ["click", "--delay", 0, 8]
WHEEL_UP, WHEEL_DOWN = ["click", "--delay", 0, 4], ["click", "--delay", 0, 5]


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
        return self.wait_count(pattern, 1, timeout)

    def wait_count(self, pattern, want, timeout=10, since=0):
        if wait_until(lambda: self.count(pattern, since) >= want, timeout):
            return True
        log(f"timed out after {timeout} s waiting for {want} x /{pattern}/ in {self.path}")
        return False


def short(line):
    """A receiver line without the scan code and extended bit of key lines."""
    m = re.match(r"^((?:SYS)?KEY(?:DOWN|UP) \d+)", line)
    return m.group(1) if m else line


class Receiver:
    """A focused window over the whole screen (or a strip `width` wide from
    `left`, run as the program `exe`) that logs what reaches it."""

    def __init__(self, session, *extra, exit_after=300, exe=None, left=0, width=None):
        self.s = session
        place = [] if width is None else ["--left", left, "--width", width]
        self.proc, self.log = session.spawn_probe("receive", *extra, *place,
                                                  exit_after=exit_after, exe=exe)
        if not self.log.wait(r"^ready ", 30):
            raise Abort("the receiver did not start")
        # X sends a click to the window under the pointer.
        x = 640 if width is None else width // 2
        session.xdo("mousemove", left + x, 512)
        self.log.wait(rf"^MOUSEMOVE {x} 512$", 10)
        self.centre = (left + x, 512)

    def settle(self, host=None, key=False):
        """Waits until all input sent so far has been handled: once a left
        click (or with `key` a Shift tap, for a count of clicks that must not
        change) sent now has arrived, everything sent before it has passed the
        hooks too; the host's ack of a later command comes after every report
        posted by then."""
        marker = r"^KEYUP 16 " if key else r"^LBUTTONUP"
        before = self.log.count(marker)
        self.s.xdo(*(["key", "--delay", 0, "shift"] if key else ["click", "--delay", 0, 1]))
        self.log.wait_count(marker, before + 1, 10)
        if host:
            host.cmd("sync")

    def collect(self, *actions, want=0, quiet=0.3):
        """Sends the xdotool `actions` (each a list of arguments), then a left
        click; once the click and at least `want` other lines have arrived and
        nothing more for a moment, what reached the window, pointer traffic
        left out."""
        mark = self.log.mark()
        for action in actions:
            self.s.xdo(*action)
        self.settle()
        wait_until(lambda: len(self.keys_and_buttons(mark)) >= want, 5, 0.05)
        # A moment for a line too many to show up: what must not come has no
        # sign of its own.
        time.sleep(quiet)
        return self.keys_and_buttons(mark)

    def keys_and_buttons(self, mark):
        skip = re.compile(r"^(MOUSEMOVE|LBUTTONDOWN|LBUTTONUP)")
        return [short(line) for line in self.log.since(mark) if not skip.match(line)]


class Host:
    """The hook libraries of the test build, hosted as the main window would."""

    def __init__(self, session, pause_ms=30, exit_after=400):
        self.s = session
        self.commands = os.path.join(session.work, f"host-{session._serial}.commands")
        open(self.commands, "w").close()
        self.proc, self.log = session.spawn_probe(
            "host", "--commands", session.winpath(self.commands), "--pause-ms", pause_ms,
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

    def reports(self, slot=None, since=0):
        return self.log.count(r"^report " + (re.escape(slot) + "$" if slot else ""), since)


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

    def edges(self, number, gaps_ms):
        """Presses and releases X button `number` in turn, a press first, each
        edge `gaps_ms[i]` ms after the one before (by the stamps, the last
        millisecond spun out); the stamps of the edges."""
        stamps = [self.button(number, True)]
        for i, gap in enumerate(gaps_ms):
            target = stamps[-1] + round(gap * 10000)
            while (left := (target - qpc_now()) / 1e7) > 0:
                time.sleep(left - 0.001 if left > 0.002 else 0)
            stamps.append(self.button(number, i % 2 == 1))
        return stamps

    def move(self, x, y):
        """The stamp of a pointer move to (x, y)."""
        stamp = qpc_now()
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.xlib.XSync(self.display, 0)
        return stamp


class FileWatch:
    """Counts the writes of one file name in a folder through inotify: a
    rename onto it, or a close after writing (a first file). None is missed
    however close together they come. A context manager."""

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

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

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
