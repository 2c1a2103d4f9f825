# Shell helpers shared by the benchmark scripts (sourced, POSIX sh). They
# expect $root (the repository) and, for best, $work and $runs.
#
# The catalogues are of $lines mechanisms: 60000, the store's capacity,
# unless DORVIX_BENCH_LINES gives fewer (the test of the scripts' verdicts,
# tests/tools/bench_verdicts.sh, runs them on 200).

# The verdict of a script with --against: 1 once a goal is not met, a
# count is missing or a comparison with the older build fails, and nothing
# sets it back; the script exits with it.
failed=0

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

# The default-settings file of the dialect $1 in $work: overlay off, one
# copy, portrait.
settings() { printf '  F   1 P    %s\n' "$1" >"$work/kavro7_ini.txt"; }

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

# Hooks a script may redefine: called with the command and the file of
# its standard input before and after each measured run (to clear the files
# a run must not find, or check what it wrote; a check that fails ends the
# script with status 1).
bench_before() { :; }
bench_after() { :; }

# The exit statuses of this build's run ($1) and the older build's ($2) on
# the same standard input ($3, a file): when they differ, prints the line
# that gives both and sets failed; returns non-zero when they do not.
statuses_differ() {
  [ "$1" != "$2" ] || return 1
  printf 'status: DIFFERS, this build %s, %s %s, on %s\n' "$1" "$against_commit" "$2" "${3##*/}"
  failed=1
}

# The instructions one whole run of a program ($1) executes in $work,
# standard input from the file $2, counted by valgrind's callgrind: sets
# count. The hooks run in this shell, bench_before first and bench_after
# last (after a run that ended with 0), so that a check of what the run
# wrote ends the script when it fails. A run that ends with a non-zero
# status (the program's, or valgrind's) or without a count in callgrind's
# report leaves count empty and sets failed: every verdict takes a missing
# count as a goal not met. The older build's run ($older) on the same
# answers as this build's ($program) just before it tells the two exit
# statuses when they differ (statuses_differ). Needs valgrind
# (need_valgrind).
instructions() {
  bench_before "$1" "$2"
  count='' run_status=0
  if (cd "$work" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" <"$2" >/dev/null \
    2>"$work/callgrind.txt"); then
    count=$(awk '/Collected :/ { print $NF }' "$work/callgrind.txt")
  else
    run_status=$?
  fi
  if ! is_count "$count"; then
    echo "no instruction count: $1 <$2" >&2
    tail -n 3 "$work/callgrind.txt" >&2
    count='' failed=1
  fi
  if [ "$1" = "$program" ]; then
    counted_status=$run_status counted_input=$2
  elif [ "$1" = "${older:-}" ] && [ "${counted_input:-}" = "$2" ]; then
    statuses_differ "$counted_status" "$run_status" "$2" || :
  fi
  if [ "$run_status" -eq 0 ]; then bench_after "$1" "$2"; fi
}
need_valgrind() {
  command -v valgrind >/dev/null || { echo "needs valgrind for the instruction counts" >&2; exit 1; }
}

# One whole-process run, in $work, of a command (a program and its
# arguments), standard input from the file $1 and output discarded: sets
# run_status, the command's exit status, and after a run that ended with 0
# wall_us, cpu_us (user + system) and peak_kb. The caller judges a run
# that failed (end_failed_runs).
timed_run() {
  input=$1
  shift
  run_status=0
  (cd "$work" && "$work/rusage_run" "$work/rusage.txt" "$@" <"$input" >/dev/null 2>&1) || run_status=$?
  if [ "$run_status" -eq 0 ]; then
    read -r wall_us user_us sys_us peak_kb <"$work/rusage.txt"
    cpu_us=$((user_us + sys_us))
  fi
}

# Ends the script after runs on the standard input $1 of which one failed,
# $2 the first that did (a command): with the line of both exit statuses
# when this build's run ($3, its status) and the older build's ($4) ended
# differently (statuses_differ), else with "failed:" and the command. $3
# or $4 is empty when that build made no run.
end_failed_runs() {
  if [ -n "$3" ] && [ -n "$4" ] && statuses_differ "$3" "$4" "$1"; then exit 1; fi
  echo "failed: $2 <$1" >&2
  exit 1
}

# Runs each command given (split at blanks), standard input from the file
# $1, $runs times, the commands taking turns so that all of them see the
# same machine load. Sets, for the N-th command, wall_ms_N and cpu_ms_N
# (medians over the runs, milliseconds, one decimal) and peak_kb_N (the
# largest peak resident memory of its runs, kilobytes). A turn in which a
# command fails ends the script once every command of it has run, so that
# the exit statuses of this build ($program) and the older one ($older)
# can be told side by side (end_failed_runs). Needs make_rusage_run.
alternate() {
  turn_input=$1
  shift
  turn_n=0
  for turn_command in "$@"; do turn_n=$((turn_n + 1)); : >"$work/turns.$turn_n"; done
  turn_i=0
  while [ "$turn_i" -lt "$runs" ]; do
    turn_n=0 turn_failed='' turn_this='' turn_older=''
    for turn_command in "$@"; do
      turn_n=$((turn_n + 1))
      bench_before "$turn_command" "$turn_input"
      # shellcheck disable=SC2086 # a command is a program and its arguments
      timed_run "$turn_input" $turn_command
      case $turn_command in
        "$program") turn_this=$run_status ;;
        "${older:-}") turn_older=$run_status ;;
      esac
      if [ "$run_status" -ne 0 ]; then
        if [ -z "$turn_failed" ]; then turn_failed=$turn_command; fi
        continue
      fi
      bench_after "$turn_command" "$turn_input"
      echo "$wall_us $cpu_us $peak_kb" >>"$work/turns.$turn_n"
    done
    if [ -n "$turn_failed" ]; then end_failed_runs "$turn_input" "$turn_failed" "$turn_this" "$turn_older"; fi
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

