#!/bin/sh
# Whole runs of dorvix on generated 60000-line catalogues (HASH and FPFIT):
# through a command file, read with every extraction test on, write the
# catalogue back in its layout and as a table, quit. Reports wall time, CPU
# time (user + system) and peak memory of each run next to `cat` of the same
# catalogue, the floor of reading the file at all. Times are medians of the
# runs, the programs taking turns; peak memory is the largest of the runs.
#
# Usage: bench/whole_run.sh [runs]                  (default 5)
#        bench/whole_run.sh --against <commit> [runs]
# Builds (or brings up to date) the optimised program of the bench preset.
# With --against, the program of an older commit is built too (from the
# commit's files, under build/against-<commit>), and the two are timed side
# by side in one run, alternating, so that both see the same machine load;
# the ratios are this build's times over the older one's; then the
# instructions each build executes, counted by valgrind's callgrind (they
# repeat from run to run where times do not), on four runs: each layout
# read and written back in its layout alone, and with the table as well,
# each beside its goal: at most 1.005 times the older build's. Then each
# build makes these four runs once more, each in a directory of its own,
# and all that the two leave is compared (bench/common.sh,
# compare_written): exit status, console text and every file, the
# catalogue and the table among them, byte for byte, the run's date and
# time aside (and the end-of-run picture, which the clock chooses). Every
# run must write the catalogue back byte for byte, and the table whole,
# and every count must be there. The script exits 1 when a run writes what
# it should not, and with --against when a goal is not met, a count is
# missing or a text differs: a failure anywhere, whatever the measurements
# and comparisons after it find.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/common.sh"
against_option "$@"
shift "$skip"
runs=${1:-5}
lines=${DORVIX_BENCH_LINES:-60000}
program=$root/build/bench/dorvix
build_dorvix
older=
if [ -n "$against" ]; then build_against "$against"; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_generator
make_rusage_run

# A counter-clockwise lat-long polygon around the whole map: the test runs
# on every record and keeps it.
printf '4 2\n-180 -90\n180 -90\n180 90\n-180 90\n' >"$work/polygon.txt"

# The command file of one run: read choice, catalogue, write choices (the
# table's empty: the catalogue alone).
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
CMD
  if [ -n "$4" ]; then printf '%s\nout.table\ny\n' "$4"; fi
  printf '99\n9999\n'
}

# bench.cmd of a run on the layout $1 (hash or fpfit), read and written
# back in that layout, with the table as well when $2 is yes: sets
# run_name, and written, the files the run writes.
run_commands() {
  if [ "$1" = hash ]; then choice=1001 tab=2001; else choice=1000 tab=2000; fi
  run_name="$1 read + catalogue" written=out.catalogue
  if [ "$2" = yes ]; then run_name="$run_name + table" written="out.catalogue out.table"; else tab=''; fi
  commands "$choice" "catalogue.$1" "$choice" "$tab" >"$work/bench.cmd"
}

# A run of dorvix starts with no output files, and writes the catalogue
# back byte for byte, and the table (when bench.cmd asks for it) with its
# two lines of heads and a row for each mechanism.
bench_before() { rm -f "$work/out.catalogue" "$work/out.table"; }
bench_after() {
  case $1 in
    cat*) ;;
    *)
      cmp -s "$work/out.catalogue" "$work/catalogue.$layout" ||
        { echo "$layout: $1 did not write the catalogue back as it read it" >&2; exit 1; }
      if grep -q '^out[.]table$' "$work/bench.cmd"; then
        rows=$(($(wc -l <"$work/out.table") - 2))
        [ "$rows" -eq "$lines" ] || { echo "$layout: $1 wrote $rows table rows, expected $lines" >&2; exit 1; }
      elif [ -e "$work/out.table" ]; then
        echo "$layout: $1 wrote a table not asked for" >&2
        exit 1
      fi
      ;;
  esac
}

if [ -n "$older" ]; then
  printf 'this build against %s, medians of %s alternating runs (ms, kB)\n' "$against_commit" "$runs"
  printf '%-7s %9s %9s %6s %9s %9s %6s %9s %9s %8s\n' layout "this wall" "old wall" ratio "this CPU" "old CPU" \
    ratio "this kB" "old kB" "cat wall"
else
  printf 'medians of %s runs (ms, kB)\n' "$runs"
  printf '%-7s %9s %9s %9s %9s %9s %8s\n' layout "wall" "CPU" "kB" "cat wall" "cat kB" "/cat"
fi
for layout in hash fpfit; do
  "$work/generate_catalogue" "$layout" "$lines" 2010 >"$work/catalogue.$layout"
  run_commands "$layout" yes
  # The banner's Return, then the command file from the keyboard.
  printf '\n5000\n5001\nbench.cmd\n' >"$work/keyboard.txt"
  if [ -n "$older" ]; then
    alternate "$work/keyboard.txt" "$program" "$older" "cat catalogue.$layout"
    printf '%-7s %9s %9s %6s %9s %9s %6s %9s %9s %8s\n' "$layout" "$wall_ms_1" "$wall_ms_2" \
      "$(ratio "$wall_ms_1" "$wall_ms_2")" "$cpu_ms_1" "$cpu_ms_2" "$(ratio "$cpu_ms_1" "$cpu_ms_2")" \
      "$peak_kb_1" "$peak_kb_2" "$wall_ms_3"
  else
    alternate "$work/keyboard.txt" "$program" "cat catalogue.$layout"
    printf '%-7s %9s %9s %9s %9s %9s %8s\n' "$layout" "$wall_ms_1" "$cpu_ms_1" "$peak_kb_1" "$wall_ms_2" \
      "$peak_kb_2" "$(ratio "$wall_ms_1" "$wall_ms_2")"
  fi
done

if [ -n "$older" ]; then
  need_valgrind
  printf '\n%-32s %14s %14s %7s  %s\n' "instructions (callgrind)" this "$against_commit" ratio goal
  for layout in hash fpfit; do
    for table in no yes; do
      run_commands "$layout" "$table"
      instructions "$program" "$work/keyboard.txt"
      count_1=$count
      instructions "$older" "$work/keyboard.txt"
      goal "$run_name" "$count_1" "$count" 1.005
    done
  done
  for layout in hash fpfit; do
    for table in no yes; do
      run_commands "$layout" "$table"
      echo "$run_name:"
      compare_written "catalogue.$layout polygon.txt bench.cmd" keyboard.txt "$written"
    done
  done
  exit "$failed"
fi
