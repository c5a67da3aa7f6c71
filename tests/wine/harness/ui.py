"""Vela's user interface as the X server shows it: the notification area
(Wine's "Wine System Tray" window), the function menus (each open level a
top-level X window), the entry dialog, and pixels of screenshots."""

import os
import re
import subprocess
import time

from .base import Abort, wait_for, wait_until


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def measure(png, rect, *operations, form):
    """ImageMagick's answer `form` (an "%[fx:...]" or "%@" format) over
    `rect` (x, y, w, h) of the screenshot `png` after `operations`."""
    x, y, w, h = rect
    return subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", *operations,
                           "-format", form, "info:"], capture_output=True, text=True).stdout.strip()


def lightness(png, rect, extreme="maxima"):
    """The lightest (or with "minima" the darkest) pixel of `rect`, HSL
    lightness 0 to 1; -1 when there is no picture."""
    value = measure(png, rect, "-colorspace", "HSL", "-channel", "B", "-separate",
                    form=f"%[fx:{extreme}]")
    return float(value) if value else -1.0


def ink_box(png, rect, darker_than=0.4):
    """(x, y, w, h) in `rect` of the pixels of the screenshot `png` darker
    than `darker_than` (HSL lightness): where dark text was drawn on a light
    background; None when there are none."""
    box = measure(png, rect, "-colorspace", "HSL", "-channel", "B", "-separate", "-threshold",
                  f"{darker_than * 100}%", form="%@")
    found = re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", box)
    if not found:
        return None
    bw, bh, bx, by = map(int, found.groups())
    return (rect[0] + bx, rect[1] + by, bw, bh) if bw and bh else None


def menu_row_point(rect, row, rows, separators=()):
    """The middle of row `row` of a plain menu drawn at `rect` with `rows`
    rows and a separator before each row in `separators`: Wine draws a
    3-pixel frame and separators 9 pixels high."""
    x, y, w, h = rect
    height = (h - 6 - 9 * len(separators)) // rows
    top = 3 + row * height + 9 * sum(row >= r for r in separators)
    return x + w // 2, y + top + height // 2


def painted(session, rect):
    """Whether `rect` of the screen shows more than one colour: a window
    that has drawn itself, not the blank face Wine maps it with."""
    shot = session.screenshot(os.path.join(session.work, "painted.png"))
    value = measure(shot, rect, form="%[fx:standard_deviation]")
    return bool(value) and float(value) > 0.01


def wait_gone(session, window, timeout=5):
    """Waits until the X window is no longer shown; whether it went."""
    return wait_until(lambda: window not in session.visible_windows(), timeout, 0.02)


def open_entry(session, window_xy, column_row, timeout=5):
    """Clicks the description label at `column_row` of the skin in Vela's
    window at `window_xy`; the entry dialog's X window, once it is up and
    drawn. The window's background is clicked first: under Wine the first
    click after an entry dialog has closed only brings the window back."""
    from .vela import layout
    x, y = window_xy
    lx, ly = centre(layout(f"g.label_rect({column_row})"))
    before = set(session.visible_windows())
    session.xdo("mousemove", x + 100, y + 420, "click", 1)
    session.xdo("mousemove", x + lx, y + ly, "click", 1)
    # The dialog, not the label's tooltip.
    found = wait_until(lambda: [w for w in set(session.visible_windows()) - before
                                if session.geometry(w)[3] > 40], timeout, 0.05)
    if not found or not wait_until(lambda: painted(session, session.geometry(found[0])), 5, 0.05):
        raise Abort("the entry dialog did not open")
    return found[0]


