#!/bin/sh
# The world's shorelines drawn from the map's line-file menu, next to GMT's
# psxy drawing the same points on a Mercator map and `cat` reading them, or
# next to the build of an older commit.
#
# The data is made here, not kept: `gmt coast -Rd -Di -W -M` (GSHHG at
# intermediate resolution, some 460,000 points; Debian's gmt-gshhg-low
# holds it, or gmt-gshhg-full) converted by tests/tools/gshhg_line_files.py
# to a GSHHS, a GEBCO and a USGS file. bench_line_files draws them under
# code 15 on the window -180..180 x -80..84, answered by a command file:
# GSHHS clipped and not clipped, GEBCO and USGS (never clipped). GMT:
# psxy -JM17c of the joined lines. Prints the best wall time of the runs
# and the peak memory of each.
#
# With --against <commit>, the program of that commit is built too (under
# build/against-<commit>) and both draw the GSHHS file clipped and not and
# the GEBCO file in whole runs of the program (map menu, RUN on that
# window, the line-file menu), and the GSHHS file clipped once more under
# the oblique gnomonic (code 18, its centre and the origin at 0E 45N as
# the program starts, on the window -60..60 both ways, which reaches 87
# degrees from the centre): the instructions each run executes, counted
# by valgrind's callgrind, less those of the same run under the same
# projection drawing no file, each beside its goal (at most 1.01 times
# the commit's), and the median CPU time (user + system) of the runs, the
# two programs taking turns, told beside the older build's. Every run must
# write its map whole. Then each build makes each of these runs once more,
# in a directory of its own, and all that the two leave is compared
# (bench/common.sh, compare_written): exit status, console text and every
# file, the map among them, byte for byte, the run's date and time aside
# (and the end-of-run picture, which the clock chooses). The script exits
# 1 when a goal is not met, a count is missing, a run writes no whole map
# or a text differs: a failure anywhere, whatever the measurements and
# comparisons after it find.
#
# Usage: bench/line_files.sh [runs]                   (default 3)
#        bench/line_files.sh --against <commit> [runs] (default 3)
# Builds (or brings up to date) the benchmark or the program of the bench
# preset.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/common.sh"
against_option "$@"
shift "$skip"
runs=${1:-3}
command -v gmt >/dev/null || { echo "needs gmt (GMT) with GSHHG" >&2; exit 1; }
command -v python3 >/dev/null || { echo "needs python3 for the conversion" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && gmt coast -Rd -Di -W -M >world.gmt &&
  python3 "$root/tests/tools/gshhg_line_files.py" world.gmt world --formats gshhs,gebco,usgs >/dev/null)

