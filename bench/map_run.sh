#!/bin/sh
# A map of 60000 mechanisms next to GMT's psmeca drawing the same
# mechanisms on a Mercator map of the same window.
#
# dorvix reads a generated 60000-line HASH catalogue and runs option 2001
# with the Si-Sh file on: Mercator (the default projection), the graticule
# window on the catalogue (32 to 37 N, 121 to 114 W, fitted to the page),
# line-file and point menus off, then RUN: caption, graticule, epicentres,
# one stress symbol per mechanism with its listing on the console and its
# Si-Sh row. The map time is that run less a run that only reads the
# catalogue and quits. It runs once in the default dialect (2) and once in
# the Compressed dialect (1). GMT draws the same mechanisms (plane 1 of
# each line) in one psmeca call with both nodal planes and the P and T
# axes: -JM17c -Sa0.4c -T0 -Fa0.1c/cc.
# Prints wall times (best of the runs) and PostScript and Si-Sh sizes.
#
# Usage: bench/map_run.sh [runs]   (default 3)
# Builds (or brings up to date) the optimised program of the bench preset.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
lines=60000
program=$root/build/bench/dorvix
. "$root/bench/common.sh"
build_dorvix
need_gmt
hash_catalogue_work

# Keyboard answers (besides read_only.txt): the banner's Return, the read (its Return for the full
# store's warning), then for the map: the Si-Sh switch and file, the
# graticule window, line files and points off, RUN with the default plot
# settings, leave, quit and close the plot file.
printf '\n1000\n1001\ncatalogue.hash\n\n7\ny\n2001\nsish.txt\n320\n10\n32 37 1\n20\n-121 -114 1\n99\n340\nn\n343\nn\n1000\n\nmap.ps\n99\n9999\n\n' \
  >"$work/map.txt"

meca_input "$work/catalogue.hash" "$work/meca.txt"

best "rm -f map.ps sish.txt kavro7_ini.txt; '$program' <read_only.txt"
read_ms=$best_ms

printf '%-34s %9s %9s %9s\n' run "wall ms" "PS MB" "Si-Sh MB"
printf '%-34s %9s %9s %9s\n' "dorvix read only" "$read_ms" - -
for dialect in 2 1; do
  best "rm -f map.ps sish.txt; printf '  F   1 P    $dialect\n' >kavro7_ini.txt; '$program' <map.txt"
  [ -s "$work/map.ps" ] || { echo "dorvix wrote no map.ps" >&2; exit 1; }
  rows=$(($(wc -l <"$work/sish.txt") - 1))
  [ "$rows" -eq "$lines" ] || { echo "dorvix wrote $rows Si-Sh rows" >&2; exit 1; }
  printf '%-34s %9s %9s %9s\n' "dorvix read + 2001 map, dialect $dialect" "$best_ms" "$(size_mb "$work/map.ps")" \
    "$(size_mb "$work/sish.txt")"
  printf '%-34s %9s %9s %9s\n' "dorvix map (difference)" $((best_ms - read_ms)) - -
done

best "gmt psmeca meca.txt -R-121/-114/32/37 -JM17c -Sa0.4c -T0 -Fa0.1c/cc -P >meca.ps"
printf '%-34s %9s %9s %9s\n' "gmt psmeca -T0 -Fa" "$best_ms" "$(size_mb "$work/meca.ps")" -
