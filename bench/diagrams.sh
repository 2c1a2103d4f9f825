#!/bin/sh
# The paged focal-mechanism diagrams of 60000 mechanisms next to GMT's
# psmeca drawing the same mechanisms, or next to the build of an older
# commit.
#
# dorvix reads a generated 60000-line HASH catalogue and runs option 3001
# -> 1000 with the default plot settings, the page menu answered with its
# default 2999 times: 3000 pages of 20 nets, both nodal planes and the P,
# B and T axes of each plane. The time of the diagrams is that run less a
# run that only reads the catalogue and quits. GMT draws the same
# mechanisms (plane 1 of each line) in one psmeca call on one map, with its
# default beach balls and with -T0 -Fa (nodal planes and P and T axes).
# Prints wall times (best of the runs), PostScript sizes and page counts.
#
# With --against <commit>, the program of that commit is built too (under
# build/against-<commit>) and the two take turns: medians of wall and CPU
# time (user + system) of the whole process, its largest peak memory, and
# the same less the read-only run, told beside the older build's; and the
# instructions of one run of each, counted by valgrind's callgrind: the
# whole run beside its goal (at most 1.01 times the commit's), the
# read-only run and the diagrams less it. Every run must write the 3000
# pages, and every count must be there. Then option 3000 draws all 60000
# nets on one page in dialects 2 and 3: the peak memory of each build's
# run, this build's dialect 3 beside its dialect 2 with its goal (at most
# 1.05 times). Then each build writes the paged diagrams once more, and all
# the nets on one page in dialects 2 and 3, each run in a directory of its
# own, and all that the two leave is compared (bench/common.sh,
# compare_written): exit status, console text and every file, byte for
# byte, the run's date and time aside (and the end-of-run picture, which
# the clock chooses). The file changed on purpose since this comparison
# was written; against the build of a commit that does not hold the change
# yet, a file that differs is told so, and is no failure, when that change
# is all that differs (bench/common.sh, excuse_<commit>):
#   c4699dc  fps_bb.ps  each page sets at its start the line width and
#                       colour it draws with; every caption at the user's
#                       text size.
# The script exits 1 when a goal is not met, a count is missing, a run
# writes what it should not, or a text differs otherwise: a failure
# anywhere, whatever the measurements and comparisons after it find.
#
# Usage: bench/diagrams.sh [runs]                   (default 3)
#        bench/diagrams.sh --against <commit> [runs] (default 5)
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
# it closed the warning of a full store), then (for the diagram run) 3001 -> 1000 with the
# default settings, the page menu's default for every page after the
# first, leave, quit and close the plot file.
{
  printf '\n1000\n1001\ncatalogue.hash\n\n3001\n1000\n\nfps_bb.ps\n'
  i=1
  while [ "$i" -lt $((lines / 20)) ]; do printf '\n'; i=$((i + 1)); done
  printf '99\n9999\n\n'
} >"$work/diagrams.txt"
# The one-page run: 3000 -> 1000 with the default settings, the warning
# of the nets off the sheet, leave, quit and close the plot file.
printf '\n1000\n1001\ncatalogue.hash\n\n3000\n1000\n\nseis.fm.ps\n\n\n99\n9999\n\n' >"$work/one_page.txt"

pages() { awk '/^%%Pages: *[0-9]/ { n = $2 } END { print n + 0 }' "$1"; }