# Is $1 a count: digits, at least one?
is_count() {
  case $1 in
    '' | *[!0-9]*) return 1 ;;
  esac
}

# $1 less $2 when both are counts, else nothing.
less_count() { if is_count "$1" && is_count "$2"; then echo $(($1 - $2)); fi; }

# $1 over $2, four decimals; "-" when either is not a number or $2 is not
# above 0.
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    n = "^-?[0-9]+([.][0-9]+)?$"
    if (a ~ n && b ~ n && b > 0) printf "%.4f", a / b; else printf "-"
  }'
}

# The side-by-side table of a run against the older build: the whole run
# (answers $2), then the same less the run that only reads
# (read_only.txt), each in wall time, CPU time (user + system) and peak
# memory, with their ratios. $1 names the run in the table's head, $3 the
# part the difference stands for ("diagrams", "map"). The figures are told,
# not judged: the goal is in instructions (goal).
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

# A goal: this build's figure $2 at most $4 times the figure $3 (the older
# build's, or another run's). Prints the row of $1 with both figures, their
# ratio (four decimals) and the verdict, judged on the ratio before
# rounding. A figure that is missing or not a number, or a figure $3 not
# above 0, is a goal not met. A goal not met sets failed.
goal() {
  if awk -v a="$2" -v b="$3" -v g="$4" 'BEGIN {
    n = "^[0-9]+([.][0-9]+)?$"
    exit !(a ~ n && b ~ n && b > 0 && a <= g * b)
  }'; then
    verdict=met
  else
    verdict="NOT met" failed=1
  fi
  printf '%-32s %14s %14s %7s  <= %s %s\n' "$1" "${2:--}" "${3:--}" "$(ratio "$2" "$3")" "$4" "$verdict"
}

# The instructions of this build and the older one, counted by callgrind,
# on the answers $2 (a file of $work): the whole run beside its goal (at
# most $3 times the older build's; goal), then the run that only reads
# (read_only.txt, counted once a script) and the whole run less it, which
# stands for the part $4 ("diagrams", "map"). $1 names the whole run.
read_only_1='' read_only_2=''
instructions_against() {
  instructions "$program" "$work/$2"
  run_1=$count
  instructions "$older" "$work/$2"
  run_2=$count
  if [ -z "$read_only_1" ] || [ -z "$read_only_2" ]; then
    instructions "$program" "$work/read_only.txt"
    read_only_1=$count
    instructions "$older" "$work/read_only.txt"
    read_only_2=$count
  fi
  less_1=$(less_count "$run_1" "$read_only_1") less_2=$(less_count "$run_2" "$read_only_2")
  printf '%-32s %14s %14s %7s  %s\n' "instructions (callgrind)" this "$against_commit" ratio goal
  goal "$1" "$run_1" "$run_2" "$3"
  printf '%-32s %14s %14s %7s\n' "read only" "${read_only_1:--}" "${read_only_2:--}" \
    "$(ratio "$read_only_1" "$read_only_2")"
  printf '%-32s %14s %14s %7s\n' "$4 less read" "${less_1:--}" "${less_2:--}" "$(ratio "$less_1" "$less_2")"
}

