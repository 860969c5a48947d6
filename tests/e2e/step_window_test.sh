#!/usr/bin/env bash
# The step count window from the tray: two sample projects counted with the continuation rule
# ticked, their reports compared byte for byte with kinoha-step's for the same projects, then one
# project counted and its report opened by the shell (Notepad, registered for .csv here), and the
# same project with a member gone: the failure told, nothing opened.
E2E_NAME=step-window
source "$(dirname "$0")/lib.sh"
: "${SOURCE_DIR:?}"
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
find "$PROJECTS" -name '*_Step.csv' -delete
start_display
prepare_prefix
# Wine opens .csv with nothing by default.
wine reg add 'HKCR\.csv' /ve /d csvfile /f >/dev/null 2>&1
wine reg add 'HKCR\csvfile\shell\open\command' /ve /d 'notepad.exe "%1"' /f >/dev/null 2>&1
prepared_settings "[FILE  ]0"
start_kinoha
wait_tray_ready || fail "no tray icon"

tray_click 3
choose_from_bottom 4  # "ステップ算出"
win=$(wait_window '^ステップ算出$') || fail "the step count window did not open"
sleep 1
screenshot opened

# A click on the title bar makes it the window the keys go to.
activate() { xdotool mousemove 200 10 click 1; sleep 0.5; }

# The focus starts on "終了"; Tab goes on to the list, the check box, "算出後、結果表示" and
# "算出のみ". Rows: Tanaoroshi, Uriage, then the group's Zaiko and Uriage, then Zaiko.
activate
keys Tab Home shift+Down  # the first two rows
keys Tab space            # tick "＿の行を１行と扱う"
screenshot selected
keys Tab Tab space        # "算出のみ"
tana="$PROJECTS/Tanaoroshi/Tanaoroshi_Step.csv"
uriage="$PROJECTS/Uriage/Uriage_Step.csv"
wait_file "$tana" && wait_file "$uriage" || fail "the reports were not written"
[ ! -e "$PROJECTS/Zaiko/Zaiko_Step.csv" ] || fail "a project that was not selected was counted"
sleep 1
screenshot counted

# kinoha-step on a copy (member files with their dates) writes the same bytes.
mkdir -p "$WORK/copy"
cp -a "$PROJECTS/." "$WORK/copy/"
find "$WORK/copy" -name '*_Step.csv' -delete
wine "$BIN_DIR/kinoha-step.exe" --under "$(winpath "$WORK/copy/Tanaoroshi/Tanaoroshi.vbp")" \
  "$(winpath "$WORK/copy/Uriage/Uriage.vbp")" >"$WORK/tool.log" 2>&1 || fail "kinoha-step failed: $(cat "$WORK/tool.log")"
cmp "$tana" "$WORK/copy/Tanaoroshi/Tanaoroshi_Step.csv" || fail "Tanaoroshi's report differs from kinoha-step's"
cmp "$uriage" "$WORK/copy/Uriage/Uriage_Step.csv" || fail "Uriage's report differs from kinoha-step's"
log "the window's reports equal kinoha-step's"

# Only the height follows the user: drag the lower edge down and the right edge out.
xdotool mousemove 200 300 mousedown 1 mousemove 200 350 mousemove 200 400 mouseup 1
sleep 0.5
xdotool mousemove 441 150 mousedown 1 mousemove 500 150 mousemove 600 150 mouseup 1
sleep 0.5
screenshot resized
geometry=$(xdotool getwindowgeometry "$win")
[ "$(sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p' <<<"$geometry")" = 442 ] || fail "the width was not held: $geometry"
height=$(sed -n 's/.*Geometry: [0-9]*x//p' <<<"$geometry")
[ "$height" -gt 390 ] || fail "the window did not grow: $geometry"

# "算出後、結果表示" on Tanaoroshi alone: counted again, then its report opened by the shell.
rm -f "$tana"
activate
keys Tab Tab Tab Tab Tab Home  # from "算出のみ" past the options row and "終了" to the list
keys Tab Tab space
wait_window 'Tanaoroshi_Step' >/dev/null || fail "the report was not opened in Notepad"
[ -e "$tana" ] || fail "the report was opened but not written"
sleep 1
screenshot report-opened
# Notepad's close button, at the right end of its caption.
pad=$(xdotool search --name 'Tanaoroshi_Step' | head -1)
padwidth=$(xdotool getwindowgeometry "$pad" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
xdotool mousemove $((padwidth - 12)) 12 click 1
wait_no_window 'Tanaoroshi_Step' || fail "Notepad did not close"

# A member that cannot be read: "算出後、結果表示" (still on Tanaoroshi alone) says the count
# failed, names the file, and opens nothing; the earlier report stays as it was.
mv "$PROJECTS/Tanaoroshi/MTana.bas" "$WORK/MTana.bas"
cp "$tana" "$WORK/tana-before.csv"
activate
xdotool mousemove 212 $((height - 47)) click 1  # "算出後、結果表示"
wait_window '^算出エラー$' >/dev/null || fail "no message told the failed count"
sleep 1
screenshot count-failed
keys Return
wait_no_window '^算出エラー$' || fail "the failure message did not close"
sleep 1
! xdotool search --name 'Tanaoroshi_Step' >/dev/null 2>&1 || fail "a report was opened after a failed count"
cmp "$tana" "$WORK/tana-before.csv" || fail "a failed count changed the earlier report"
mv "$WORK/MTana.bas" "$PROJECTS/Tanaoroshi/MTana.bas"
log "a failed count is told and opens nothing"

# "終了" sits 47 pixels above the outer lower edge (caption and frame as Wine draws them).
activate
xdotool mousemove 392 $((height - 47)) click 1
wait_no_window '^ステップ算出$' || fail "終了 did not close the window"
sleep 1
# Under Wine the tray menu takes no keys once another program (Notepad) has been in front, so
# its last entry "終了" is clicked.
tray_click 3
xdotool mousemove 900 737 sleep 0.3 click 1
for _ in $(seq 50); do kinoha_running || break; sleep 0.2; done
kinoha_running && fail "the program did not end"
settings=$(read_settings)
grep -qx '\[UNDER \]1' <<<"$settings" || fail "the ticked box was not saved: $settings"
grep -qx '\[WIDTH \]6630' <<<"$settings" || fail "the width was not held: $settings"
height=$(sed -n 's/^\[HEIGHT\]//p' <<<"$settings")
[ "$height" -gt 5500 ] || fail "the new height was not stored: $settings"
log "passed"
