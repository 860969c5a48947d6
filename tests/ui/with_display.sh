#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (the first free number from 120 up), so
# that Wine can create the windows under test. Wine's desktop belongs to the prefix and keeps
# the display of the process that started it, so the command also gets a copy of the prefix:
# other tests running meanwhile without a display cannot have started it first.
set -euo pipefail
n=120
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
prefix=
cleanup() {
  if [ -n "$prefix" ]; then
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ]; then
  prefix=$(mktemp -d /tmp/kinoha-ui-prefix.XXXXXX)
  cp -a "$WINEPREFIX/." "$prefix/"
  export WINEPREFIX="$prefix"
fi
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$@"
