#!/usr/bin/env python3
"""Line files of the five coastline layouts made from a GMT coastline dump.

Input: the output of `gmt coast ... -W -M` (GSHHG shorelines as
multisegment text: a "> Shore Bin # n, Level l" header before each piece,
then "lon lat" rows). GMT cuts the shorelines at the edges of its storage
bins; the pieces are joined again where one ends on the point where another
starts (longitudes compared modulo 360), so that each coastline is one
continuous line, in the order in which its first piece comes in the dump.

Output, beside PREFIX:
  PREFIX.lines  the joined lines, the reference: "> line n level l" and
                "lon lat" rows, longitudes as given (see --eastwards)
  PREFIX.utig   UTIG coast: first point on the 0.1 degree lattice, then
                steps of whole tenths as codes "dd" (step = 5.0 - dd/10),
                each point rounded to the lattice (error <= 0.05 degree);
                a step beyond -4.9..+5.0 is split into equal lattice steps,
                longitudes taken continuous (no jump of 360 inside a line),
                lines of more than 499 points split, overlapping by one
  PREFIX.ign    IGN coast: code1 1, code2 alternating 1 and 2 from line to
                line, longitude and latitude in f9.4
  PREFIX.gebco  GEBCO: "code npts", then "lat lon" rows
  PREFIX.usgs   USGS ascii dump: "lat lon" rows; each line is followed by a
                separator, alternately a blank record and "-999.0 -999.0"
  PREFIX.gshhs  GSHHS ascii polygons: the fixed header (id, npts, level,
                area 0, west, east, south, north from the points), then
                "lon lat" rows

--eastwards: the dump is one ring around the pole (Antarctica): it is
written eastwards from longitude 0, longitudes rising to 360.
--formats gshhs,usgs: write only these conversions (the reference always).

Usage: gshhg_line_files.py DUMP PREFIX [--eastwards] [--formats LIST]
"""

import argparse
import math
import re
import sys

FORMATS = ("utig", "ign", "gebco", "usgs", "gshhs")
UTIG_MAX_POINTS = 499  # nval in three columns: at most 999 values
SAME = 1e-9  # two dump points are the same point


def read_dump(path):
    """Pieces of the dump: (level, [(lon, lat, lon_text, lat_text)])."""
    pieces = []
    level = 1
    with open(path) as f:
        for row in f:
            row = row.strip()
            if not row:
                continue
            if row.startswith(">"):
                m = re.search(r"Level\s+(\d+)", row)
                level = int(m.group(1)) if m else 1
                pieces.append((level, []))
                continue
            lon_text, lat_text = row.split()[:2]
            if not pieces:
                pieces.append((level, []))
            pieces[-1][1].append((float(lon_text), float(lat_text)))
    return [p for p in pieces if p[1]]


def same_point(a, b):
    dlon = (a[0] - b[0]) % 360.0
    return min(dlon, 360.0 - dlon) < SAME and abs(a[1] - b[1]) < SAME


def key(p):
    """A point as a dictionary key: longitude modulo 360, both rounded."""
    lon = round(p[0] % 360.0, 7) % 360.0
    return (lon, round(p[1], 7))


def join(pieces):
    """Lines made of the pieces that meet end to start."""
    starts, ends = {}, {}
    for k, (_, points) in enumerate(pieces):
        starts.setdefault(key(points[0]), []).append(k)
        ends.setdefault(key(points[-1]), []).append(k)
    used = [False] * len(pieces)

    def take(index, k):
        for j in index.get(k, []):
            if not used[j]:
                used[j] = True
                return j
        return None

    lines = []
    for k, (level, points) in enumerate(pieces):
        if used[k]:
            continue
        used[k] = True
        points = list(points)
        while not (len(points) > 1 and same_point(points[0], points[-1])):
            j = take(starts, key(points[-1]))
            if j is not None:
                points.extend(pieces[j][1][1:])
                continue
            j = take(ends, key(points[0]))
            if j is not None:
                points[:0] = pieces[j][1][:-1]
                continue
            break
        lines.append((level, points))
    return lines


def eastwards_ring(points):
    """One ring around the pole, eastwards from longitude 0, rising to 360."""
    ring = points[:-1] if same_point(points[0], points[-1]) else list(points)
    # Eastwards: the longitude mostly grows along the ring.
    turn = sum(((b[0] - a[0] + 180.0) % 360.0) - 180.0 for a, b in zip(ring, ring[1:] + ring[:1]))
    if turn < 0:
        ring.reverse()
    start = min(range(len(ring)), key=lambda k: (abs(((ring[k][0] + 180.0) % 360.0) - 180.0), k))
    ring = ring[start:] + ring[:start]
    out = [(0.0 if abs(ring[0][0]) < SAME else ring[0][0], ring[0][1])]
    for lon, lat in ring[1:] + ring[:1]:
        step = ((lon - out[-1][0] + 180.0) % 360.0) - 180.0
        out.append((out[-1][0] + step, lat))
    # Points met twice (a bin edge on 180 and -180) count once.
    dedup = [out[0]]
    for p in out[1:]:
        if abs(p[0] - dedup[-1][0]) < SAME and abs(p[1] - dedup[-1][1]) < SAME:
            continue
        dedup.append(p)
    return dedup


