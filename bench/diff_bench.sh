#!/usr/bin/env bash
# Changed-step benchmark: on two versions of one generated corpus (make_corpus.py, then
# make_version.py changing 5 % of the member files in a few places), times in one run
#   A  kinoha-step --diff OLD NEW --stdout,
#   B  kinoha-step --stdout OLD and kinoha-step --stdout NEW (the plain count of both versions),
#   C  cloc --diff OLD NEW on the same member files,
# each after a warm-up, RUNS times, and prints the median wall times and the ratios A/B, C/A.
# Goals: A/B <= 2 and C/A >= 20.
#
# usage: bench/diff_bench.sh [RUNS]        (default 5; builds the native preset first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

source bench/bench_lib.sh
need_cloc
build_tool

old="$PWD/build/bench-diff/old"
new="$PWD/build/bench-diff/new"
if [ ! -f "$PWD/build/bench-diff/.complete" ]; then
  rm -rf "$PWD/build/bench-diff"
  mkdir -p "$PWD/build/bench-diff"
  python3 bench/make_corpus.py "$old"
  python3 bench/make_version.py "$old" "$new"
  touch "$PWD/build/bench-diff/.complete"
fi
echo "corpus: $(find "$old" -type f \( -name '*.frm' -o -name '*.bas' -o -name '*.cls' \) | wc -l)" \
  "member files, $(du -sb "$old" | cut -f1) bytes per version; $(nproc) cores"

a=$(median_ms "$tool" --stdout --diff "$old" "$new")
b=$(median_ms sh -c "'$tool' --stdout '$old' && '$tool' --stdout '$new'")
c=$(median_ms cloc --quiet --diff --include-ext=frm,bas,cls --force-lang="Visual Basic",frm \
  --force-lang="Visual Basic",bas --force-lang="Visual Basic",cls "$old" "$new")
echo "A kinoha-step --diff:         ${a} ms"
echo "B kinoha-step on both:        ${b} ms"
echo "C cloc --diff:                ${c} ms"
awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN {
  printf "diff / count of both = %.2f (goal <= 2)\n", a / b
  printf "cloc --diff / diff   = %.1f (goal >= 20)\n", c / a }'
