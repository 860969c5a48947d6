#!/usr/bin/env bash
# The resident program on the sample projects: both menus, opening a project in the VB
# executable (the stand-in records its command line), a project deleted since the search, and
# the file-names-only switch saved at the end.
E2E_NAME=tray-menus
source "$(dirname "$0")/lib.sh"
start_on_samples "[FILE  ]0"

tray_click 3
screenshot main-menu
keys Escape
tray_click 1
screenshot executables-menu
keys Escape

# The first entry is the first project in sorted order; the VB executable gets it in quotes, and
# its own path is quoted too.
first=$(sorted_projects 1)
tray_click 3
keys Down Return
for _ in $(seq 50); do standin_log | grep -qF "\"$first\"" && break; sleep 0.2; done
expected="\"$(winpath "$PROGRAM_DIR")\\vb-standin.exe\" \"$first\""
standin_log | grep -qxF "$expected" || fail "the stand-in's log lacks [$expected]: $(standin_log)"

# A project deleted after the search: "ファイル無し", and nothing started.
second=$(sorted_projects 2)
rm -f "$(echo "${second#Z:}" | tr '\\' '/')"
before=$(standin_log | wc -l)
tray_click 3
keys Down Down Return
wait_window '^ファイル無し$' >/dev/null || fail "no ファイル無し message for a deleted project"
sleep 0.5
screenshot missing-project
keys Return
[ "$(standin_log | wc -l)" = "$before" ] || fail "something was started for a deleted project"

# File names only: the sixth entry from the bottom.
tray_click 3
choose_from_bottom 6
tray_click 3
screenshot file-names-only
keys Escape
end_program
read_settings | grep -qx '\[FILE  \]1' || fail "the file-names-only flag was not saved: $(read_settings)"
log "passed"
