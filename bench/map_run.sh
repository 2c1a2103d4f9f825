#!/bin/sh
# A map of 60000 mechanisms next to GMT's psmeca drawing the same
# mechanisms on a Mercator map of the same window, or next to the build of
# an older commit.
#
# dorvix reads a generated 60000-line HASH catalogue and runs option 2001
# with the Si-Sh file on: Mercator (the default projection), the graticule
# window on the catalogue (32 to 37 N, 121 to 114 W, fitted to the page),
# line-file and point menus off, then RUN: caption, graticule, epicentres,
# one stress symbol per mechanism with its listing on the console and its
# Si-Sh row. The map time is that run less a run that only reads the
# catalogue and quits. It runs in the default dialect (2), the Compressed
# dialect (1) and the Illustrator dialect (3). GMT draws the same
# mechanisms (plane 1 of each line) in one psmeca call with both nodal
# planes and the P and T axes: -JM17c -Sa0.4c -T0 -Fa0.1c/cc.
# Prints wall times (best of the runs) and PostScript and Si-Sh sizes.
#
# With --against <commit>, the program of that commit is built too (under
# build/against-<commit>) and, in each dialect (1, 2 and 3), the two take
# turns on the map: medians of wall and CPU time (user + system) of the
# whole process, its largest peak memory, and the same less the read-only
# run, told beside the older build's; and the instructions of one run of
# each, counted by valgrind's callgrind: the whole run beside its goal (at
# most 1.01 times the commit's in the same dialect), the read-only run and
# the map less it. Every run must write the map and 60000 Si-Sh rows, and
# every count must be there. Then the peak memory of the map in dialect 3
# beside dialect 2's, this build's, with its goal: at most 1.05 times. Then
# each build draws the map once more in each dialect in a directory of its
# own, and all that the two leave is compared (bench/common.sh,
# compare_written): exit status, console text and every file, the map and
# the Si-Sh file among them, byte for byte, the run's date and time aside
# (and the end-of-run picture, which the clock chooses); so is all that
# four maps drawn with the colour table changed between them leave. The
# texts changed on purpose since these comparisons were written are these;
# one that differs from the build of a commit that does not hold its
# change yet is told so, and is no failure, when that change is all that
# differs: the change is taken out of the texts where it wrote
# (bench/common.sh, excuse_<commit>; in the order below) and they must
# then be identical:
#   dd1e086  map.ps   each page starts with the colour in force, which an
#                     edited colour-table entry no longer changes: the
#                     colour lines of a page's start move to where it
#                     first paints;
#   d361b8e  map.ps   a dialect-3 file that comes to a second page has the
#                     head, page comments and trailer of a file of pages;
#   c4699dc  map.ps   each page sets at its start the line width and colour
#                     it draws with (and every caption is at the user's text
#                     size, which these runs leave at its default);
#   db79040  console  no warning that the data may not have been fully
#                     read after a catalogue of exactly 60000 lines;
#   a32f500  map.ps   the stress symbols' directions measured in double
#                     precision: a point of a path moves by at most 0.01 pt.
#   438e54d  console  a line after the graticule's report says that its
#                     ticks or labels reach off the page (the 1-degree ticks
#                     of this window do).
# The script exits 1 when a goal is not met, a count is missing, a run
# writes what it should not, or a text differs otherwise: a failure
# anywhere, whatever the measurements and comparisons after it find.
#
# Usage: bench/map_run.sh [runs]                   (default 3)
#        bench/map_run.sh --against <commit> [runs] (default 5)
# Builds (or brings up to date) the optimised program of the bench preset.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/common.sh"
against_option "$@"
shift "$skip"
lines=${DORVIX_BENCH_LINES:-60000}
program=$root/build/bench/dorvix
build_dorvix
if [ -n "$against" ]; then
  runs=${1:-5}
  need_valgrind
  build_against "$against"
else
  runs=${1:-3}
  need_gmt
fi
hash_catalogue_work

