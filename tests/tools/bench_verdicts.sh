#!/bin/sh
# The verdicts of the bench scripts (bench/*.sh --against <commit>), tried
# on builds made to differ. Each script runs from a folder of its own
# standing for the repository: bench/ and tests/ are the real ones, and
# the older commit's program (build/against-<commit>/build/dorvix) and this
# build's (build/bench/dorvix) are wrappers that run the program given and
# then edit its console (the older's) or its console and the files it
# wrote, and end with its exit status or one given (this build's). cmake,
# git, valgrind, gmt and the compiler of the scripts' tools are stand-ins
# on the PATH: nothing is built, the commit asked for holds every change
# but 438e54d (as 2e0078f does), callgrind's count is the same for both
# builds, GMT's shorelines are two small islands. The catalogues are of
# 200 mechanisms (DORVIX_BENCH_LINES) and each script makes one run of
# each measurement.
#
# With the wrappers editing nothing, every script must pass (status 0), and
# so must the map with the older build's console without the line of
# 438e54d (ticks or labels off the page), the change it does not hold.
# With an edit, a script must fail and name what differs (the file edited,
# "console" or "status") as DIFFERS, whatever the comparisons after it
# find: the map's dialect-1 prolog drawing its lines as moves (compared
# first of the three dialects), the head of the map of four pages in
# dialect 3 (compared last: a dialect or a run left out misses it), a
# heading of the table, the diagrams on one page, the console, a line
# after the end-of-run picture (which the clock chooses), the line of
# 438e54d written twice, a file that this build alone writes, this build's
# exit status alone.
#
# Usage: tests/tools/bench_verdicts.sh DORVIX   (the program, built)
# Exits 1 when a verdict is not the one expected.
set -eu
dorvix=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
src=$(cd "$(dirname "$0")/../.." && pwd)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
mkdir "$t/bin" "$t/tools"

# The scripts' tools, compiled once; the stand-in compiler hands out the
# program compiled from the source it is given.
${CXX:-c++} -std=c++20 -O2 -I"$src/tests/catalogue" "$src/bench/tools/generate_catalogue.cpp" \
  -o "$t/tools/generate_catalogue"
${CXX:-c++} -std=c++20 -O2 "$src/bench/tools/rusage_run.cpp" -o "$t/tools/rusage_run"
cat >"$t/bin/c++" <<EOF
#!/bin/sh
source= out=
while [ \$# -gt 0 ]; do
  case \$1 in
    -o) out=\$2; shift ;;
    *.cpp) source=\$(basename "\$1" .cpp) ;;
  esac
  shift
done
cp "$t/tools/\$source" "\$out"
EOF
printf '#!/bin/sh\nexit 0\n' >"$t/bin/cmake"
# git: the commit asked for is its own short hash, and holds every change
# but 438e54d (merge-base --is-ancestor <change> <commit>).
cat >"$t/bin/git" <<'EOF'
#!/bin/sh
case $1 in
  rev-parse) commit=$3; echo "${commit%^\{commit\}}" ;;
  merge-base) [ "$3" != 438e54d ] ;;
  *) echo "git stand-in: $*" >&2; exit 1 ;;
