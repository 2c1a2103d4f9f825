#!/bin/sh
# Whole runs of dorvix on generated 60000-line catalogues (HASH and FPFIT):
# through a command file, read with every extraction test on, write the
# catalogue back in its layout and as a table, quit. Reports wall time and
# peak memory of each run next to `cat` of the same catalogue, the floor of
# reading the file at all.
#
# Usage: bench/whole_run.sh [runs]   (default 5; the best run is shown)
# Builds (or brings up to date) the optimised program of the bench preset.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
lines=60000
program=$root/build/bench/dorvix
(cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target dorvix >/dev/null)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for peak memory" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
${CXX:-c++} -std=c++20 -O2 -I"$root/tests/catalogue" "$root/bench/tools/generate_catalogue.cpp" \
  -o "$work/generate_catalogue"

# A counter-clockwise lat-long polygon around the whole map: the test runs
# on every record and keeps it.
printf '4 2\n-180 -90\n180 -90\n180 90\n-180 90\n' >"$work/polygon.txt"

# The command file of one run: read choice, catalogue, write choices.
commands() {
  cat <<CMD
1000
100
10
y
100
y
110
-90
90
200
y
210
-180
180
300
y
310
-10
700
250
y
252
polygon.txt
500
y
510
-180
180
520
y
530
-10
10
99
$1
$2
1200
$3
out.catalogue
y
$4
out.table
y
99
9999
CMD
}

# Wall time in milliseconds and peak memory in kB of a command; its
# standard input from $2.
measure() {
  best_ms=
  peak_kb=
  i=0
  while [ "$i" -lt "$runs" ]; do
    rm -f "$work/out.catalogue" "$work/out.table"
    start=$(date +%s%N)
    (cd "$work" && /usr/bin/time -f '%M' -o "$work/time.txt" sh -c "$1" <"$2" >/dev/null 2>&1)
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    kb=$(cat "$work/time.txt")
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    if [ -z "$peak_kb" ] || [ "$kb" -gt "$peak_kb" ]; then peak_kb=$kb; fi
    i=$((i + 1))
  done
}

printf '%-7s %10s %12s %10s %12s %8s\n' layout "dorvix ms" "dorvix kB" "cat ms" "cat kB" ratio
for layout in hash fpfit; do
  "$work/generate_catalogue" "$layout" "$lines" 2010 >"$work/catalogue.$layout"
  if [ "$layout" = hash ]; then
    commands 1001 "catalogue.$layout" 1001 2001 >"$work/bench.cmd"
  else
    commands 1000 "catalogue.$layout" 1000 2000 >"$work/bench.cmd"
  fi
  # The banner's Return, then the command file from the keyboard.
  printf '\n5000\n5001\nbench.cmd\n' >"$work/keyboard.txt"
  : >"$work/empty.txt"

  measure "cat catalogue.$layout" "$work/empty.txt"
  cat_ms=$best_ms cat_kb=$peak_kb
  measure "$program" "$work/keyboard.txt"
  # The last run must have written every mechanism back.
  kept=$(wc -l <"$work/out.catalogue")
  [ "$kept" -eq "$lines" ] || { echo "$layout: wrote $kept lines, expected $lines" >&2; exit 1; }
  ratio=$(awk -v a="$best_ms" -v b="$cat_ms" 'BEGIN { printf "%.1f", (b > 0 ? a / b : a) }')
  printf '%-7s %10s %12s %10s %12s %8s\n' "$layout" "$best_ms" "$peak_kb" "$cat_ms" "$cat_kb" "$ratio"
done
