#!/usr/bin/env python3
"""Pointer-move latency through Wine, for scripts/bench-hooks.sh.

  move_latency.py move OUT COUNT INTERVAL_MS ROW
      Moves the X pointer COUNT times through XTest, INTERVAL_MS apart, along
      row ROW (each move to its own pixel), and writes "stamp x y" per move.
      Stamps are CLOCK_MONOTONIC_RAW in 100 ns units: the same clock as
      QueryPerformanceCounter under Wine.
  move_latency.py report LABEL MOVES RECEIVER_LOG
      Matches each move with the receiver's WM_MOUSEMOVE at the same pixel and
      prints one line of figures.
"""
import ctypes
import sys
import time


def now_100ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW) // 100


def move(out, count, interval_ms, row):
    xlib = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_int, ctypes.c_ulong]
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the X display")
    y = 100 + 40 * row
    lines = []
    interval = interval_ms / 1000.0
    next_at = time.monotonic()
    for i in range(count):
        x = 100 + i % 1000
        y_i = y + i // 1000
        stamp = now_100ns()
        xtst.XTestFakeMotionEvent(display, -1, x, y_i, 0)
        xlib.XSync(display, 0)
        lines.append(f"{stamp} {x} {y_i}\n")
        next_at += interval
        delay = next_at - time.monotonic()
        if delay > 0:
            time.sleep(delay)
    with open(out, "w") as f:
        f.writelines(lines)


def percentile(sorted_values, p):
    if not sorted_values:
        return float("nan")
    k = min(len(sorted_values) - 1, max(0, round(p / 100 * (len(sorted_values) - 1))))
    return sorted_values[k]


def report(label, moves_path, receiver_path):
    moves = []
    with open(moves_path) as f:
        for line in f:
            stamp, x, y = line.split()
            moves.append((int(stamp), int(x), int(y)))
    seen = {}
    with open(receiver_path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 4 and parts[1] == "MOUSEMOVE":
                seen.setdefault((int(parts[2]), int(parts[3])), []).append(int(parts[0]))
    latencies = []
    arrivals = []
    for stamp, x, y in moves:
        later = [t for t in seen.get((x, y), []) if t >= stamp]
        if later:
            latencies.append((later[0] - stamp) / 10000.0)
            arrivals.append(later[0])
    latencies.sort()
    arrivals.sort()
    gaps = [(b - a) / 10000.0 for a, b in zip(arrivals, arrivals[1:])]
    sent_gaps = [(b[0] - a[0]) / 10000.0 for a, b in zip(moves, moves[1:])]
    p50 = percentile(latencies, 50)
    p99 = percentile(latencies, 99)
    print(f"{label:<34} moves {len(moves):4d} seen {len(latencies):4d}  "
          f"p50 {p50:6.2f} ms  p99 {p99:6.2f} ms  max {latencies[-1] if latencies else float('nan'):6.2f} ms  "
          f"worst gap {max(gaps) if gaps else float('nan'):6.2f} ms "
          f"(sender's worst gap {max(sent_gaps) if sent_gaps else float('nan'):5.2f} ms)")
    return p50, p99


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "move":
        move(sys.argv[2], int(sys.argv[3]), float(sys.argv[4]), int(sys.argv[5]))
    elif len(sys.argv) == 5 and sys.argv[1] == "report":
        report(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit(__doc__)