# The deliberate changes of the files a script compares, one a word of
# $changes, "commit:name" (name a file compared, or "console"), each told
# in the script's comment. A file that differs from the older build's
# because the older commit does not hold a change of it yet is reported as
# that change, and is no failure, when the difference is that change and
# nothing else: the function excuse_<commit> below takes out of the texts
# what the change did, where it did it, and the texts must then be
# identical. Every other difference is a failure.
changes=''
# Prints the commits of $changes that change $1 and that the older build's
# commit ($against_commit) does not hold; nothing when it holds them all.
changes_not_held() {
  for change in $changes; do
    [ "${change#*:}" = "$1" ] || continue
    (cd "$root" && git merge-base --is-ancestor "${change%%:*}" "$against_commit") || printf ' %s' "${change%%:*}"
  done
}

# The file $1 rewritten by the awk program $2 (further arguments go to
# awk before the file).
rewrite() {
  rewrite_file=$1 rewrite_program=$2
  shift 2
  awk "$@" "$rewrite_program" "$rewrite_file" >"$rewrite_file.new" && mv "$rewrite_file.new" "$rewrite_file"
}

# The excuses: each takes this build's text ($1) and the older build's
# ($2) and rewrites them without what its change did, and only that: what
# the change writes goes where the change writes it, once there, not
# wherever the same text stands, so that a copy elsewhere or a second one
# is still a difference; and a line that the change adds goes from this
# build's text, one that it no longer writes from the older build's, when
# the other text cannot hold it.

# a32f500: the stress symbols' directions measured in double precision: a
# point of a path (two numbers and moveto or lineto, in any dialect) moves
# by at most 0.01 pt. Such a line of this build's text takes the older's.
excuse_a32f500() {
  rewrite "$1" '
    function near(a, b) { return a - b <= 0.0100001 && b - a <= 0.0100001 }
    {
      if ((getline o < older) <= 0) o = ""
      if ($0 != o && NF == 3 && $3 ~ /^(M|L|m|l|moveto|lineto)$/ && split(o, f) == 3 && f[3] == $3 &&
          near($1, f[1]) && near($2, f[2])) {
        print o
      } else {
        print
      }
    }' -v older="$2"
}

# c4699dc: each page sets at its start, right after its %%Page comment,
# the line width it draws with and then the colour: those two lines go;
# and every caption is at the user's text size: in the captions that open
# a page (dialects 1 and 2), the text size and the height of each line are
# masked, their texts and the rest kept.
excuse_c4699dc() {
  for excused in "$1" "$2"; do
    rewrite "$excused" '{
      if (start == 1 && $0 ~ /^[0-9]+[.][0-9]+ (slw|setlinewidth|w)$/) { start = 2; next }
      if (start == 2 && $0 ~ / setrgbcolor$/) { start = 3; next }
      if (start > 0) {
        if ($0 ~ /^[0-9]+[.][0-9]+ [0-9]+[.][0-9]+ (M|moveto)$/) { print $1, "y", $3; start = 3; next }
        if ($0 ~ /^[0-9]+ (HPP sym|\/Helvetica findfont exch scalefont setfont)$/) { sub(/^[0-9]+/, "size"); print; next }
        if ($0 ~ /^\(.*\)( show)?$/ || $0 ~ / setrgbcolor$/ || $0 == "show" || $0 == "sl -2 div 0 G" ||
            $0 == "dup stringwidth pop -2 div 0 rmoveto") { start = 3; print; next }
      }
      start = $0 ~ /^%%Page: / ? 1 : 0
      print
    }'
  done
}

# d361b8e: a dialect-3 file that comes to a second page has the head of a
# file of pages (%!PS-Adobe-2.0 and %%Pages: (atend) for %!PS-Adobe-2.0
# EPSF-1.2), the comment of page 1 right after the prolog (whose last line
# is the first "1 J"), a showpage ending its last page and the count of
# pages right after %%Trailer: in a dialect-3 file with a page 2, these go
# and the head is the drawing's.
excuse_d361b8e() {
  for excused in "$1" "$2"; do
    paged=0
    if grep -q '^%%Page: *2 *2$' "$excused"; then paged=1; fi
    rewrite "$excused" '
      { before = previous; previous = $0 }
      NR == 1 { pages = paged && $0 ~ /^%!PS-Adobe-2[.]0( EPSF-1[.]2)?$/ }
      !pages { print; next }
      NR == 1 { print "%!PS-Adobe-2.0 EPSF-1.2"; next }
      NR == 2 && $0 == "%%Pages: (atend)" { next }
      !prolog && before == "1 J" { prolog = 1; if ($0 ~ /^%%Page: +1 +1$/) next }
      held != "" { if ($0 != "%%PageTrailer") print held; held = "" }
      $0 == "showpage" { held = $0; next }
      before == "%%Trailer" && /^%%Pages: +[0-9]+$/ { next }
      { print }
      END { if (held != "") print held }' -v paged="$paged"
  done
}

