#!/bin/sh
# Two builds walked through the same menus, to show that a change meant to
# leave the program's behaviour as it was does: the fuzz test's 240 seeded
# walks (random answers through every menu, command files started and
# ended anywhere, damaged data files) are run with the program of each
# build, every run's directory kept, and compared: its console text (the
# run's date, time and host, and the end-of-run picture that the clock
# chooses, aside) and every file it wrote, byte for byte.
#
# Usage: tests/tools/compare_walks.sh BUILD_A BUILD_B OUT
# (two build folders of the test preset, each with its tests/test_fuzz;
# OUT, a folder made anew, keeps the runs). Exits 1 when a run differs.
set -eu
a=$1 b=$2 out=$3
rm -rf "$out"; mkdir -p "$out/a" "$out/b"
for side in a b; do
  eval build=\$$side
  rm -rf "${TMPDIR:-/tmp}"/dorvix-fuzz-*
  (cd "$build" && DORVIX_FUZZ_KEEP=1 ./tests/test_fuzz >"$out/$side.log" 2>&1) || true
  mv "${TMPDIR:-/tmp}"/dorvix-fuzz-* "$out/$side/"
done
# Masks: clock and date lines, the end picture chosen by the clock.
mask() {
  sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}/HH:MM:SS/g; s/[0-9]{2}-[0-9]{2}-[0-9]{4}/DD-MM-YYYY/g; s/(Run on|on host|Host).*/\1 .../' "$1" |
    awk '/EXECUTION (TERMINATED|STOPPED)/ { ending = 1 } !ending || /^ @/ { print }'
}
differ=0; same=0
for d in "$out"/a/*; do
  s=$(basename "$d")
  for f in "$d"/* ; do
    n=$(basename "$f")
    g="$out/b/$s/$n"
    if [ ! -e "$g" ]; then echo "$s/$n: only in A"; differ=$((differ+1)); continue; fi
    if ! cmp -s "$f" "$g"; then
      if [ "$(mask "$f" | md5sum)" != "$(mask "$g" | md5sum)" ]; then echo "$s/$n: differs"; differ=$((differ+1)); continue; fi
    fi
    same=$((same+1))
  done
  for g in "$out/b/$s"/*; do [ -e "$d/$(basename "$g")" ] || { echo "$s/$(basename "$g"): only in B"; differ=$((differ+1)); }; done
done
echo "runs: $(ls "$out/a" | wc -l) / $(ls "$out/b" | wc -l); files equal: $same; differing: $differ"
[ "$differ" -eq 0 ]
