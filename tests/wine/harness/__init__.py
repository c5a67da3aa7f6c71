"""The Wine suite's helper library, one module per concern: the session
(Xvfb, prefix, programs, registry), Vela (installed, configured, started,
read), the observers (logs, receiver, hook host, file watch) and the user
interface (tray, menus, pixels). Cases, screenshots and benchmarks import
what they need from here."""

from .base import ROOT, Abort, log, now_ms, qpc_now, wait_for, wait_until  # noqa: F401
from .observers import (BACK, CTRL_C, CTRL_V, FORWARD, NATIVE_FORWARD, WHEEL_DOWN,  # noqa: F401
                        WHEEL_UP, FileWatch, Host, Log, Receiver, XTest, short)
from .session import Session, run_by_hand  # noqa: F401
from .ui import (Menu, Tray, centre, ink_box, lightness, menu_row_point, painted,  # noqa: F401
                 open_entry, wait_gone)
from .vela import (COPY, IDS, KESTREL_PROFILE, KESTREL_RUN, LAYER_WHILE_HELD, NATIVE,  # noqa: F401
                   PASTE, Vela, caption_id, crlf, decode_text_file, ini, ini_value, layer,
                   layout, slot)
