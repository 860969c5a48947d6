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

if ! command -v cloc >/dev/null; then
  echo "installing cloc"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq cloc >/dev/null
fi

cmake --preset native >/dev/null
cmake --build --preset native --target kinoha-step >/dev/null
tool="$PWD/build/native/bin/kinoha-step"

corpus="$PWD/build/bench-corpus"
if [ ! -f "$corpus/.complete" ]; then
  rm -rf "$corpus"
  python3 bench/make_corpus.py "$corpus"
  touch "$corpus/.complete"
fi
list="$PWD/build/bench-files.txt"
find "$corpus" -type f \( -name '*.frm' -o -name '*.bas' -o -name '*.cls' \) | sort >"$list"
echo "corpus: $(wc -l <"$list") member files, $(cat $(cat "$list") | wc -c) bytes; $(nproc) cores"

# Median wall time in milliseconds of RUNS runs of the command, after one warm-up run.
median_ms() {
  "$@" >/dev/null 2>&1
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}

a=$(median_ms "$tool" --stdout "$corpus")
b=$(median_ms cloc --quiet --list-file="$list")
c=$(median_ms sh -c "xargs cat <'$list' | wc -l")
echo "A kinoha-step --stdout:  ${a} ms"
echo "B cloc:                  ${b} ms"
echo "C cat | wc -l:           ${c} ms"
awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN {
  printf "cloc / kinoha-step = %.1f (goal >= 20)\n", b / a
  printf "kinoha-step / cat  = %.2f (goal <= 3)\n", a / c }'
