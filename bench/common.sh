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
