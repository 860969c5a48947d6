#!/usr/bin/env bash
# How long a VB that shows a modal box holds up a run: kinoha-make.exe under Wine compiles N
# projects (20 by default) whose stand-in shows a box that stays until it is closed, and one
# project without a box after them. Prints the run's time and the time per box (from the box
# appearing to the next entry starting, plus the stand-in's own start). Needs the windows preset
# built and a display (it starts Xvfb when there is none).
#   bench/dialog_bench.sh [N]
set -euo pipefail
n=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
bin="$root/build/windows/bin"
work=$(mktemp -d /tmp/kinoha-dialog-bench.XXXXXX)
trap 'wineserver -k 2>/dev/null || true; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
[ "${KEEP:-0}" = 1 ] && trap - EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
cp -a "$root/build/windows/e2e-prefix" "$WINEPREFIX" 2>/dev/null || wineboot -i >/dev/null 2>&1
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:97
  sleep 1
fi
mkdir -p "$work/p"
cp "$bin/vb-standin.exe" "$bin/kinoha-make.exe" "$work/"
for i in $(seq -w 1 "$n"); do
  mkdir -p "$work/p/D$i"
  printf 'Type=Exe\r\nExeName32="D%s.exe"\r\n' "$i" >"$work/p/D$i/D$i.vbp"
  echo dialog >"$work/p/D$i/D$i.vbp.standin"
done
mkdir -p "$work/p/Z"
printf 'Type=Exe\r\nExeName32="Z.exe"\r\n' >"$work/p/Z/Z.vbp"
wine "$work/kinoha-make.exe" --help >/dev/null 2>&1 || true  # Wine's first start is not measured
start=$(date +%s.%N)
wine "$work/kinoha-make.exe" -k --vb 'Z:'"${work//\//\\}"'\vb-standin.exe' \
  --log-dir 'Z:'"${work//\//\\}"'\logs' 'Z:'"${work//\//\\}"'\p' >"$work/out.txt" 2>&1 || true
end=$(date +%s.%N)
iconv -f CP932 -t UTF-8 "$work/out.txt" | tr -d '\r' >"$work/out8.txt"
grep -c 'ダイアログ' "$work/out8.txt" | sed 's/^/boxes ended: /'
# Each entry's own time, as kinoha-make prints it (start of VB to the entry's end).
awk '/^FAILED .* s$/ { t = $(NF - 1); s += t; if (t > m) m = t; n++ }
  END { if (n) printf "per box: mean %.2f s, max %.2f s over %d\n", s / n, m, n }' "$work/out8.txt"
python3 -c "import sys; t=float(sys.argv[2])-float(sys.argv[1]); n=int(sys.argv[3]); print(f'run {t:.1f} s, {t/(n+1):.2f} s an entry')" "$start" "$end" "$n"
