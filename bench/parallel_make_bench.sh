#!/usr/bin/env bash
# Parallel batch compile under Wine: kinoha-make.exe over 40 entries whose stand-in takes T
# seconds each (1 by default), in two shapes: all independent, and a chain of 5 with 35 free
# entries. For --jobs 1, 2 and 4 it prints the wall time against the lower bound
# max(longest chain, total / N), the time over it per entry (Wine's process starts and the
# scheduler), and the run's own overhead per entry: the wall time less the compiles' own times
# (as kinoha-make sums them) divided by N, over 40 (kinoha-make's start under Wine included). Needs the windows preset built; starts Xvfb when there is no display.
#   bench/parallel_make_bench.sh [T]
set -euo pipefail
t=${1:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
work=$(mktemp -d /tmp/kinoha-parallel-bench.XXXXXX)
trap 'wineserver -k 2>/dev/null || true; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :96 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:96
  sleep 1
fi
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
cp -a "$root/build/windows/e2e-prefix" "$WINEPREFIX" 2>/dev/null || wineboot -i >/dev/null 2>&1
cp "$bin/vb-standin.exe" "$bin/kinoha-make.exe" "$work/"
w() { echo "Z:${1//\//\\}"; }

shape() {  # folder, chain length
  local dir=$1 chain=$2 i
  for i in $(seq -w 1 40); do
    mkdir -p "$dir/P$i"
    local ref=
    # P01..P(chain): each references the one before it.
    if [ "$((10#$i))" -gt 1 ] && [ "$((10#$i))" -le "$chain" ]; then
      local prev
      prev=$(printf '%02d' $((10#$i - 1)))
      ref="Reference=*\\G{1}#1.0#0#..\\P$prev\\P$prev.exe#P$prev"$'\r\n'
    fi
    printf 'Type=Exe\r\n%sExeName32="P%s.exe"\r\n' "$ref" "$i" >"$dir/P$i/P$i.vbp"
  done
}
shape "$work/free" 0
shape "$work/chain" 5
wine "$work/kinoha-make.exe" --help >/dev/null 2>&1 || true  # Wine's first start is not measured

printf '%-8s %4s %9s %9s %14s %14s\n' shape jobs "wall s" "bound s" "over/entry ms" "run/entry ms"
for s in free chain; do
  chain=$([ "$s" = chain ] && echo 5 || echo 1)
  for j in 1 2 4; do
    rm -rf "$work/logs"
    start=$(date +%s.%N)
    KINOHA_STANDIN_WAIT_MS=$((t * 1000)) KINOHA_MAKE_MEMORY="$(w "$work/memory-$s-$j.txt")" \
      wine "$work/kinoha-make.exe" -j "$j" --vb "$(w "$work/vb-standin.exe")" \
      --log-dir "$(w "$work/logs")" "$(w "$work/$s")" >"$work/out.txt" 2>&1 ||
      { iconv -f CP932 -t UTF-8 "$work/out.txt" | tail -5; exit 1; }
    end=$(date +%s.%N)
    compiles=$(iconv -f CP932 -t UTF-8 "$work/out.txt" | sed -n 's/.*(compiles \([0-9.]*\) s).*/\1/p')
    python3 -c "
import sys
wall, t, j, chain = float(sys.argv[2]) - float(sys.argv[1]), float(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
bound = max(chain * t, 40 * t / j)
run = (wall - float(sys.argv[7]) / j) / 40 * 1000
print(f'{sys.argv[6]:<8} {j:>4} {wall:>9.1f} {bound:>9.1f} {(wall - bound) / 40 * 1000:>14.0f} {run:>14.0f}')
" "$start" "$end" "$t" "$j" "$chain" "$s" "$compiles"
  done
done
