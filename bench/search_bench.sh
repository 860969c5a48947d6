#!/usr/bin/env bash
# Times the catalogue's project search against find on the same tree, as whole processes.
set -euo pipefail
tree=${1:?usage: bench/search_bench.sh TREE (made by kinoha_search_bench generate TREE)}
bin=${BIN:-build/native/bin/kinoha_search_bench}
runs=${RUNS:-9}
time_it() {
  local start end best=
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    local ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
"$bin" search "$tree" >/dev/null  # warm the directory cache
search_ms=$(time_it "$bin" search "$tree")
find_ms=$(time_it find "$tree" -iname '*.vbp' -o -iname '*.vbg')
echo "search (both patterns): ${search_ms} ms (best of $runs)"
echo "find (one pass):        ${find_ms} ms (best of $runs)"
awk -v a="$search_ms" -v b="$find_ms" 'BEGIN { if (b > 0) printf "ratio: %.2f\n", a / b }'
