"""What every part of the harness shares: the clock, waiting, the log line
and the exception that ends a case."""

import os
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))


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


def wait_for(read, want, timeout=5, step=0.05):
    """Calls `read` until it gives `want` (or `want` is a function that
    accepts what it gives) or `timeout` seconds have passed; returns the last
    value read, for the check that follows to show."""
    seen = [None]

    def reached():
        seen[0] = read()
        return want(seen[0]) if callable(want) else seen[0] == want

    wait_until(reached, timeout, step)
    return seen[0]