esac
EOF
# valgrind: the program run as it is, then a count that grows with the
# answers given.
cat >"$t/bin/valgrind" <<'EOF'
#!/bin/sh
while [ $# -gt 0 ]; do case $1 in --*) shift ;; *) break ;; esac; done
count=$((1000000 + 1000 * $(stat -L -c %s /dev/stdin)))
"$@" || exit
echo "==1== Collected : $count" >&2
EOF
# gmt coast: two islands, one of them across the 180th meridian.
cat >"$t/bin/gmt" <<'EOF'
#!/bin/sh
[ "$1" = coast ] || { echo "gmt stand-in: $*" >&2; exit 1; }
printf '> Shore Bin # 1, Level 1\n10 40\n12 40\n12 42\n10 42\n10 40\n'
printf '> Shore Bin # 2, Level 1\n178 -20\n-178 -20\n-178 -16\n178 -16\n178 -20\n'
EOF
chmod +x "$t/bin/"*

# A build's program, $1: the program run, its console edited by the sed
# program of the file $2, the files $3 (blank-separated) it leaves edited by
# that of $4; it ends with the exit status $5 (empty: the program's).
wrapper() {
  cat >"$1" <<EOF
#!/bin/sh
out=\$(mktemp)
status=0
"$dorvix" >"\$out" 2>&1 || status=\$?
sed -f "$2" "\$out"
rm -f "\$out"
for name in $3; do
  if [ -f "\$name" ]; then sed -i -f "$4" "\$name"; fi
done
exit ${5:-"\$status"}
EOF
  chmod +x "$1"
}

# One case, in the folder $t/$1: $2 the script, $3 the files this build's
# wrapper edits (blank-separated), $4 the sed program of the files, $5 that
# of the console, $6 the name the script must tell as DIFFERS ("" for a
# pass), $7 the sed program of the older build's console ("" or left out:
# none), $8 the exit status this build ends with (left out: the
# program's). Writes the verdict into the case's folder, with the script's
# last lines when it is not the one expected.
run_case() {
  c=$t/$1
  mkdir -p "$c/root/build/bench" "$c/root/build/against-2e0078f/build"
  ln -s "$src/bench" "$c/root/bench"
  ln -s "$src/tests" "$c/root/tests"
  printf '%s\n' "$4" >"$c/files.sed"
  printf '%s\n' "$5" >"$c/console.sed"
  printf '%s\n' "${7:-}" >"$c/older.sed"
  wrapper "$c/root/build/against-2e0078f/build/dorvix" "$c/older.sed" "" ""
  wrapper "$c/root/build/bench/dorvix" "$c/console.sed" "$3" "$c/files.sed" "${8:-}"
  status=0
  PATH="$t/bin:$PATH" CXX="$t/bin/c++" DORVIX_BENCH_LINES=200 "$c/root/bench/$2" --against 2e0078f 1 \
    >"$c/output" 2>&1 || status=$?
  if [ -z "$6" ] && [ "$status" -eq 0 ]; then
    echo "$1: $2 passes, status 0" >"$c/verdict"
  elif [ -n "$6" ] && [ "$status" -ne 0 ] && grep -q "^$6: DIFFERS" "$c/output"; then
    echo "$1: $2 fails, status $status: $(grep -m 1 "^$6: DIFFERS" "$c/output")" >"$c/verdict"
  else
    {
      echo "$1: WRONG, $2 status $status, expected ${6:+a failure naming }${6:-a pass}"
      tail -n 30 "$c/output"
    } >"$c/verdict"
    : >"$c/wrong"
  fi
}

# The cases, run side by side. sed's w command writes a file of its own
# (whole_stray_file: a unit file that this build alone leaves).
prolog='s/^\/L {lineto} def$/\/L {moveto} def/'
ticks='/^ ticks or labels reach off the page: /'
run_case map_identical map_run.sh "" "" "" "" &
run_case map_prolog map_run.sh map.ps "$prolog" "" map.ps &
run_case map_pages_head map_run.sh map.ps '1s/^%!PS-Adobe-2[.]0$/%!PS-Adobe-3.0/' "" map.ps &
run_case map_ticks_excused map_run.sh "" "" "" "" "${ticks}d" &
run_case map_ticks_twice map_run.sh "" "" "${ticks}p" console "${ticks}d" &
if command -v python3 >/dev/null; then
  run_case line_files_identical line_files.sh "" "" "" "" &
  run_case line_files_prolog line_files.sh map.ps "$prolog" "" map.ps &
elif [ "${CI:-}" = true ]; then
  echo "line_files.sh not tried: it needs python3, which CI installs"
  exit 1
else
  echo "line_files.sh not tried: it needs python3"
fi
run_case whole_identical whole_run.sh "" "" "" "" &
run_case whole_table_heading whole_run.sh out.table "2s/'Strike'/'strike'/" "" out.table &
run_case whole_console whole_run.sh "" "" 's/^ NUMBER OF OUTPUT FILES /  NUMBER OF OUTPUT FILES/' console &
# shellcheck disable=SC2016 # sed's $ is the last line
run_case whole_after_picture whole_run.sh "" "" '$a\ ===> FILE out.table COULD NOT BE WRITTEN TO ITS END' console &
# shellcheck disable=SC2016
run_case whole_stray_file whole_run.sh "" "" '$w fort.7' fort.7 &
run_case whole_status whole_run.sh "" "" "" status "" 3 &
run_case diagrams_identical diagrams.sh "" "" "" "" &
run_case diagrams_one_page diagrams.sh seis.fm.ps '1s/$/ /' "" seis.fm.ps &
wait
cat "$t"/*/verdict
if ls "$t"/*/wrong >/dev/null 2>&1; then exit 1; fi
