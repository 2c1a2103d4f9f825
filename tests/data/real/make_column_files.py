#!/usr/bin/env python3
"""Column files of epicentres made from the published catalogue tables.

A conversion only: each file holds a quoted title line, a quoted line of
column names and one row per event, "lon lat depth mag 'id'", the numbers
copied as text from the table. Beside each file, a .hex file gives the
single-precision (IEEE binary32) values of its longitude and latitude, one
row per event, as eight hexadecimal digits each: the decimal text rounded
correctly to the nearest binary32 value (ties to even), computed exactly
with fractions, independently of any program that reads the column files.

Run from this folder: python3 make_column_files.py
"""

import csv
import struct
from fractions import Fraction

SOURCES = [
    # table, column file, title, rows kept (None: all)
    ("sed_switzerland_fm.csv", "sed_switzerland_points.txt", "SED Switzerland epicentres", None),
    ("gcmt_m7plus_fm.csv", "gcmt_m7plus_points.txt", "GCMT Mw 7+ hypocentres", None),
    ("scedc_hash_2018_fm.csv", "scedc_hash_2018_points.txt", "SCEDC HASH 2018 first 1200", 1200),
]
# The SED file again with tabs, CRLF line ends, commas between the values
# and a blank line between the rows.
VARIANT = ("sed_switzerland_points.txt", "sed_switzerland_points_variant.txt")

NAMES = "'lon' 'lat' 'depth' 'mag' 'id'"


def f32_bits_of(bits):
    return struct.unpack("<f", struct.pack("<I", bits))[0]


def binary32_bits(text):
    """Bits of the binary32 value nearest to the decimal text."""
    exact = Fraction(text)
    # float(text) rounds to binary64 and pack rounds again: a double
    # rounding that can miss by one unit, so the neighbours are compared.
    guess = struct.unpack("<I", struct.pack("<f", float(text)))[0]
    best = None
    for bits in (guess - 1, guess, guess + 1):
        if bits < 0 or (bits & 0x7F800000) == 0x7F800000:
            continue
        value = Fraction(f32_bits_of(bits))
        if (value < 0) != (exact < 0) and value != 0:
            continue
        key = (abs(value - exact), bits & 1)  # nearest, then even
        if best is None or key < best[0]:
            best = (key, bits)
    return best[1]


def rows_of(table, keep):
    with open(table, newline="") as f:
        rows = list(csv.DictReader(f))
    return rows if keep is None else rows[:keep]


def write_column_file(table, name, title, keep):
    rows = rows_of(table, keep)
    lines = ["'%s'" % title, NAMES]
    hexes = []
    for r in rows:
        lines.append("%12s %11s %9s %6s '%s'" % (r["lon"], r["lat"], r["depth_km"], r["mag"], r["source_id"]))
        hexes.append("%08x %08x" % (binary32_bits(r["lon"]), binary32_bits(r["lat"])))
    with open(name, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    with open(name.replace(".txt", ".hex"), "w", newline="\n") as f:
        f.write("\n".join(hexes) + "\n")
    return len(rows)


def write_variant(source, name):
    with open(source) as f:
        lines = f.read().splitlines()
    out = lines[:2]
    for line in lines[2:]:
        out.append(",\t".join(line.split()))
        out.append("")
    with open(name, "w", newline="") as f:
        f.write("\r\n".join(out) + "\r\n")


def main():
    for table, name, title, keep in SOURCES:
        print(name, write_column_file(table, name, title, keep), "rows")
    write_variant(*VARIANT)
    print(VARIANT[1])


if __name__ == "__main__":
    main()