if [ -n "$against" ]; then
  need_valgrind
  program=$root/build/bench/dorvix
  build_dorvix
  build_against "$against"
  make_rusage_run
  settings 1
  # The answers: the map menu with points, epicentres and stress symbols
  # off, the window, RUN with the default plot settings; then the line
  # files of the case; leave, quit and close the plot.
  map='\n2001\n343\nn\n342\nn\n341\nn\n320\n10\n-80 84 2\n20\n-180 180 10\n99\n1000\n\nmap.ps\n'
  printf "${map}99\n99\n9999\n\n" >"$work/none.txt"
  printf "${map}5\nworld.gshhs\n99\n99\n9999\n\n" >"$work/gshhs_clipped.txt"
  printf "${map}10\nn\n5\nworld.gshhs\n99\n99\n9999\n\n" >"$work/gshhs_not_clipped.txt"
  printf "${map}3\nworld.gebco\n99\n99\n9999\n\n" >"$work/gebco.txt"
  # The gnomonic: code 18 chosen and applied, its central angle and
  # oblique centre kept, the origin menu left as it is.
  gnomonic='\n2001\n343\nn\n342\nn\n341\nn\n300\n18\n99\n99\n99\n320\n10\n-60 60 2\n20\n-60 60 2\n99\n1000\n\nmap.ps\n'
  printf "${gnomonic}99\n99\n9999\n\n" >"$work/gnomonic_none.txt"
  printf "${gnomonic}5\nworld.gshhs\n99\n99\n9999\n\n" >"$work/gshhs_gnomonic.txt"
  # Each run writes its plot anew, and whole.
  bench_before() { rm -f "$work/map.ps"; }
  bench_after() {
    [ "$(tail -n 1 "$work/map.ps" 2>/dev/null)" = "%%EOF" ] || { echo "$1 <$2 wrote no whole map.ps" >&2; exit 1; }
  }
  instructions "$program" "$work/none.txt"
  none_1=$count
  instructions "$older" "$work/none.txt"
  none_2=$count
  printf '%-32s %14s %14s %7s  %s\n' "instructions" this "$against_commit" ratio goal
  printf '%-32s %14s %14s %7s\n' none "${none_1:--}" "${none_2:--}" "$(ratio "$none_1" "$none_2")"
  for case in gshhs_clipped gshhs_not_clipped gebco; do
    instructions "$program" "$work/$case.txt"
    n1=$(less_count "$count" "$none_1")
    instructions "$older" "$work/$case.txt"
    n2=$(less_count "$count" "$none_2")
    goal "$case, less none" "$n1" "$n2" 1.01
  done
  instructions "$program" "$work/gnomonic_none.txt"
  gnomonic_1=$count
  instructions "$older" "$work/gnomonic_none.txt"
  gnomonic_2=$count
  printf '%-32s %14s %14s %7s\n' "none, gnomonic" "${gnomonic_1:--}" "${gnomonic_2:--}" \
    "$(ratio "$gnomonic_1" "$gnomonic_2")"
  instructions "$program" "$work/gshhs_gnomonic.txt"
  n1=$(less_count "$count" "$gnomonic_1")
  instructions "$older" "$work/gshhs_gnomonic.txt"
  n2=$(less_count "$count" "$gnomonic_2")
  goal "gshhs_gnomonic, less none" "$n1" "$n2" 1.01
  printf '%-32s %14s %14s %7s\n' "CPU ms, less none" this "$against_commit" ratio
  alternate "$work/none.txt" "$program" "$older"
  base_1=$cpu_ms_1 base_2=$cpu_ms_2
  for case in gshhs_clipped gshhs_not_clipped gebco; do
    alternate "$work/$case.txt" "$program" "$older"
    c1=$(awk -v a="$cpu_ms_1" -v b="$base_1" 'BEGIN { printf "%.1f", a - b }')
    c2=$(awk -v a="$cpu_ms_2" -v b="$base_2" 'BEGIN { printf "%.1f", a - b }')
    printf '%-32s %14s %14s %7s\n' "$case" "$c1" "$c2" "$(ratio "$c1" "$c2")"
  done
  for case in none gshhs_clipped gshhs_not_clipped gebco gnomonic_none gshhs_gnomonic; do
    echo "$case:"
    compare_written "world.gshhs world.gebco kavro7_ini.txt" "$case.txt" map.ps
  done
  exit "$failed"
fi

bench=$root/build/bench/bench/bench_line_files
(cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target bench_line_files >/dev/null)
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for peak memory" >&2; exit 1; }
cd "$work"

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
for case in gshhs_clipped gshhs_not_clipped gebco usgs; do
  best=$(awk -F, -v name="\"BM_$case/iterations:1\"" \
    '$1 == name { if (best == "" || $3 < best) best = $3 } END { printf "%.0f", best }' runs.csv)
  /usr/bin/time -f '%M' -o time.txt "$bench" --benchmark_filter="BM_$case\$" >/dev/null 2>&1
  kb=$(cat time.txt)
  printf '%-22s %10s %10s %10s %10s %10s %8s\n' "$case" "$best" "$kb" "$psxy_ms" "$psxy_kb" "$cat_ms" \
    "$(ratio "$best" "$psxy_ms")"
done
