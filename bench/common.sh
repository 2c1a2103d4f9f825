# Shell helpers shared by the benchmark scripts (sourced, POSIX sh). They
# expect $root (the repository) and, for best, $work and $runs.

# Builds (or brings up to date) the optimised program of the bench preset.
build_dorvix() {
  (cd "$root" && cmake --preset bench >/dev/null && cmake --build --preset bench --target dorvix >/dev/null)
}

# The seeded catalogue generator, built into $work.
make_generator() {
  ${CXX:-c++} -std=c++20 -O2 -I"$root/tests/catalogue" "$root/bench/tools/generate_catalogue.cpp" \
    -o "$work/generate_catalogue"
}

# Best wall time in milliseconds (best_ms) of a command run in $work, over
# $runs runs.
best() {
  best_ms=
  i=0
  while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    (cd "$work" && sh -c "$1" >/dev/null 2>&1)
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    i=$((i + 1))
  done
}

# Size of a file in megabytes, one decimal.
size_mb() { awk -v b="$(wc -c <"$1")" 'BEGIN { printf "%.1f", b / 1e6 }'; }

# GMT psmeca's input from a HASH catalogue: longitude, latitude, depth,
# strike, dip, rake, magnitude.
meca_input() { awk '{ print $9, $8, $10, $12, $13, $14, $11 }' "$1" >"$2"; }

# A scratch directory $work (removed at exit) holding a generated HASH
# catalogue of $lines lines (catalogue.hash) and read_only.txt, the answers
# of a run that reads it and quits.
hash_catalogue_work() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  make_generator
  "$work/generate_catalogue" hash "$lines" 2010 >"$work/catalogue.hash"
  printf '\n1000\n1001\ncatalogue.hash\n\n9999\n' >"$work/read_only.txt"
}

# GMT is needed for the comparisons.
need_gmt() { command -v gmt >/dev/null || { echo "needs gmt (GMT) for the comparison" >&2; exit 1; }; }

