#!/usr/bin/env bash
# Step count benchmark, side by side in one run (alternating rounds, medians), on the generated
# VB6-like corpus (make_corpus.py, >= 20 MB) and, given --real, on a real public VB6 code base:
#   A   kinoha-step --stdout on the corpus (reports printed, not written), default jobs
#   A1  the same with --jobs 1
#   O   an older build given with --old (default jobs and --jobs 1), for the same corpus
#   B   cloc on the same member files
#   C   cat of the same files piped into wc -l (the floor of reading the bytes once)
# and the count alone, files in memory (kinoha_scanner_bench), in ns per byte: the generated
# corpus should cost within 20 % of the real one per byte.
# Goals: A/C <= 0.5, A1/C <= 1.0, B/A >= 40, A no slower than O.
#
# usage: bench/step_bench.sh [--real DIR] [--old KINOHA_STEP] [RUNS]   (default 11 rounds)
#   DIR: a checkout of VB6 code (tannerhelland/PhotoDemon is a good one); its project and member
#   files are copied with CR LF line ends under build/bench-real/.
set -euo pipefail
cd "$(dirname "$0")/.."
real="" old="" runs=11
while [ $# -gt 0 ]; do
  case "$1" in
    --real) real=$(cd "$2" && pwd); shift 2 ;;
    --old) old=$(realpath "$2"); shift 2 ;;
    *) runs=$1; shift ;;
  esac
done

source bench/bench_lib.sh
need_cloc
build_tool
cmake --build --preset native --target kinoha_scanner_bench >/dev/null
scanner="$PWD/build/native/bin/kinoha_scanner_bench"

generated="$PWD/build/bench-corpus"
if [ ! -f "$generated/.complete" ] || [ bench/make_corpus.py -nt "$generated/.complete" ]; then
  rm -rf "$generated"
  python3 bench/make_corpus.py "$generated"
  touch "$generated/.complete"
fi
corpora=("$generated")

if [ -n "$real" ]; then
  copy="$PWD/build/bench-real/$(basename "$real")"
  if [ ! -f "$copy/.complete" ]; then
    rm -rf "$copy"
    # VB reads CR LF only: a Git checkout with LF line ends is given them back.
    python3 - "$real" "$copy" <<'PY'
import os, sys
src, dst = sys.argv[1], sys.argv[2]
exts = {".vbp", ".vbg", ".frm", ".bas", ".cls", ".ctl", ".pag", ".dsr", ".dob"}
for root, dirs, files in os.walk(src):
    dirs[:] = [d for d in dirs if d != ".git"]
    for f in files:
        if os.path.splitext(f)[1].lower() in exts:
            data = open(os.path.join(root, f), "rb").read()
            out = os.path.join(dst, os.path.relpath(root, src))
            os.makedirs(out, exist_ok=True)
            open(os.path.join(out, f), "wb").write(data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))
PY
    touch "$copy/.complete"
  fi
  corpora+=("$copy")
fi

declare -A perbyte
for corpus in "${corpora[@]}"; do
  list="$corpus.files"
  find "$corpus" -type f \( -iname '*.frm' -o -iname '*.bas' -o -iname '*.cls' -o -iname '*.ctl' \
    -o -iname '*.pag' -o -iname '*.dsr' -o -iname '*.dob' \) | sort >"$list"
  echo "== $corpus: $(wc -l <"$list") member files, $(xargs -d '\n' cat <"$list" | wc -c) bytes; $(nproc) cores"
  set -- A "'$tool' --stdout '$corpus'" A1 "'$tool' --stdout --jobs 1 '$corpus'"
  [ -n "$old" ] && set -- "$@" O "'$old' --stdout '$corpus'" O1 "'$old' --stdout --jobs 1 '$corpus'"
  set -- "$@" B "cloc --quiet --list-file='$list'" C "xargs -d '\n' cat <'$list' | wc -l"
  alternate_ms "$@"
  for k in A A1 O O1 B C; do
    [ -n "${medians[$k]:-}" ] && printf '%-3s %10s ms\n' "$k" "${medians[$k]}"
  done
  awk -v a="${medians[A]}" -v a1="${medians[A1]}" -v b="${medians[B]}" -v c="${medians[C]}" \
    -v o="${medians[O]:-}" -v o1="${medians[O1]:-}" 'BEGIN {
    printf "A / C   = %.2f (goal <= 0.5)\n", a / c
    printf "A1 / C  = %.2f (goal <= 1.0)\n", a1 / c
    printf "B / A   = %.1f (goal >= 40)\n", b / a
    if (o != "") printf "A / O   = %.2f, A1 / O1 = %.2f (goal <= 1)\n", a / o, a1 / o1 }'
  line=$(xargs -d '\n' "$scanner" --rounds 31 <"$list")
  echo "count alone: $line"
  perbyte[$corpus]=$(sed -E 's/.* ([0-9.]+) ns\/byte/\1/' <<<"$line")
  unset 'medians[O]' 'medians[O1]'
done
if [ -n "$real" ]; then
  awk -v g="${perbyte[$generated]}" -v r="${perbyte[$copy]}" 'BEGIN {
    printf "generated / real per byte = %.2f (goal 0.8 to 1.2)\n", g / r }'
fi
