#!/usr/bin/env bash
# The launcher at team scale: the icon before a slow search ends and 終了 during it; the start-up
# entry added and removed; a project added to the tree appears without a restart; the hotkey opens
# the quick-open window, typing narrows it and Enter opens the project in the VB stand-in; the
# window at 96 and 144 DPI.
E2E_NAME=launcher
source "$(dirname "$0")/lib.sh"
: "${SOURCE_DIR:?}"
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
# Folders enough that the slowed search takes long: at 50 ms a step and at least two steps a
# folder (its listing and the descent into it), 200 folders take 20 s or more.
for i in $(seq 200); do mkdir -p "$PROJECTS/tree/d$i"; done
start_display
prepare_prefix
prepared_settings

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
startup_entry() { wine reg query "$run_key" /v Kinoha 2>/dev/null | tr -d '\r' | grep -F 'kinoha.exe' || true; }

# ---- A slow search: the icon comes at once, and 終了 does not wait for the search.
started=$(date +%s%N)
KINOHA_TEST_SEARCH_DELAY_MS=50 start_kinoha
wait_tray_ready || fail "no tray icon"
elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
log "tray icon after $elapsed ms"
[ "$elapsed" -lt 10000 ] || fail "the icon waited for the search ($elapsed ms)"
tray_click 3
screenshot searching
keys Escape
ending=$(date +%s%N)
end_program
elapsed=$(( ($(date +%s%N) - ending) / 1000000 ))
log "ended $elapsed ms after 終了 was chosen during the search"
[ "$elapsed" -lt 8000 ] || fail "the end waited for the search ($elapsed ms)"

# ---- The usual search.
start_kinoha
wait_tray_ready || fail "no tray icon"
sleep 2

# "Windows 起動時に起動", the tenth entry from the bottom, adds the program and removes it again.
[ -z "$(startup_entry)" ] || fail "a start-up entry before any was asked for"
tray_click 3
choose_from_bottom 10
startup_entry | grep -qF "$(winpath "$PROGRAM_DIR")\\kinoha.exe" ||
  fail "no start-up entry for the program: $(wine reg query "$run_key" 2>&1 | tr -d '\r')"
tray_click 3
screenshot startup-checked
keys Escape
tray_click 3
choose_from_bottom 10
[ -z "$(startup_entry)" ] || fail "the start-up entry was not removed"

# A project added to the tree is seen after the changes settle, without a restart: it sorts last,
# so it is the entry above the commands (13 from the bottom).
mkdir -p "$PROJECTS/Zz新規"
cp "$PROJECTS/Uriage/Uriage.vbp" "$PROJECTS/Zz新規/Zz.vbp"
added="$(winpath "$PROJECTS")\\Zz新規\\Zz.vbp"
sleep 6
tray_click 3
screenshot project-added
choose_from_bottom 13
for _ in $(seq 50); do standin_log | grep -qF "\"$added\"" && break; sleep 0.2; done
standin_log | grep -qF "\"$added\"" || fail "the added project was not offered: $(standin_log)"

# The hotkey opens the quick-open window; typing narrows the list; Enter opens the project.
focus_desktop
xdotool key ctrl+alt+k
wait_window '^クイックオープン$' >/dev/null || fail "the hotkey did not open the window"
sleep 0.5
screenshot quick-open
type_text "zaiko vbp"
sleep 0.5
screenshot quick-open-narrowed
before=$(standin_log | wc -l)
keys Return
zaiko="$(winpath "$PROJECTS")\\Zaiko\\Zaiko.vbp"
for _ in $(seq 50); do [ "$(standin_log | wc -l)" -gt "$before" ] && break; sleep 0.2; done
standin_log | tail -1 | grep -qF "\"$zaiko\"" || fail "Enter did not open [$zaiko]: $(standin_log)"
wait_no_window '^クイックオープン$' || fail "the window stayed open"

# The menu entry opens it as well; the projects opened last come first (and are saved).
tray_click 3
choose_from_bottom 12
wait_window '^クイックオープン$' >/dev/null || fail "クイックオープン did not open the window"
sleep 0.5
screenshot quick-open-recent-first
keys Escape
wait_no_window '^クイックオープン$' || fail "Esc did not close the window"
end_program
read_settings | grep -qxF "[RECENT]$zaiko" || fail "the recent projects were not saved: $(read_settings)"
[ "$(read_settings | grep -F '[RECENT]' | head -1)" = "[RECENT]$zaiko" ] ||
  fail "the last opened project is not the first: $(read_settings)"

# ---- The window at 144 DPI (a new Wine session reads the setting).
wineserver -k >/dev/null 2>&1 || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start_kinoha
sleep 6
focus_desktop
xdotool key ctrl+alt+k
wait_window '^クイックオープン$' >/dev/null || fail "the hotkey did not open the window at 144 DPI"
sleep 0.5
type_text "uriage"
sleep 0.5
screenshot quick-open-144dpi
log "passed"
