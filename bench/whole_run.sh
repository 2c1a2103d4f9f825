#!/bin/sh
# Whole runs of dorvix on generated 60000-line catalogues (HASH and FPFIT):
# through a command file, read with every extraction test on, write the
# catalogue back in its layout and as a table, quit. Reports wall time and
# peak memory of each run next to `cat` of the same catalogue, the floor of
# reading the file at all.
#
# Usage: bench/whole_run.sh [runs]                  (default 5; the best run is shown)
#        bench/whole_run.sh --against <commit> [runs]
# Builds (or brings up to date) the optimised program of the bench preset.
# With --against, the program of an older commit is built too (from the
# commit's files, under build/against-<commit>), and the two are timed side
# by side in one run, alternating, so that both see the same machine load;
# the ratio is this build's time over the older one's.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
against=
if [ "${1:-}" = --against ]; then
  [ $# -ge 2 ] || { echo "usage: $0 --against <commit> [runs]" >&2; exit 2; }
  against=$2
  shift 2
fi
runs=${1:-5}
lines=60000
program=$root/build/bench/dorvix
. "$root/bench/common.sh"
build_dorvix
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (GNU time) for peak memory" >&2; exit 1; }

older=
if [ -n "$against" ]; then
  commit=$(cd "$root" && git rev-parse --short "$against^{commit}")
  tree=$root/build/against-$commit
  if [ ! -x "$tree/build/dorvix" ]; then
    rm -rf "$tree"
    mkdir -p "$tree/src"
    (cd "$root" && git archive "$commit") | tar -x -C "$tree/src"
    cmake -S "$tree/src" -B "$tree/build" -DCMAKE_BUILD_TYPE=Release -DDORVIX_TESTS=OFF >/dev/null
    cmake --build "$tree/build" --target dorvix -j 8 >/dev/null
  fi
  older=$tree/build/dorvix
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_generator

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

# One timed run, in the work directory, of a program (a path) or of "cat"
# on the catalogue, standard input from $2: sets ms (wall time in
# milliseconds) and kb (peak memory). A run of dorvix starts with no
# output files, and must write every mechanism back.
run_once() {
  rm -f "$work/out.catalogue" "$work/out.table"
  if [ "$1" = cat ]; then
    set -- cat "$2" "catalogue.$layout"
  else
    set -- "$1" "$2"
  fi
  start=$(date +%s%N)
  (cd "$work" && /usr/bin/time -f '%M' -o "$work/time.txt" "$1" ${3:+"$3"} <"$2" >/dev/null 2>&1)
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  kb=$(tail -n 1 "$work/time.txt")
  if [ "$1" != cat ]; then
    kept=$(wc -l <"$work/out.catalogue")
    [ "$kept" -eq "$lines" ] || { echo "$layout: $1 wrote $kept lines, expected $lines" >&2; exit 1; }
  fi
}

# Best time and largest peak memory over the runs of each command given,
# the commands taking turns: best_ms_N, peak_kb_N for the N-th.
measure() {
  input=$1
  shift
  i=0
  while [ "$i" -lt "$runs" ]; do
    n=0
    for command in "$@"; do
      n=$((n + 1))
      run_once "$command" "$input"
      eval "best=\${best_ms_$n:-}; peak=\${peak_kb_$n:-}"
      if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then eval "best_ms_$n=$ms"; fi
      if [ -z "$peak" ] || [ "$kb" -gt "$peak" ]; then eval "peak_kb_$n=$kb"; fi
    done
    i=$((i + 1))
  done
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : a) }'; }

if [ -n "$older" ]; then
  printf 'this build against %s, best of %s alternating runs\n' "$commit" "$runs"
  printf '%-7s %10s %10s %8s %10s %10s %8s %10s\n' layout "this ms" "$commit ms" ratio "this kB" \
    "$commit kB" "cat ms" "this/cat"
else
  printf '%-7s %10s %12s %10s %12s %8s\n' layout "dorvix ms" "dorvix kB" "cat ms" "cat kB" ratio
fi
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
  unset best_ms_1 best_ms_2 best_ms_3 peak_kb_1 peak_kb_2 peak_kb_3

  if [ -n "$older" ]; then
    measure "$work/keyboard.txt" "$program" "$older"
    this_ms=$best_ms_1 this_kb=$peak_kb_1 old_ms=$best_ms_2 old_kb=$peak_kb_2
    unset best_ms_1 peak_kb_1
    measure "$work/empty.txt" cat
    printf '%-7s %10s %10s %8s %10s %10s %8s %10s\n' "$layout" "$this_ms" "$old_ms" "$(ratio "$this_ms" "$old_ms")" \
      "$this_kb" "$old_kb" "$best_ms_1" "$(ratio "$this_ms" "$best_ms_1")"
  else
    measure "$work/empty.txt" cat
    cat_ms=$best_ms_1 cat_kb=$peak_kb_1
    unset best_ms_1 peak_kb_1
    measure "$work/keyboard.txt" "$program"
    printf '%-7s %10s %12s %10s %12s %8s\n' "$layout" "$best_ms_1" "$peak_kb_1" "$cat_ms" "$cat_kb" \
      "$(ratio "$best_ms_1" "$cat_ms")"
  fi
done
