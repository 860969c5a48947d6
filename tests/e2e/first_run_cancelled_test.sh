#!/usr/bin/env bash
# A first run whose VB executable question is cancelled: the "指定エラー" message, then the
# program ends; no settings file, no process, no tray icon left.
E2E_NAME=first-run-cancelled
source "$(dirname "$0")/lib.sh"
start_display
prepare_prefix
start_kinoha
wait_window '^情報$' >/dev/null || fail "the VB executable question did not come"
sleep 1  # the box takes the keys once it is drawn and active; a loaded machine is slower
keys Return
wait_window 'ﾌｧｲﾙを指定してください' >/dev/null || fail "the open-file dialog did not come"
sleep 1
keys Escape
wait_window '^指定エラー$' >/dev/null || fail "no 指定エラー message"
sleep 0.5
screenshot error-message
keys Return
for _ in $(seq 50); do kinoha_running || break; sleep 0.2; done
kinoha_running && fail "the program is still running"
[ ! -e "$(settings_file)" ] || fail "a settings file was written"
tray_icon_shown && fail "a tray icon was left behind"
log "passed"