# Reads "--against <commit>" at the front of a script's arguments: sets
# against (empty without it) and skip, the number of arguments it took
# (the script then shifts them away).
against_option() {
  against='' skip=0
  if [ "${1:-}" = --against ]; then
    [ $# -ge 2 ] || { echo "usage: $0 --against <commit> [runs]" >&2; exit 2; }
    against=$2 skip=2
  fi
}

# The program of an older commit, built from that commit's files (git
# archive) under build/against-<commit>, once: later calls find it there.
# Sets against_commit (the short hash) and older (the program).
build_against() {
  against_commit=$(cd "$root" && git rev-parse --short "$1^{commit}") || { echo "no commit $1" >&2; exit 2; }
  tree=$root/build/against-$against_commit
  if [ ! -x "$tree/build/dorvix" ]; then
    rm -rf "$tree"
    mkdir -p "$tree/src"
    (cd "$root" && git archive "$against_commit") | tar -x -C "$tree/src"
    cmake -S "$tree/src" -B "$tree/build" -DCMAKE_BUILD_TYPE=Release -DDORVIX_TESTS=OFF >/dev/null
    cmake --build "$tree/build" --target dorvix -j 8 >/dev/null
  fi
  older=$tree/build/dorvix
}

# The wrapper that measures one whole process (bench/tools/rusage_run.cpp),
# built into $work.
make_rusage_run() {
  ${CXX:-c++} -std=c++20 -O2 "$root/bench/tools/rusage_run.cpp" -o "$work/rusage_run"
}

# Hooks a script may redefine: called with the command before and after each
# timed run (to clear the files a run must not find, or check what it wrote).
bench_before() { :; }
bench_after() { :; }

# The instructions one whole run of a program ($1) executes in $work,
# standard input from the file $2, counted by valgrind's callgrind; the
# hook bench_before runs first. Needs valgrind (need_valgrind).
instructions() {
  bench_before "$1"
  (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" <"$2" 2>&1 >/dev/null) |
    awk '/Collected :/ { print $NF }'
}
need_valgrind() {
  command -v valgrind >/dev/null || { echo "needs valgrind for the instruction counts" >&2; exit 1; }
}

# One whole-process run, in $work, of a command (a program and its
# arguments), standard input from the file $1 and output discarded: sets
# wall_us, cpu_us (user + system) and peak_kb. A failing command ends the
# script.
timed_run() {
  input=$1
  shift
  (cd "$work" && "$work/rusage_run" "$work/rusage.txt" "$@" <"$input" >/dev/null 2>&1) ||
    { echo "failed: $* <$input" >&2; exit 1; }
  read -r wall_us user_us sys_us peak_kb <"$work/rusage.txt"
  cpu_us=$((user_us + sys_us))
}

# Runs each command given (split at blanks), standard input from the file
# $1, $runs times, the commands taking turns so that all of them see the
# same machine load. Sets, for the N-th command, wall_ms_N and cpu_ms_N
# (medians over the runs, milliseconds, one decimal) and peak_kb_N (the
# largest peak resident memory of its runs, kilobytes). Needs
# make_rusage_run.
alternate() {
  turn_input=$1
  shift
  turn_n=0
  for turn_command in "$@"; do turn_n=$((turn_n + 1)); : >"$work/turns.$turn_n"; done
  turn_i=0
  while [ "$turn_i" -lt "$runs" ]; do
    turn_n=0
    for turn_command in "$@"; do
      turn_n=$((turn_n + 1))
      bench_before "$turn_command"
      # shellcheck disable=SC2086 # a command is a program and its arguments
      timed_run "$turn_input" $turn_command
      bench_after "$turn_command"
      echo "$wall_us $cpu_us $peak_kb" >>"$work/turns.$turn_n"
    done
    turn_i=$((turn_i + 1))
  done
  turn_n=0
  for turn_command in "$@"; do
    turn_n=$((turn_n + 1))
    eval "$(awk -v n="$turn_n" '
      function median(v, k,   i, j, t) {
        for (i = 2; i <= k; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return k % 2 ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
      }
      { k++; wall[k] = $1; cpu[k] = $2; if ($3 > peak) peak = $3 }
      END { printf "wall_ms_%d=%.1f cpu_ms_%d=%.1f peak_kb_%d=%d\n", n, median(wall, k) / 1000, n, median(cpu, k) / 1000, n, peak }
    ' "$work/turns.$turn_n")"
  done
}

# $1 over $2, two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : a) }'; }


# The side-by-side table of a run against the older build: the whole run
# (answers $2), then the same less the run that only reads
# (read_only.txt), each in wall time, CPU time (user + system) and peak
# memory, with their ratios. $1 names the run in the table's head, $3 the
# part the difference stands for ("diagrams", "map"). The figures are told,
# not judged: the goal is in instructions (instruction_goal).
report_against() {
  alternate "$work/read_only.txt" "$program" "$older"
  read_wall_1=$wall_ms_1 read_cpu_1=$cpu_ms_1 read_wall_2=$wall_ms_2 read_cpu_2=$cpu_ms_2
  alternate "$work/$2" "$program" "$older"
  less() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a - b }'; }
  printf '%-32s %10s %10s %7s\n' "$1" this "$against_commit" ratio
  printf '%-32s %10s %10s %7s\n' "wall ms" "$wall_ms_1" "$wall_ms_2" "$(ratio "$wall_ms_1" "$wall_ms_2")"
  printf '%-32s %10s %10s %7s\n' "CPU ms (user + system)" "$cpu_ms_1" "$cpu_ms_2" "$(ratio "$cpu_ms_1" "$cpu_ms_2")"
  printf '%-32s %10s %10s %7s\n' "peak memory kB" "$peak_kb_1" "$peak_kb_2" "$(ratio "$peak_kb_1" "$peak_kb_2")"
  wall_1=$(less "$wall_ms_1" "$read_wall_1") wall_2=$(less "$wall_ms_2" "$read_wall_2")
  cpu_1=$(less "$cpu_ms_1" "$read_cpu_1") cpu_2=$(less "$cpu_ms_2" "$read_cpu_2")
  printf '%-32s %10s %10s %7s\n' "$3 less read, wall ms" "$wall_1" "$wall_2" "$(ratio "$wall_1" "$wall_2")"
  printf '%-32s %10s %10s %7s\n' "$3 less read, CPU ms" "$cpu_1" "$cpu_2" "$(ratio "$cpu_1" "$cpu_2")"
}

# The goal of a script against the commit it is given: this build's
# instructions ($2) at most $4 times the older build's ($3). Prints the row
# of $1 with its ratio (four decimals) and the verdict, judged on the
# ratio before rounding; a goal not met sets goal_missed=1.
goal_missed=0
instruction_goal() {
  r=$(awk -v a="$2" -v b="$3" 'BEGIN { printf "%.4f", (b > 0 ? a / b : a) }')
  if awk -v a="$2" -v b="$3" -v g="$4" 'BEGIN { exit !(b > 0 && a <= g * b) }'; then
    verdict=met
  else
    verdict="NOT met" goal_missed=1
  fi
  printf '%-32s %14s %14s %7s  <= %s %s\n' "$1" "$2" "$3" "$r" "$4" "$verdict"
}

# The instructions of this build and the older one, counted by callgrind,
# on the answers $2 (a file of $work): the whole run beside its goal (at
# most $3 times the older build's; instruction_goal), then the run that
# only reads (read_only.txt) and the whole run less it, which stands for
# the part $4 ("diagrams", "map"). $1 names the whole run.
instructions_against() {
  run_1=$(instructions "$program" "$work/$2") run_2=$(instructions "$older" "$work/$2")
  read_1=$(instructions "$program" "$work/read_only.txt") read_2=$(instructions "$older" "$work/read_only.txt")
  less_1=$((run_1 - read_1)) less_2=$((run_2 - read_2))
  printf '%-32s %14s %14s %7s  %s\n' "instructions (callgrind)" this "$against_commit" ratio goal
  instruction_goal "$1" "$run_1" "$run_2" "$3"
  printf '%-32s %14s %14s %7s\n' "read only" "$read_1" "$read_2" \
    "$(awk -v a="$read_1" -v b="$read_2" 'BEGIN { printf "%.3f", a / b }')"
  printf '%-32s %14s %14s %7s\n' "$4 less read" "$less_1" "$less_2" \
    "$(awk -v a="$less_1" -v b="$less_2" 'BEGIN { printf "%.3f", a / b }')"
}

# The deliberate changes of the files a script compares, one a word of
# $changes, "commit:name" (name a file compared, or "console"), each told
# in the script's comment. A file that differs from the older build's
# because the older commit does not hold a change of it yet is reported as
# that change, and is no failure; every other difference is.
changes=''
# Prints the commits of $changes that change $1 and that the older build's
# commit ($against_commit) does not hold; nothing when it holds them all.
changes_not_held() {
  for change in $changes; do
    [ "${change#*:}" = "$1" ] || continue
    (cd "$root" && git merge-base --is-ancestor "${change%%:*}" "$against_commit") || printf ' %s' "${change%%:*}"
  done
}

# Runs this build ($program) and the older one ($older) once more, each in a
# directory of its own ($work/this, $work/older) holding links to the files
# of $work named in $1 (separated by blanks), standard input from the file
# $2 of $work, and compares the files named in $3 that the two wrote: byte
# for byte, the run's date and time on the caption's "Run on" lines aside.
# Prints one line a file; returns non-zero if any differs otherwise than
# by a change of $changes that the older commit does not hold.
compare_written() {
  for side in this older; do
    rm -rf "${work:?}/$side"
    mkdir "$work/$side"
    for name in $1; do ln -s "$work/$name" "$work/$side/$name"; done
    if [ "$side" = this ]; then binary=$program; else binary=$older; fi
    (cd "$work/$side" && "$binary" <"$work/$2" >/dev/null 2>&1) || { echo "failed: $binary <$2" >&2; exit 1; }
  done
  differ=0
  for name in $3; do
    if cmp -s "$work/this/$name" "$work/older/$name"; then
      printf '%s: identical\n' "$name"
      continue
    fi
    for side in this older; do
      sed -E '/Run on /{s/[0-9]{2}-[0-9]{2}-[0-9]{4}/dd-mm-yyyy/g;s/[0-9]{2}:[0-9]{2}:[0-9]{2}/hh:mm:ss/g;}' \
        "$work/$side/$name" >"$work/$side/$name.masked"
    done
    if cmp -s "$work/this/$name.masked" "$work/older/$name.masked"; then
      masked=$(cmp -l "$work/this/$name" "$work/older/$name" | wc -l)
      printf '%s: identical apart from the run date and time (%s bytes of "Run on" lines)\n' "$name" "$masked"
    else
      first=$(cmp "$work/this/$name.masked" "$work/older/$name.masked" | sed 's/.*: //')
      not_held=$(changes_not_held "$name")
      if [ -n "$not_held" ]; then
        printf '%s: differs, first at %s, as changed by%s, which %s does not hold\n' "$name" "$first" "$not_held" \
          "$against_commit"
      else
        printf '%s: DIFFERS, first at %s\n' "$name" "$first"
        differ=1
      fi
    fi
    rm -f "$work/this/$name.masked" "$work/older/$name.masked"
  done
  return "$differ"
}