if [ -n "$against" ]; then
  make_rusage_run
  # A diagram run writes its 3000 pages, whole; a run that only reads
  # writes none.
  bench_before() { rm -f "$work/fps_bb.ps" "$work/kavro7_ini.txt"; }
  bench_after() {
    case $2 in
      */diagrams.txt)
        [ "$(tail -n 1 "$work/fps_bb.ps" 2>/dev/null)" = "%%EOF" ] ||
          { echo "$1 <$2 wrote no whole fps_bb.ps" >&2; exit 1; }
        written=$(pages "$work/fps_bb.ps")
        [ "$written" -eq $((lines / 20)) ] || { echo "$1 <$2 wrote $written pages" >&2; exit 1; }
        ;;
      *) [ ! -e "$work/fps_bb.ps" ] || { echo "$1 <$2 wrote fps_bb.ps" >&2; exit 1; } ;;
    esac
  }
  printf 'this build against %s, medians of %s alternating runs\n' "$against_commit" "$runs"
  report_against "read + 3001 diagrams" diagrams.txt diagrams
  instructions_against "read + 3001 diagrams" diagrams.txt 1.01 diagrams

  # The peak memory of one run of this build and then one of the older
  # build drawing every net on one page in the dialect $1: one_page_1 and
  # one_page_2. Each must write the page whole; when one fails, the script
  # ends after both, with their exit statuses when they differ.
  one_page() {
    one_page_failed=''
    for one_page_build in "$program" "$older"; do
      settings "$1"
      rm -f "$work/seis.fm.ps"
      timed_run "$work/one_page.txt" "$one_page_build"
      if [ "$one_page_build" = "$program" ]; then
        one_page_status_1=$run_status one_page_1=${peak_kb:-}
      else
        one_page_status_2=$run_status one_page_2=${peak_kb:-}
      fi
      if [ "$run_status" -ne 0 ]; then
        if [ -z "$one_page_failed" ]; then one_page_failed=$one_page_build; fi
      elif [ "$(tail -n 1 "$work/seis.fm.ps" 2>/dev/null)" != "%%EOF" ]; then
        echo "$one_page_build <one_page.txt wrote no whole seis.fm.ps in dialect $1" >&2
        exit 1
      fi
      rm -f "$work/seis.fm.ps" "$work/kavro7_ini.txt"
    done
    if [ -n "$one_page_failed" ]; then
      end_failed_runs "$work/one_page.txt" "$one_page_failed" "$one_page_status_1" "$one_page_status_2"
    fi
  }
  one_page 2
  this_2=$one_page_1 older_2=$one_page_2
  one_page 3
  this_3=$one_page_1 older_3=$one_page_2
  printf '\n%-32s %14s %14s %7s  %s\n' "peak memory kB, 3000 on a page" "dialect 3" "dialect 2" ratio goal
  goal "this build" "$this_3" "$this_2" 1.05
  printf '%-32s %14s %14s %7s\n' "$against_commit" "$older_3" "$older_2" "$(ratio "$older_3" "$older_2")"

  changes='c4699dc:fps_bb.ps'
  echo "diagrams.txt:"
  compare_written "catalogue.hash" diagrams.txt fps_bb.ps
  for dialect in 2 3; do
    echo "dialect $dialect, one_page.txt:"
    settings "$dialect"
    compare_written "catalogue.hash kavro7_ini.txt" one_page.txt seis.fm.ps
  done
  exit "$failed"
fi

meca_input "$work/catalogue.hash" "$work/meca.txt"
region=$(awk 'NR == 1 { x0 = x1 = $1; y0 = y1 = $2 }
  { if ($1 < x0) x0 = $1; if ($1 > x1) x1 = $1; if ($2 < y0) y0 = $2; if ($2 > y1) y1 = $2 }
  END { printf "%.1f/%.1f/%.1f/%.1f", x0 - 0.5, x1 + 0.5, y0 - 0.5, y1 + 0.5 }' "$work/meca.txt")

best "rm -f fps_bb.ps kavro7_ini.txt; '$program' <read_only.txt"
read_ms=$best_ms
best "rm -f fps_bb.ps kavro7_ini.txt; '$program' <diagrams.txt"
run_ms=$best_ms
[ -s "$work/fps_bb.ps" ] || { echo "dorvix wrote no fps_bb.ps" >&2; exit 1; }
dorvix_pages=$(pages "$work/fps_bb.ps")
[ "$dorvix_pages" -eq $((lines / 20)) ] || { echo "dorvix wrote $dorvix_pages pages" >&2; exit 1; }

meca="gmt psmeca meca.txt -R$region -JM18c -Sa0.4c -P"
best "$meca >meca_default.ps"
gmt_default_ms=$best_ms
best "$meca -T0 -Fa >meca_planes_axes.ps"
gmt_axes_ms=$best_ms

printf '%-34s %9s %9s %6s\n' run "wall ms" "PS MB" pages
printf '%-34s %9s %9s %6s\n' "dorvix read only" "$read_ms" - -
printf '%-34s %9s %9s %6s\n' "dorvix read + 3001 diagrams" "$run_ms" "$(size_mb "$work/fps_bb.ps")" "$dorvix_pages"
printf '%-34s %9s %9s %6s\n' "dorvix diagrams (difference)" $((run_ms - read_ms)) - -
printf '%-34s %9s %9s %6s\n' "gmt psmeca default" "$gmt_default_ms" "$(size_mb "$work/meca_default.ps")" \
  "$(pages "$work/meca_default.ps")"
printf '%-34s %9s %9s %6s\n' "gmt psmeca -T0 -Fa" "$gmt_axes_ms" "$(size_mb "$work/meca_planes_axes.ps")" \
  "$(pages "$work/meca_planes_axes.ps")"
