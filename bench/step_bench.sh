#!/usr/bin/env bash
# Step count benchmark: on one generated VB6-like corpus (>= 20 MB of forms, modules and
# classes), times in one run
#   A  kinoha-step --stdout on the corpus directory (reports printed, not written),
#   B  cloc on the same member files,
#   C  cat of the same files piped into wc -l (the cost of just reading them),
# each after a warm-up, RUNS times, and prints the median wall times and the ratios B/A, A/C.
# Goals: B/A >= 20 and A/C <= 3.
#
# usage: bench/step_bench.sh [RUNS]        (default 7; builds the native preset first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}

source bench/bench_lib.sh
need_cloc
build_tool

corpus="$PWD/build/bench-corpus"
if [ ! -f "$corpus/.complete" ]; then
  rm -rf "$corpus"
  python3 bench/make_corpus.py "$corpus"
  touch "$corpus/.complete"
fi
list="$PWD/build/bench-files.txt"
find "$corpus" -type f \( -name '*.frm' -o -name '*.bas' -o -name '*.cls' \) | sort >"$list"
echo "corpus: $(wc -l <"$list") member files, $(cat $(cat "$list") | wc -c) bytes; $(nproc) cores"


a=$(median_ms "$tool" --stdout "$corpus")
b=$(median_ms cloc --quiet --list-file="$list")
c=$(median_ms sh -c "xargs cat <'$list' | wc -l")
echo "A kinoha-step --stdout:  ${a} ms"
echo "B cloc:                  ${b} ms"
echo "C cat | wc -l:           ${c} ms"
awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN {
  printf "cloc / kinoha-step = %.1f (goal >= 20)\n", b / a
  printf "kinoha-step / cat  = %.2f (goal <= 3)\n", a / c }'
