#!/usr/bin/env bash
# Start of kinoha.exe under Wine to its tray icon, on a project tree given as argument (the
# tree of `kinoha_search_bench generate`), and the working set of the running program once the
# search has ended, read through the system (/proc of the Wine process). Uses the end-to-end
# tests' steps: a virtual display, a Wine prefix of its own, the settings file prepared.
#   bench/start_to_icon.sh TREE [RUNS]
set -euo pipefail
TREE=$(realpath "$1")
RUNS=${2:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
export BIN_DIR=${BIN_DIR:-$here/build/windows/bin} ARTIFACTS=${ARTIFACTS:-$here/build/windows/bench-artifacts}
E2E_NAME=start-bench
source "$here/tests/e2e/lib.sh"
start_display
prepare_prefix
write_settings "[VBMAIN]$(winpath "$PROGRAM_DIR")\\vb-standin.exe" "[DIR   ]$(winpath "$TREE")" "[FILE  ]0"
for run in $(seq "$RUNS"); do
  started=$(date +%s%N)
  start_kinoha
  wait_tray_ready || fail "no tray icon"
  # wait_tray_ready waits half a second after it sees the icon.
  log "run $run: tray icon after $(( ($(date +%s%N) - started) / 1000000 - 500 )) ms"
  sleep "${SETTLE:-20}"  # the search ends meanwhile
  pid=$(pgrep -af "$(basename "$WORK").*kinoha\.exe" | grep -v explorer | head -1 | cut -d' ' -f1)
  log "run $run: resident set of kinoha.exe $(awk '/VmRSS/ { print $2, $3 }' "/proc/$pid/status")"
  end_program
done
