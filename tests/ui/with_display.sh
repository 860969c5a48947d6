#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (Xvfb picks a free number itself), so
# that Wine can create the windows under test. Wine's desktop belongs to the prefix and keeps
# the display of the process that started it, so the command also gets a copy of the prefix:
# other tests running meanwhile without a display cannot have started it first.
set -euo pipefail
numfile=$(mktemp /tmp/kinoha-xvfb.XXXXXX)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$numfile" ] && break; sleep 0.1; done
n=$(tr -dc '0-9' <"$numfile")
rm -f "$numfile"
[ -n "$n" ] || { echo "Xvfb did not start" >&2; kill "$xvfb" 2>/dev/null; exit 1; }
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
  # Without the temporary folders: tests running beside this one create and remove theirs there,
  # and a folder gone while it was copied failed the copy.
  (cd "$WINEPREFIX" && tar cf - --exclude='./drive_c/users/*/Temp/*' --ignore-failed-read . 2>/dev/null) |
    (cd "$prefix" && tar xf -) || true
  [ -f "$prefix/system.reg" ] || { echo "the Wine prefix could not be copied" >&2; exit 1; }
  export WINEPREFIX="$prefix"
fi
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$@"