# Keyboard answers (besides read_only.txt): the banner's Return, the read
# and a blank line, which the top menu's choice reads past (before db79040
# it closed the warning of a full store), then for the map: the Si-Sh
# switch and file, the graticule window, line files and points off, RUN
# with the default plot settings, leave, quit and close the plot file.
printf '\n1000\n1001\ncatalogue.hash\n\n7\ny\n2001\nsish.txt\n320\n10\n32 37 1\n20\n-121 -114 1\n99\n340\nn\n343\nn\n1000\n\nmap.ps\n99\n9999\n\n' \
  >"$work/map.txt"

# The same map drawn four times on four pages, the colour table changed
# before each RUN after the first: the fill colour's entry (8) set through
# the plot-parameter menu (12 -> 51), one colour (black and white) through
# its number of colours (50; the fill colour reset, a warning), twelve
# colours again and entry 2 set through the colour-table menu (52) and
# made the fill colour (21). Only for the comparison of the files written.
printf '\n1000\n1001\ncatalogue.hash\n\n7\ny\n2001\nsish.txt\n320\n10\n32 37 1\n20\n-121 -114 1\n99\n340\nn\n343\nn\n1000\n\nmap.ps\n%b%b%b99\n9999\n\n' \
  '12\n51\n8\n30\n10\n20\n90\n99\n99\n1000\n\n' '12\n50\n10\n1\n99\n\n99\n1000\n\n' \
  '12\n50\n10\n12\n99\n52\n200\n2\n30\n0\n70\n35.5\n99\n99\n21\n2\n99\n1000\n\n' >"$work/colours.txt"

changes='dd1e086:map.ps d361b8e:map.ps c4699dc:map.ps db79040:console a32f500:map.ps 438e54d:console'

if [ -n "$against" ]; then
  make_rusage_run
  # A map run writes the map, whole, and a row for each mechanism; a run
  # that only reads writes neither.
  bench_before() { rm -f "$work/map.ps" "$work/sish.txt"; }
  bench_after() {
    case $2 in
      */map.txt)
        [ -s "$work/map.ps" ] && [ "$(tail -n 1 "$work/map.ps")" = "%%EOF" ] ||
          { echo "$1 <$2 wrote no whole map.ps" >&2; exit 1; }
        [ -f "$work/sish.txt" ] || { echo "$1 <$2 wrote no sish.txt" >&2; exit 1; }
        rows=$(($(wc -l <"$work/sish.txt") - 1))
        [ "$rows" -eq "$lines" ] || { echo "$1 <$2 wrote $rows Si-Sh rows" >&2; exit 1; }
        ;;
      *)
        [ ! -e "$work/map.ps" ] && [ ! -e "$work/sish.txt" ] || { echo "$1 <$2 wrote a map" >&2; exit 1; }
        ;;
    esac
  }
  printf 'this build against %s, medians of %s alternating runs\n' "$against_commit" "$runs"
  for dialect in 1 2 3; do
    settings "$dialect"
    printf '\n'
    report_against "read + 2001 map, dialect $dialect" map.txt map
    eval "peak_this_$dialect=\$peak_kb_1 peak_older_$dialect=\$peak_kb_2"
    instructions_against "read + 2001 map, dialect $dialect" map.txt 1.01 map
  done
  printf '\n%-32s %14s %14s %7s  %s\n' "peak memory kB" "dialect 3" "dialect 2" ratio goal
  goal "map, this build" "$peak_this_3" "$peak_this_2" 1.05
  printf '%-32s %14s %14s %7s\n' "map, $against_commit" "$peak_older_3" "$peak_older_2" \
    "$(ratio "$peak_older_3" "$peak_older_2")"
  for dialect in 1 2 3; do
    for answers in map.txt colours.txt; do
      echo "dialect $dialect, $answers:"
      settings "$dialect"
      compare_written "catalogue.hash kavro7_ini.txt" "$answers" "map.ps sish.txt"
    done
  done
  exit "$failed"
fi

meca_input "$work/catalogue.hash" "$work/meca.txt"

best "rm -f map.ps sish.txt kavro7_ini.txt; '$program' <read_only.txt"
read_ms=$best_ms

printf '%-34s %9s %9s %9s\n' run "wall ms" "PS MB" "Si-Sh MB"
printf '%-34s %9s %9s %9s\n' "dorvix read only" "$read_ms" - -
for dialect in 2 1 3; do
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
