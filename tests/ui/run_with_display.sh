#!/usr/bin/env bash
# Runs a Windows test program that creates windows: on a virtual display of its own, in a Wine
# prefix of its own (a desktop that other tests started without a display is not shared).
#   run_with_display.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
export WINEPREFIX=$1
shift
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w  # its desktop, made without a display, goes with it
fi
exec xvfb-run -a wine "$@"
