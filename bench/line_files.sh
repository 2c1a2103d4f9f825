#!/bin/sh
# The world's shorelines drawn from the map's line-file menu, next to GMT's
# psxy drawing the same points on a Mercator map and `cat` reading them.
#
# The data is made here, not kept: `gmt coast -Rd -Di -W -M` (GSHHG at
# intermediate resolution, some 460,000 points; Debian's gmt-gshhg-low
# holds it, or gmt-gshhg-full) converted by tests/tools/gshhg_line_files.py
# to a GSHHS and a USGS file. bench_line_files draws them under code 15 on
# the window -180..180 x -80..84, answered by a command file: GSHHS clipped
# and not clipped, USGS (never clipped). GMT: psxy -JM17c of the joined
# lines. Prints the best wall time of the runs and the peak memory of each.
#
# Usage: bench/line_files.sh [runs]   (default 3)
# Builds (or brings up to date) the benchmark of the bench preset.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
bench=$root/build/bench/bench/bench_line_files
(cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target bench_line_files >/dev/null)
command -v gmt >/dev/null || { echo "needs gmt (GMT) with GSHHG" >&2; exit 1; }
command -v python3 >/dev/null || { echo "needs python3 for the conversion" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for peak memory" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
gmt coast -Rd -Di -W -M >world.gmt
python3 "$root/tests/tools/gshhg_line_files.py" world.gmt world --formats gshhs,usgs

# Best wall time (ms) of a shell command over the runs, and its peak
# memory (kB).
measure() {
  best_ms=
  peak_kb=0
  i=0
  while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o time.txt sh -c "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    kb=$(cat time.txt)
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    if [ "$kb" -gt "$peak_kb" ]; then peak_kb=$kb; fi
    i=$((i + 1))
  done
}

measure "gmt psxy world.lines -R-180/180/-80/84 -JM17c -W0.25p >psxy.ps"
psxy_ms=$best_ms psxy_kb=$peak_kb
measure "cat world.gshhs world.usgs"
cat_ms=$best_ms

# dorvix: the benchmark's own time of each run (best of the runs), and the
# peak memory of a process that makes one run.
export DORVIX_LINE_FILES_DIR="$work"
"$bench" --benchmark_repetitions="$runs" --benchmark_format=csv 2>/dev/null >runs.csv
printf '%-22s %10s %10s %10s %10s %10s %8s\n' case "dorvix ms" "dorvix kB" "psxy ms" "psxy kB" "cat ms" "/psxy"
for case in gshhs_clipped gshhs_not_clipped usgs; do
  best=$(awk -F, -v name="\"BM_$case/iterations:1\"" \
    '$1 == name { if (best == "" || $3 < best) best = $3 } END { printf "%.0f", best }' runs.csv)
  /usr/bin/time -f '%M' -o time.txt "$bench" --benchmark_filter="BM_$case\$" >/dev/null 2>&1
  kb=$(cat time.txt)
  ratio=$(awk -v a="$best" -v b="$psxy_ms" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
  printf '%-22s %10s %10s %10s %10s %10s %8s\n' "$case" "$best" "$kb" "$psxy_ms" "$psxy_kb" "$cat_ms" "$ratio"
done