# dd1e086: each page starts with the colour in force, set where the page
# first needs it: between the %%Page comment and the first line that paints
# (shows a text, strokes or fills), the colour lines are taken to just
# before that line.
excuse_dd1e086() {
  for excused in "$1" "$2"; do
    rewrite "$excused" '
      /^%%Page: / { printf "%s", held; held = ""; opening = 1; print; next }
      opening && / setrgbcolor$/ { held = held $0 "\n"; next }
      opening && $NF ~ /^(show|sk|stroke|fill|S|s|b|B|f|F)$/ { printf "%s", held; held = ""; opening = 0 }
      { print }
      END { printf "%s", held }'
  done
}

# db79040 (console): no warning that the data may not have been fully read
# after a catalogue of exactly 60000 lines: the warning's box of seven
# lines, which the older build writes right after the last row (Depth
# mini) of the report of a read that read and kept 60000, goes from the
# older build's text, once a read.
excuse_db79040() {
  rewrite "$2" '
    { line[NR] = $0 }
    END {
      rule = " "; for (k = 0; k < 43; k++) rule = rule "/"
      for (i = 1; i <= NR; i++) {
        print line[i]
        if (line[i] ~ /^ \| Nb of data \|/) full = line[i] ~ /^ \| Nb of data \| +60000 \| +60000 \|$/
        if (full && line[i] ~ /^ \| Depth mini \|/ && line[i + 1] == rule &&
            line[i + 2] ~ /^ \/\/\/ +subroutine fpsreadex1 +\/\/\/$/ && line[i + 3] ~ /^ \/\/\/ +WARNING +\/\/\/$/ &&
            line[i + 4] == rule && line[i + 5] == " data may not have been fully read" && line[i + 7] == rule) {
          i += 7
          full = 0
        }
      }
    }'
}

# 438e54d (console): a map whose graticule's ticks or labels reach off the
# page says so in one line right after the graticule's report (the box of
# drawllgrid, closed by its rule of 43 "@"): that line goes from this
# build's text, once a report.
excuse_438e54d() {
  rewrite "$1" '
    BEGIN { closing = " "; for (k = 0; k < 43; k++) closing = closing "@" }
    after_grid && $0 == " ticks or labels reach off the page: a smaller tic size (320, 33) shortens them" {
      after_grid = 0
      next
    }
    { after_grid = grid && $0 == closing; if (after_grid) grid = 0 }
    /^ @ subroutine drawllgrid *$/ { grid = 1 }
    { print }'
}

# The verdict on a text that differs from the older build's: $2 this
# build's, $3 the older's (both masked copies, which it rewrites), $1 the
# name $changes gives it. Each change of $1 that the older commit does not
# hold takes out what it did; the difference is excused when the texts are
# then identical. Prints the line of $1; returns non-zero when the
# difference is not excused.
judge_difference() {
  first=$(first_difference "$2" "$3")
  not_held=$(changes_not_held "$1")
  for commit in $not_held; do "excuse_$commit" "$2" "$3"; done
  if [ -z "$not_held" ]; then
    printf '%s: DIFFERS, first at %s\n' "$1" "$first"
    return 1
  fi
  if cmp -s "$2" "$3"; then
    printf '%s: differs, first at %s, only as changed by%s, which %s does not hold\n' "$1" "$first" "$not_held" \
      "$against_commit"
    return 0
  fi
  printf '%s: DIFFERS, first at %s, and with the changes of%s taken out at %s\n' "$1" "$first" "$not_held" \
    "$(first_difference "$2" "$3")"
  return 1
}

# Where this build's text ($1) and the older build's ($2) first differ, as
# cmp tells it: "byte N, line M", or, where one is the other's beginning,
# the end of the shorter and after which byte and line it comes.
first_difference() {
  cmp "$1" "$2" 2>&1 | sed -e "s|^cmp: EOF on $1 |the end of this build's text, |" \
    -e "s|^cmp: EOF on $2 |the end of $against_commit's text, |" -e '/^the end of /!s/.*: //'
}