def number(v):
    text = "%.10f" % v
    text = text.rstrip("0")
    return text + "0" if text.endswith(".") else text


def tenths(v):
    return int(math.floor(v * 10.0 + 0.5))


def utig_records(points):
    """The UTIG records of one line (several lines when it is long)."""
    # Longitudes made continuous, then every point on the 0.1 lattice.
    lons = [points[0][0]]
    for lon, _ in points[1:]:
        lons.append(lon + 360.0 * round((lons[-1] - lon) / 360.0))
    lattice = [(tenths(lat), tenths(lon)) for lon, (_, lat) in zip(lons, points)]
    steps = [lattice[0]]
    for lat, lon in lattice[1:]:
        dlat, dlon = lat - steps[-1][0], lon - steps[-1][1]
        k = 1
        while not all(-49 <= d <= 50 for d in split_steps(dlat, dlon, k)):
            k += 1
        base = steps[-1]
        for j in range(1, k + 1):
            steps.append((base[0] + round(dlat * j / k), base[1] + round(dlon * j / k)))
    records = []
    start = 0
    while True:
        piece = steps[start:start + UTIG_MAX_POINTS]
        records.extend(utig_line(piece))
        if start + UTIG_MAX_POINTS >= len(steps):
            break
        start += UTIG_MAX_POINTS - 1
    return records, len(steps) - len(points)


def split_steps(dlat, dlon, k):
    out = []
    for j in range(1, k + 1):
        out.append(round(dlat * j / k) - round(dlat * (j - 1) / k))
        out.append(round(dlon * j / k) - round(dlon * (j - 1) / k))
    return out


def utig_line(lattice):
    codes = []
    for (lat0, lon0), (lat1, lon1) in zip(lattice, lattice[1:]):
        codes.append("%02d%02d" % (50 - (lat1 - lat0), 50 - (lon1 - lon0)))
    first = "%3d%6.1f%7.1f" % (2 * len(lattice), lattice[0][0] / 10.0, lattice[0][1] / 10.0)
    records = [first + "".join(codes[:16])]
    for k in range(16, len(codes), 20):
        records.append("".join(codes[k:k + 20]))
    return records


def gshhs_header(ident, points, level):
    lons = [p[0] for p in points]
    lats = [p[1] for p in points]
    return "  %6d%8d%2d  %13.3f%10.5f%10.5f%10.5f%10.5f" % (
        ident, len(points), level, 0.0, min(lons), max(lons), min(lats), max(lats))


def write(path, records):
    with open(path, "w") as f:
        for r in records:
            f.write(r + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dump")
    parser.add_argument("prefix")
    parser.add_argument("--eastwards", action="store_true")
    parser.add_argument("--formats", default=",".join(FORMATS))
    args = parser.parse_args()
    formats = [f for f in args.formats.split(",") if f]
    for f in formats:
        if f not in FORMATS:
            sys.exit("unknown format " + f)

    lines = join(read_dump(args.dump))
    if args.eastwards:
        if len(lines) != 1:
            sys.exit("--eastwards needs one ring, the dump gives %d lines" % len(lines))
        lines = [(lines[0][0], eastwards_ring(lines[0][1]))]

    reference = []
    for n, (level, points) in enumerate(lines, 1):
        reference.append("> line %d level %d" % (n, level))
        reference.extend("%s %s" % (number(lon), number(lat)) for lon, lat in points)
    write(args.prefix + ".lines", reference)

    out = {f: [] for f in formats}
    split = 0
    for n, (level, points) in enumerate(lines, 1):
        rows = ["%s %s" % (number(lon), number(lat)) for lon, lat in points]
        if "utig" in out:
            records, extra = utig_records(points)
            out["utig"].extend(records)
            split += extra
        if "ign" in out:
            code2 = 1 if n % 2 else 2
            out["ign"].extend("1%d %9.4f %9.4f" % (code2, lon, lat) for lon, lat in points)
        if "gebco" in out:
            out["gebco"].append("%d %d" % (n, len(points)))
            out["gebco"].extend("%s %s" % (number(lat), number(lon)) for lon, lat in points)
        if "usgs" in out:
            out["usgs"].extend("%s %s" % (number(lat), number(lon)) for lon, lat in points)
            out["usgs"].append("" if n % 2 else "-999.0 -999.0")
        if "gshhs" in out:
            out["gshhs"].append(gshhs_header(n, points, level))
            out["gshhs"].extend(rows)
    for f, records in out.items():
        write(args.prefix + "." + f, records)
    npoints = sum(len(p) for _, p in lines)
    print("%s: %d lines, %d points%s" % (args.prefix, len(lines), npoints,
                                          ", %d UTIG points added by split steps" % split if "utig" in out else ""))


if __name__ == "__main__":
    main()
