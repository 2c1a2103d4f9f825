#!/bin/sh
# Makes the pictures of the README from the program's own output: a map of
# the bundled SCEDC catalogue (6091 mechanisms of 2018 in southern
# California) with its stress-direction symbols over the GSHHG coast of
# southern California (tests/data/real/gshhg_socal.gshhs), and the first page of the
# focal-mechanism diagrams (its first 20 mechanisms). The program runs the
# command file docs/readme_images.cmd; Ghostscript turns the first page of
# each plot file into a PNG file in docs/images/.
#
# Usage: docs/make_readme_images.sh [program]   (default build/default/dorvix)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/default/dorvix}
[ -x "$program" ] || { echo "no program at $program: build it first (cmake --build --preset default --target dorvix)" >&2; exit 1; }
command -v gs >/dev/null || { echo "needs gs (Ghostscript)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/tests/data/real/scedc_hash_2018.hash" "$root/tests/data/real/gshhg_socal.gshhs" "$work/"
head -n 20 "$work/scedc_hash_2018.hash" >"$work/first20.hash"
cp "$root/docs/readme_images.cmd" "$work/images.cmd"

# At the keyboard: the banner's Return, then the command file (5000, 5001).
(cd "$work" && printf '\n5000\n5001\nimages.cmd\n' | "$program" >console.txt 2>&1) || {
  echo "the program failed; its console output is in $work/console.txt" >&2
  trap - EXIT
  exit 1
}

for name in scedc_map scedc_diagrams; do
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dTextAlphaBits=4 -dGraphicsAlphaBits=4 \
    -dFirstPage=1 -dLastPage=1 -sOutputFile="$root/docs/images/$name.png" "$work/$name.ps"
done
echo "written: docs/images/scedc_map.png docs/images/scedc_diagrams.png"
