#!/usr/bin/env bash
# The exclusion list editor on the sample projects: its place from a stored position with a
# negative top, the message for an empty or blank text, adding and deleting, closing with the
# title bar's close box, the tray menu without the excluded project, and the "[JYOGAI]" line
# saved at the end.
E2E_NAME=exclusion-editor
source "$(dirname "$0")/lib.sh"
# Later lines win: top -600 twips, left 1500 twips (100 pixels at 96 DPI).
start_on_samples "[TOP   ]-600" "[LEFT  ]1500" "[FILE  ]0"

# The window's outer rectangle on the screen: X Y WIDTH HEIGHT.
window_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Waits for the "設定エラー" message, keeps a picture of it and closes it.
expect_blank_message() {
  wait_window '^設定エラー$' 25 >/dev/null || fail "no 設定エラー message for $1"
  sleep 0.3
  screenshot "message-$2"
  keys Return
  wait_no_window '^設定エラー$' || fail "the message did not close"
}

tray_click 3
choose_from_bottom 7  # "表示除外するプロジェクトを指定"
editor=$(wait_window '^表示除外プロジェクト指定画面$') || fail "the editor did not open"
sleep 0.5
screenshot editor-open
read -r x y w h < <(window_rect "$editor")
[ "$x" = 100 ] && [ "$y" = 0 ] || fail "the editor is at $x,$y, not at 100,0"

# The text field has the focus: Tab reaches "追加".
keys Tab space
expect_blank_message "an empty text" empty
keys shift+Tab
type_text "   "
keys Tab space
expect_blank_message "a text of blanks" blanks

keys shift+Tab Home shift+End BackSpace
type_text "Tanaoroshi"
keys Tab space
keys shift+Tab Home shift+End BackSpace
type_text "Uriage"
keys Tab space
sleep 0.3
screenshot two-added
# The list's first entry selected, then "削除".
keys Tab Home Tab space
sleep 0.3
screenshot first-deleted

# The title bar's close box applies the list.
xdotool mousemove $((x + w - 12)) $((y + 11)) click 1
wait_no_window '^表示除外プロジェクト指定画面$' || fail "the close box did not close the editor"

# The menu without Uriage: its second entry is now the group after it.
sorted_projects >"$WORK/sorted.txt"
mapfile -t projects < <(grep -v 'Uriage' "$WORK/sorted.txt")
tray_click 3
screenshot menu-without-uriage
keys Down Down Return
for _ in $(seq 50); do standin_log | grep -qF "\"${projects[1]}\"" && break; sleep 0.2; done
standin_log | grep -qF "\"${projects[1]}\"" ||
  fail "the second entry did not open ${projects[1]}: $(standin_log)"

end_program
settings=$(read_settings)
echo "$settings" | grep -c '^\[JYOGAI\]' | grep -qx 1 || fail "not one exclusion saved: $settings"
echo "$settings" | grep -A1 -x '\[UNDER \]0' | grep -qx '\[JYOGAI\]Uriage' ||
  fail "the exclusion is not saved after [UNDER ]: $settings"
echo "$settings" | grep -qx '\[TOP   \]-600' || fail "the stored position changed: $settings"
log "passed"
