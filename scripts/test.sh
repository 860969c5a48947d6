#!/usr/bin/env bash
# Builds and runs every test: native, native under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Windows build under Wine with the release package, and the fuzz targets for a bounded time (about a minute in all).
# Fails when any of them fails, runs no test or finds anything.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
status=0
# Tests write only under their own temporary folders: the checkout must look the same after.
tree_state() { git status --porcelain --untracked-files=all 2>/dev/null || true; }
tree_before=$(tree_state)
run() {
  echo "==== $*"
  if ! "$@"; then status=1; echo "==== FAILED: $*"; fi
}

run cmake --preset native
run cmake --build --preset native -j "$jobs"
run ctest --preset native -j "$jobs"

run cmake --preset asan
run cmake --build --preset asan -j "$jobs"
run ctest --preset asan -j "$jobs"

run cmake --preset windows
run cmake --build --preset windows -j "$jobs"
# A Wine prefix of its own, made once, before the tests start.
export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  LC_ALL=ja_JP.UTF-8
# The server writes the new registry out when it ends: wait for that before tests copy the prefix.
[ -f "$WINEPREFIX/system.reg" ] || { run wineboot -i; wineserver -w; }
# The release zip from this build (dist/); ctest's e2e_package unpacks and starts a copy of it.
run env SKIP_BUILD=1 bash scripts/package.sh
run ctest --preset windows -j "$jobs"
wineserver -k 2>/dev/null || true

run cmake --preset fuzz
run cmake --build --preset fuzz -j "$jobs"
run bash scripts/fuzz.sh 12

tree_after=$(tree_state)
if [ "$tree_after" != "$tree_before" ]; then
  echo "==== FAILED: the tests changed the checkout:"
  diff <(echo "$tree_before") <(echo "$tree_after") || true
  status=1
fi

if [ "$status" -ne 0 ]; then
  echo "Some builds or tests FAILED"
fi
exit "$status"
