#!/usr/bin/env bash
# Builds kinoha.exe, the stand-in compiler and kinoha-step (nothing else) and starts kinoha.exe on
# the bundled sample projects (examples/), with the stand-in already chosen as the VB executable,
# so the tray icon and its menus are there at once.
# With a display: in a Wine virtual desktop window; choose "終了" from the tray menu to end.
# Without one: on a virtual display, with screenshots of both menus saved under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows
# Only what the demo runs: not the tests and benchmarks.
cmake --build --preset windows -j "$(nproc)" --target kinoha vb-standin kinoha-step

export BIN_DIR="$PWD/build/windows/bin" ARTIFACTS="$PWD/build/demo" SOURCE_DIR="$PWD"
export E2E_NAME=demo KEEP_WORK=1 WORK="$PWD/build/demo/run"
rm -rf "$WORK"
mkdir -p "$WORK"
source tests/e2e/lib.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cp -r examples/. "$PROJECTS/"
  prepare_prefix
  prepared_settings "[FILE  ]0"
  start_kinoha
  log "Kinoha is starting in the \"kinoha\" Wine desktop window: the leaf icon at its bottom"
  log "right opens the executables menu (left click) and the main menu (right click)."
  log "Projects: $PROJECTS"
  wait "$KINOHA_PID" || true
  exit 0
fi

start_on_samples "[FILE  ]0"
screenshot tray
tray_click 3
screenshot main-menu
keys Escape
tray_click 1
screenshot executables-menu
keys Escape
end_program
log "No display: screenshots of the running program are in $ARTIFACTS"