# A text of a run ($2, a file, or its console) with the run's date and
# time masked, into $3: on the lines that carry them (a caption's "Run
# on", the banner's "Running on:", the console's "EXECUTION TERMINATED
# AT:"). A console's closing block also holds a picture that the last
# digit of that time chooses: the block's line of that time, its rule of
# "@" and 42 dashes, the picture (an empty row, its rows, an empty row,
# each after a blank) and the block's closing rule of 43 "@". The picture,
# and nothing else, is one line in the copy; every line before and after
# it is kept. $1 names the text.
masked_copy() {
  sed -E '/Run on |Running on: |EXECUTION TERMINATED AT/{s/[0-9]{2}-[0-9]{2}-[0-9]{4}/dd-mm-yyyy/g;s/[0-9]{2}:[0-9]{2}:[0-9]{2}/hh:mm:ss/g;}' \
    "$2" | if [ "$1" = console ]; then
    awk '
      function flush(   k) { for (k = 1; k <= n; k++) print held[k]; n = 0 }
      BEGIN {
        dashes = " @"; for (k = 0; k < 42; k++) dashes = dashes "-"
        closing = " "; for (k = 0; k < 43; k++) closing = closing "@"
      }
      picture && $0 == closing {
        if (n >= 2 && held[1] ~ /^ +$/ && held[n] ~ /^ +$/) { print " (the end picture)"; n = 0 }
        picture = 0
      }
      picture && /^ / { held[++n] = $0; next }
      picture { picture = 0 }
      { flush(); print }
      { picture = timed && $0 == dashes; timed = /^ @ EXECUTION TERMINATED AT: / }
      END { flush() }'
  else cat; fi >"$3"
}

# Compares a text that this build wrote ($2) with the older build's ($3),
# $1 its name: byte for byte, the run's date and time aside (masked_copy).
# Prints its line; a difference that is not excused (judge_difference)
# sets failed.
compare_text() {
  if cmp -s "$2" "$3"; then
    printf '%s: identical\n' "$1"
    return 0
  fi
  masked_copy "$1" "$2" "$work/this.masked"
  masked_copy "$1" "$3" "$work/older.masked"
  if cmp -s "$work/this.masked" "$work/older.masked"; then
    printf '%s: identical apart from the run date and time\n' "$1"
  else
    judge_difference "$1" "$work/this.masked" "$work/older.masked" || failed=1
  fi
  rm -f "$work/this.masked" "$work/older.masked"
}

# Runs this build ($program) and the older one ($older) once more, each in a
# directory of its own ($work/this, $work/older) holding copies of the files
# of $work named in $1 (separated by blanks), standard input from the file
# $2 of $work, and compares all that the two runs leave: their exit status
# (0 for both), their console texts ("console", standard output and error)
# and every file in the two directories, the copies included; each file
# named in $3 must be there. Prints one line a text (compare_text), and
# the exit statuses when they differ or both are not 0; a run that fails,
# a file that one build wrote and the other did not, or a text that
# differs otherwise than by a change of $changes that the older commit
# does not hold sets failed.
compare_written() {
  for side in this older; do
    rm -rf "${work:?}/$side" "$work/$side.console"
    mkdir "$work/$side"
    for name in $1; do cp "$work/$name" "$work/$side/$name"; done
    if [ "$side" = this ]; then binary=$program; else binary=$older; fi
    status=0
    (cd "$work/$side" && "$binary" <"$work/$2" >"$work/$side.console" 2>&1) || status=$?
    if [ "$side" = this ]; then status_this=$status; else status_older=$status; fi
  done
  if statuses_differ "$status_this" "$status_older" "$work/$2"; then
    :
  elif [ "$status_this" -ne 0 ]; then
    printf 'status: FAILED, this build %s, %s %s\n' "$status_this" "$against_commit" "$status_older"
    failed=1
  fi
  compare_text console "$work/this.console" "$work/older.console"
  for name in $( (ls -A "$work/this" && ls -A "$work/older") | sort -u); do
    if [ ! -e "$work/older/$name" ]; then
      printf '%s: DIFFERS, written by this build only\n' "$name"
      failed=1
    elif [ ! -e "$work/this/$name" ]; then
      printf '%s: DIFFERS, written by %s only\n' "$name" "$against_commit"
      failed=1
    else
      compare_text "$name" "$work/this/$name" "$work/older/$name"
    fi
  done
  for name in $3; do
    if [ ! -e "$work/this/$name" ] && [ ! -e "$work/older/$name" ]; then
      printf '%s: NOT WRITTEN by either build\n' "$name"
      failed=1
    fi
  done
}
