"""Vela.exe as the cases meet it: installed in a folder of its own, its
settings file and scripts written and read, started and ended, its window's
texts read through the probe; and the facts of its sources the cases need
(the skin's layout, ids by name)."""

import functools
import glob
import os
import re
import shutil
import signal
import subprocess
import sys

from .base import ROOT, Abort, log, wait_for, wait_until

KESTREL_RUN = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
KESTREL_PROFILE = r"HKCU\Software\Kestrel\Vela\Kestrel"


class Vela:
    """Vela.exe in a folder of its own (it writes QmSetting.ini beside
    itself), or the one in `source`; with `settings` written when given."""

    def __init__(self, session, folder="app", source=None, settings=None):
        self.s = session
        self.folder = source or os.path.join(session.work, folder)
        self.settings = os.path.join(self.folder, "QmSetting.ini")
        self.proc = None
        if source is None:
            self.install()
        if settings is not None:
            self.write_settings(settings)

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
        write(self.settings, text, encoding)

    def settings_bytes(self):
        with open(self.settings, "rb") as f:
            return f.read()

    def write_script(self, name, data):
        write(os.path.join(self.folder, "ScriptsMacros", name), data, "latin-1")

    def ini(self, section, key):
        return ini_value(self.settings, section, key)

    def wait_saved(self, section, key, want, timeout=5):
        return wait_until(lambda: self.ini(section, key) == want, timeout, 0.02)

    # -- Running ---------------------------------------------------------------------

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

    def start_shown(self):
        """Starts Vela with its window up and drawn; the window's X id."""
        self.start("shown")
        window = self.wait_window()
        if not window:
            raise Abort("Vela's window did not show")
        return window

    def start_in_tray(self):
        """Starts Vela as Windows does at logon and waits for its tray icon."""
        from .ui import Tray
        self.start()
        Tray(self.s).wait_icon()

    def start_hidden(self):
        """Starts Vela as Windows does at logon and waits until it lives in
        the tray with its window hidden and its thread free again."""
        self.start()
        self.wait_ready(visible=0)

    def wait_ready(self, visible=None, timeout=15):
        """Waits for the tray icon, the window's visibility (when given) and
        an answer from the window's thread: the hide after a hidden start
        holds that thread for about 2 s under Wine."""
        from .ui import Tray
        Tray(self.s).wait_icon()
        if visible is not None:
            self.wait_visible(visible)
        if not wait_until(lambda: self.texts().get(caption_id("R")), timeout, 0.1):
            raise Abort("Vela's window did not answer")

    def wait_window(self, timeout=15):
        """Vela's window, once it is shown and drawn: no longer of one colour."""
        from .ui import painted
        found = wait_until(lambda: self.s.visible_windows("^Vela$"), timeout, 0.05)
        if found and not wait_until(lambda: painted(self.s, self.s.geometry(found[0])), 5, 0.05):
            log("Vela's window shows nothing")
        return found[0] if found else None

    def low_level_hook_calls(self):
        """How often the system has called a low-level hook of Vela's so far
        (Vela started with `trace_hooks`)."""
        with open(self.proc.err_path, "rb") as f:
            return len(re.findall(rb"calling hook \S+ WH_(?:MOUSE|KEYBOARD)_LL ", f.read()))

    def pids(self):
        """Running Vela.exe processes of this folder (Wine names a process by
        its Unix path, or by its Windows path when a Windows program started
        it)."""
        names = (self.exe, self.s.winpath(self.exe))
        lines = subprocess.run(["pgrep", "-fa", r"Vela\.exe"], capture_output=True,
                               text=True).stdout.splitlines()
        return [int(pid) for pid, _, command in map(lambda l: l.partition(" "), lines)
                if command.startswith(names)]

    def processes(self):
        return len(self.pids())

    def wait_processes(self, want, timeout=10):
        """Polls until `want` processes of this folder run; the last count."""
        return wait_for(self.processes, want, timeout)

    def kill9(self):
        """Ends this folder's Vela as a power cut would: SIGKILL, no clean-up."""
        for pid in self.pids():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        wait_until(lambda: not self.pids(), 5, 0.02)

    # -- The window, seen through the probe ------------------------------------------------

    def texts(self):
        """The probe's view of the window: {"window", "visible", "entry",
        control id: text}; "entry" is the text in an open entry dialog."""
        view = {}
        for text in self.s.probe("texts").lines():
            m = re.match(r"^(text (\d+)|entry)(?: (.*))?$", text)
            if m:
                view.setdefault(int(m.group(2)) if m.group(2) else "entry", m.group(3) or "")
            elif text.startswith(("window ", "visible ")):
                key, value = text.split(" ", 1)
                view[key] = int(value)
        return view

    def dialog(self):
        """What an open shortcut or text dialog shows: {"chord" or "typed": its
        text, "list": (top row, row height), control id: (x, y, w, h, enabled)
        on the screen, "prompt": the shortcut dialog's}; empty when none is open."""
        view = {}
        for text in self.s.probe("texts").lines():
            m = re.match(r"^(chord|typed|prompt) ?(.*)$", text)
            if m:
                view[m.group(1)] = m.group(2).replace("\\r", "\r").replace("\\n", "\n") \
                    if m.group(1) == "typed" else m.group(2)
            elif text.startswith("list "):
                view["list"] = tuple(int(v) for v in text.split()[1:])
            elif text.startswith("control "):
                values = [int(v) for v in text.split()[1:]]
                view[values[0]] = tuple(values[1:])
        return view

    def wait_dialog(self, kind, want=None, timeout=5):
        """Waits until the shortcut ("chord") or text ("typed") dialog is open
        (and shows `want`); what it shows then."""
        return wait_for(self.dialog, lambda v: kind in v and want in (None, v[kind]), timeout,
                        0.1)

    def click_control(self, control):
        """Clicks the middle of an open dialog's control, as a user would."""
        x, y, w, h, _ = self.dialog()[control]
        self.s.xdo("mousemove", x + w // 2, y + h // 2, "click", 1)

    def choose_listed(self, index):
        """Clicks row `index` of the shortcut dialog's list of keys, turning
        the wheel over the list first until the row shows."""
        view = self.dialog()
        x, y, w, h, _ = view[IDS.IDC_CHORD_LIST]
        top, row = view["list"]
        self.s.xdo("mousemove", x + w // 3, y + h // 2)
        for _ in range(20):
            if top <= index < top + (h - 4) // row:
                break
            self.s.xdo("click", 5 if index >= top else 4)
            top = wait_for(lambda: self.dialog()["list"][0], lambda t: t != top, 2)
        self.s.xdo("mousemove", x + w // 3, y + 2 + (index - top) * row + row // 2, "click", 1)

    def text(self, name):
        """The text of the control named `name` in the resource header."""
        return self.texts().get(IDS[name])

    def visible(self):
        return self.texts().get("visible")

    def post(self, *commands):
        """Posts commands to the window back to back, as a menu posts its
        choice; the moment they were posted."""
        hit = self.s.probe("post", "--ids", ",".join(map(str, commands))).last(r"^posted (\d+)$")
        if not hit or int(hit[2].group(1)) != len(commands):
            raise Abort(f"commands {commands} could not be posted")
        return hit[0]

    def make_active(self, slot):
        """Clicks the slot's caption (a posted click) and leaves the menu that
        opens: the menu's commands go to that slot from then on."""
        from .ui import Menu
        menu = Menu(self.s)
        menu.remember_windows()
        self.post(caption_id(slot))
        menu.wait_level(1, 5)
        menu.escape()

    def wait_visible(self, want, timeout=4):
        """Polls until the window's visibility is `want`; the last one seen."""
        return wait_for(self.visible, want, timeout, 0.1)


# ---- Settings files ---------------------------------------------------------------


def write(path, data, encoding="utf-8"):
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode(encoding))


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


def ini(*parts):
    """A settings file: lines, and lists of lines (slot sections)."""
    return crlf(*(line for part in parts for line in ([part] if isinstance(part, str) else part)))


def slot(name, caption, action=0, vk=0, group=1, hooked=1, mouse=0, launch="", macro=None,
         note="", profile=None, **more):
    """A slot's section as Vela writes it ([X1ButtonSetting] 0=caption, 1=hooked,
    2=keyAction, ...), or its keys in a program's profile section."""
    keys = [("0", caption), ("1", hooked), ("2", action), ("3", vk), ("4", mouse), ("5", launch),
            ("6", group)] + ([("7", macro)] if macro is not None else []) + [("8", note)]
    keys += list(more.items())
    prefix = f"{name}." if profile else ""
    return [f"[{profile or name + 'ButtonSetting'}]"] + [f"{prefix}{k}={v}" for k, v in keys]


def layer(button, **slots):
    """A button's layer: its section ("[Layer:X2]") with the slots it sets,
    each given as slot()'s keywords, keyed as in a profile ("WU.0=...")."""
    name = f"Layer:{button}"
    return [f"[{name}]"] + [line for slot_name, keys in slots.items()
                            for line in slot(slot_name, profile=name, **keys)[1:]]


# Functions as the catalogue stores them.
COPY = dict(caption="Copy", action=2, vk=67)
PASTE = dict(caption="Paste", action=2, vk=86)
NATIVE = dict(hooked=0, group=0)
LAYER_WHILE_HELD = dict(caption="Layer While Held", action=11)


# ---- Facts of the sources ----------------------------------------------------------

def layout(expression):
    """A value of the skin's layout (resources/generate.py)."""
    sys.path.insert(0, os.path.join(ROOT, "resources"))
    try:
        import generate  # noqa: E402
        return eval(expression, {"g": generate})
    finally:
        sys.path.pop(0)


# Where ids are looked for: every header of the program's own folders, so a
# header may move without the cases noticing.
SOURCE_HEADERS = ("core", "settings", "macro", "menu", "hooks", "win32", "controls", "app",
                  "resources")
# "#define NAME 123" and "constexpr ... kName = 123;"; a row of the function
# catalogue: maker(Level, L"menu text", id or constant, ...
NAMED_NUMBER = re.compile(r"^\s*(?:#define\s+(\w+)\s+(\d+)\b"
                          r"|[^\n]*constexpr[^=\n(]*\s(k\w+)\s*=\s*(\d+);)", re.M)
CATALOGUE_ROW = re.compile(r"\b(?:mouse|key|launch|restoreOwnFunction|chooseProgram|chooseShortcut"
                           r"|chooseText|layerWhileHeld)\("
                           r"(\w+), L\"([^\"]*)\", (\w+)")
# A row of the slot options' table (core/SlotOptions.h): its menu text and command.
OPTION_ROW = re.compile(r"\{\"\w+\", L\"[^\"]*\", L\"([^\"]*)\", (\w+),")


def unescape(text):
    """A C++ literal's text with its \\uXXXX escapes made characters."""
    return re.sub(r"\\u([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), text)


class SourceIds:
    """Numbers the cases send, by name: IDS.IDC_CAPTION_X1 (resource
    defines), IDS.kDeleteProfileCommand (constants), and IDS.menu("Copy(Ctrl+C)")
    or IDS.menu("Back", level="NetWork") (catalogue rows by menu text)."""

    @functools.cached_property
    def _parsed(self):
        names = {"IDOK": 1, "IDCANCEL": 2}
        rows = []
        for folder in SOURCE_HEADERS:
            for path in sorted(glob.glob(os.path.join(ROOT, folder, "**", "*.h"), recursive=True)):
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for define, value, constant, number in NAMED_NUMBER.findall(text):
                    names.setdefault(define or constant, int(value or number))
                rows += [(level, unescape(text_), id_)
                         for level, text_, id_ in CATALOGUE_ROW.findall(text)]
                rows += [("SlotOptions", text_, id_) for text_, id_ in OPTION_ROW.findall(text)]
        return names, rows

    def __getitem__(self, name):
        names, _ = self._parsed
        if name not in names:
            raise Abort(f"no id named {name} in the headers of {', '.join(SOURCE_HEADERS)}")
        return names[name]

    def __getattr__(self, name):
        if name.startswith("_"):
            raise AttributeError(name)
        return self[name]

    def menu(self, text, level=None):
        """The command id of the catalogue row with this menu text."""
        _, rows = self._parsed
        found = [id_ for row_level, row_text, id_ in rows
                 if row_text == text and level in (None, row_level)]
        if len(found) != 1:
            raise Abort(f"{len(found)} catalogue rows read {text!r}"
                        + (f" in {level}" if level else ""))
        return int(found[0]) if found[0].isdigit() else self[found[0]]


IDS = SourceIds()


def caption_id(slot):
    """The control id of a slot's caption button."""
    return IDS[f"IDC_CAPTION_{slot}"]
