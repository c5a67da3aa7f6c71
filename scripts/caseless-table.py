#!/usr/bin/env python3
"""Prints the rows of kUppercase in core/CaselessName.cpp: the simple
uppercase mapping of every UTF-16 unit that is the small letter of a case
pair (its capital lowercases back to it), from Python's Unicode database.
Python's upper() is the full mapping: where it gives more than one letter
(the Greek letters with iota subscript become two), the titlecase letter is
the simple mapping when it is one letter.
Variant forms that only uppercase into another letter's capital (dotless i,
long s, micro sign, the Greek symbol forms) stay themselves, as in the
system's table; the final sigma joins its capital.

    scripts/caseless-table.py > rows.txt   (then paste over the table's rows)
"""

import unicodedata

KEPT = {0x03C2}  # final sigma


def upper(c):
    u = chr(c).upper()
    if len(u) != 1:
        u = chr(c).title()
    if len(u) != 1 or ord(u) == c or ord(u) > 0xFFFF:
        return None
    if chr(ord(u)).lower() != chr(c) and c not in KEPT:
        return None
    return ord(u)


rows = []
for c in range(0x10000):
    if 0xD800 <= c < 0xE000:
        continue
    u = upper(c)
    if u is None:
        continue
    delta = u - c
    if rows:
        first, last, step, d = rows[-1]
        if d == delta and c - last == step:
            rows[-1] = (first, c, step, d)
            continue
        if d == delta and first == last and c - last in (1, 2):
            rows[-1] = (first, c, c - last, d)
            continue
    rows.append((c, c, 1, delta))

print(f"    // Unicode {unicodedata.unidata_version}, {len(rows)} rows")
line = "   "
for first, last, step, delta in rows:
    item = f" {{0x{first:04X}, 0x{last:04X}, {step}, {delta}}},"
    if len(line) + len(item) > 100:
        print(line)
        line = "   "
    line += item
print(line)