class Tray:
    # Hide, Show | Reset, Pause Remapping, Start With Windows, Mouse, Show
    # Profile Changes, Wheel Follows the Pointer | Exit
    MENU_ROWS = 9
    SEPARATORS_BEFORE = (2, 8)
    HIDE, SHOW, RESET, PAUSE, AUTOSTART, MOUSE, NOTICE, WHEEL, EXIT = range(9)
    # The "Mouse" submenu: five buttons | Reverse Wheel, Reverse Tilt, Wheel
    # Speed, Filter Wheel Bounces | the bounces counted.
    MOUSE_ROWS, MOUSE_SEPARATORS = 10, (5, 9)

    def __init__(self, session):
        self.s = session
        self.menu = None

    def window(self):
        found = self.s.visible_windows("^Wine System Tray$")
        return found[0] if found else None

    def icon_rect(self):
        x, y = self.icon_point()
        return x - 7, y - 7, 14, 14

    def wait_icon(self, timeout=15, drawn=False):
        """Waits until Wine's tray window shows Vela's icon (with `drawn`, its
        pixels too: no window may cover it)."""
        def shown():
            return self.window() and (not drawn or painted(self.s, self.icon_rect()))

        if not wait_until(shown, timeout, 0.05):
            # Say which side failed: Vela's icon record, or Wine's tray window.
            icon = self.s.probe("icon")
            self.s.screenshot(os.path.join(self.s.work, "tray-failed.png"))
            raise Abort(f"no tray icon appeared (Vela window {icon.value('window')}, "
                        f"icon record {icon.value('icon')})")

    def icon_point(self):
        x, y, _, h = self.s.geometry(self.window())
        return x + h // 2, y + h // 2

    def open_menu(self, button=3):
        """Opens the icon's menu with `button` and waits until it is drawn;
        its rectangle."""
        before = set(self.s.visible_windows())
        x, y = self.icon_point()
        self.s.xdo("mousemove", x, y, "click", button)

        def find():
            for w in sorted(set(self.s.visible_windows()) - before):
                if self.s.xdo_text("getwindowname", w).strip():
                    continue
                rect = self.s.geometry(w)
                if rect[3] > 60 and painted(self.s, rect):  # the menu, not the icon's tooltip
                    return rect
            return None

        self.menu = wait_until(find, 3)
        if not self.menu:
            self.s.screenshot(os.path.join(self.s.work, "menu-failed.png"))
            raise Abort(f"the tray menu did not open (clicked {x} {y})")
        return self.menu

    def open_submenu(self, parent, row, rows, separators=()):
        """Rests the pointer on the row of the menu at `parent` that opens a
        submenu; the submenu's rectangle once it is drawn."""
        before = set(self.open_menus())
        self.s.xdo("mousemove", *menu_row_point(parent, row, rows, separators))

        def opened():
            new = [w for w in self.open_menus() if w not in before]
            return new and painted(self.s, self.s.geometry(new[0])) and self.s.geometry(new[0])

        rect = wait_until(opened, 3)
        if not rect:
            raise Abort(f"row {row} opened no submenu")
        return rect

    def open_mouse_menu(self):
        """The tray menu opened, then its "Mouse" submenu; that one's rectangle."""
        self.open_menu(3)
        return self.open_submenu(self.menu, self.MOUSE, self.MENU_ROWS, self.SEPARATORS_BEFORE)

    def close_menu(self):
        self.s.xdo("key", "Escape")
        wait_until(lambda: not self.open_menus(), 3, 0.05)

    def open_menus(self):
        """The menus shown: unnamed windows taller than a tooltip, narrower
        than a receiver."""
        return [w for w in self.s.visible_windows()
                if not self.s.xdo_text("getwindowname", w).strip()
                and 60 < self.s.geometry(w)[3] and self.s.geometry(w)[2] < 400]

    def row_height(self):
        return (self.menu[3] - 2 * 3 - 2 * 9) // self.MENU_ROWS

    def row_top(self, row):
        return 3 + row * self.row_height() + 9 * sum(row >= r for r in self.SEPARATORS_BEFORE)

    def choose(self, row, rect=None, rows=MENU_ROWS, separators=SEPARATORS_BEFORE):
        """Clicks a row of the menu, or of the submenu at `rect` (`rows` rows,
        a separator before each of `separators`)."""
        self.s.xdo("mousemove", *menu_row_point(rect or self.menu, row, rows, separators))
        # The menu highlights the row under the pointer before it takes a click.
        time.sleep(0.15)
        self.s.xdo("click", 1)

    def checked(self, row, png):
        """Whether the row shows a check mark in the screenshot `png`: any dark
        pixel left of the text (the pointer rests on the frame, so no row is
        highlighted)."""
        x, y, _, _ = self.menu
        darkest = lightness(png, (x + 3, y + self.row_top(row), 12, self.row_height()), "minima")
        return 1 if 0 <= darkest < 0.5 else 0

    def icon_colour(self, png):
        """The strongest colour (HSL saturation, 0 to 1) in the icon's pixels
        of the screenshot `png`: Vela's green light, or none when greyed."""
        most = measure(png, self.icon_rect(), "-colorspace", "HSL", "-channel", "G", "-separate",
                       form="%[fx:maxima]")
        return float(most) if most else -1.0

    def wait_colour(self, green, name="icon", timeout=5):
        """Waits until the icon is green (remapping) or grey (paused), seen in
        screenshots kept as `name`.png; the last colour seen."""
        return wait_for(lambda: self.icon_colour(self.s.screenshot(
            os.path.join(self.s.work, name + ".png"))),
            (lambda c: c > 0.5) if green else (lambda c: c < 0.3), timeout, 0.1)


