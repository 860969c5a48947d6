#!/usr/bin/env bash
# Peak memory and time of kinoha-step on one huge member file: a module whose second line is
# SIZE_MB megabytes of half-width katakana (one character per byte) ending in " _", counted
# with and without --under. Usage: bench/member_memory.sh [SIZE_MB] [KINOHA_STEP]
set -euo pipefail
cd "$(dirname "$0")/.."
size=${1:-1024}
tool=${2:-build/native/bin/kinoha-step}
dir=build/bench-member
mkdir -p "$dir"
python3 - "$dir" "$size" <<'PY'
import sys
folder, mb = sys.argv[1], int(sys.argv[2])
with open(f"{folder}/P.vbp", "wb") as p:
    p.write(b"Type=Exe\r\nModule=M; m.bas\r\n")
with open(f"{folder}/m.bas", "wb") as f:
    f.write(b'Attribute VB_Name = "M"\r\nx = ')
    chunk = b"\xb1" * (1 << 20)
    for _ in range(mb):
        f.write(chunk)
    f.write(b" _\r\ny = 1\r\n")
PY
for args in "" "--under"; do
  /usr/bin/time -f "kinoha-step --stdout $args (${size} MB member): %e s, peak %M KB" \
    "$tool" --stdout $args "$dir/P.vbp" >/dev/null
done
rm -rf "$dir"