class Menu:
    """The function menu: Wine draws each open level as a top-level X window
    with a 3-pixel frame and rows of equal height."""

    FRAME = 3
    # The root of a button's menu in Vela: "No Settings", "Keys and
    # Shortcuts…", "Type Text…", "Layer While Held", "Gestures…", "Drag to
    # Scroll", "Double Click…", "Long Press…", six categories, "Macro" and
    # "Hold While Pressed"; the categories from row ROOT_ENTRIES on. The
    # wheel and Alt+Tab have the first three entries only, and so has the
    # probe's menu host (which shows "Win8 ShortCut" but no "Macro").
    ROOT_ENTRIES = 8
    OTHER_ROOT_ENTRIES = 3
    BUTTON_ROOT_ROWS = 16
    BUTTONS = ("R", "M", "X1", "X2")

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

    def wait_closed(self, timeout=3):
        return wait_until(lambda: not self.open_levels(), timeout, 0.05)

    def escape(self):
        """Closes every open level with Escape."""
        self.s.xdo("key", *["Escape"] * max(1, len(self.open_levels())))
        if not self.wait_closed():
            raise Abort("the menu did not close")

    def row_point(self, window, row, rows):
        x, y, w, h = self.s.geometry(window)
        row_height = (h - 2 * self.FRAME) // rows
        return x + w // 2, y + self.FRAME + row * row_height + row_height // 2

    def hover(self, window, row, rows):
        self.s.xdo("mousemove", *self.row_point(window, row, rows))
        # Time for the menu to highlight the row and open its submenu as a
        # hand resting on it would.
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
        self.hover(root, self.ROOT_ENTRIES + 2, self.BUTTON_ROOT_ROWS)  # Combination
        combination = self.wait_level(2)
        self.slide_into(combination, 0, 2)  # Word
        word = self.wait_level(3)
        self.slide_into(word, 0, 8)  # Cut(Ctrl+X)
        self.hover(word, 1, 8)  # Copy(Ctrl+C)
        return combination, word

    def open_caption(self, window_xy, column_row, dpi=96):
        """Clicks the caption at `column_row` of the skin in the window at
        `window_xy` (drawn at `dpi`); the menu's first level."""
        from .vela import layout
        cx, cy = centre(layout(f"g.caption_rect({column_row})"))
        self.click_at(window_xy[0] + cx * dpi // 96, window_xy[1] + cy * dpi // 96)
        return self.wait_level(1)

    def click_at(self, x, y, settle=0.2):
        self.remember_windows()
        self.s.xdo("mousemove", x, y)
        time.sleep(settle)
        self.s.xdo("click", 1)
