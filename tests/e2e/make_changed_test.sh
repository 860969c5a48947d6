#!/usr/bin/env bash
# "更新分のみコンパイル" in the batch compile window, with the stand-in as VB: three sample
# projects compiled (Uriage made to use Tanaoroshi's output), then one member of Tanaoroshi
# touched and the run repeated with the box ticked: only Tanaoroshi and Uriage, which references
# it, are compiled, in that order, and Zaiko reads 最新; the box is still ticked after a restart.
E2E_NAME=make-changed
source "$(dirname "$0")/lib.sh"
start_on_samples "[FILE  ]0"
sed -i '1a Reference=*\\G{5E0C2A81-0000-4000-8000-000000000001}#1.0#0#..\\bin\\Tanaoroshi.exe#Tanaoroshi\r' \
  "$PROJECTS/Uriage/Uriage.vbp"

texts() { wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r'; }
open_compile_window() {
  tray_click 3
  choose_from_bottom 5  # "自動コンパイル画面"
  WIN=$(wait_window '^自動コンパイル画面$') || fail "the compile window did not open"
  sleep 1
}
# Waits for the status line to report the end of a run; prints the window's texts.
run_ended() {
  local t
  for _ in $(seq 150); do
    t=$(texts)
    grep -q '^Static コンパイル終了' <<<"$t" && { echo "$t"; return 0; }
    sleep 0.2
  done
  fail "the run did not end: $t"
}
expect_texts() {
  local t=$1; shift
  for want in "$@"; do grep -qF -- "$want" <<<"$t" || fail "the window does not show [$want]: $t"; done
}
made() { standin_log | grep '/make' | sed 's/.*\\\([A-Za-z]*\)\.vb[pg]".*/\1/' | tr '\n' ' '; }

open_compile_window
expect_texts "$(texts)" "Button [ ] 更新分のみコンパイル"
select_sample_projects
keys Tab space  # "コンパイル開始"
expect_texts "$(run_ended)" "Static コンパイル終了：成功 3／失敗 0"
[ "$(made)" = "Tanaoroshi Uriage Zaiko " ] || fail "the first run compiled [$(made)]"

sleep 1.1
touch "$PROJECTS/Tanaoroshi/MTana.bas"
: >"$PROGRAM_DIR/vb-standin.log"
# The start button has the focus after a run; the check box comes next in the tab order.
keys Tab space
expect_texts "$(texts)" "Button [x] 更新分のみコンパイル"
keys shift+Tab space  # "コンパイル開始"
t=$(run_ended)
echo "$t" >"$ARTIFACTS/make-changed-texts.txt"
expect_texts "$t" "Static コンパイル終了：成功 2／失敗 0／最新 1" "LISTBOX[0] 【成功 " \
  "LISTBOX[1] 【成功 " "LISTBOX[3] 【最新】"
[ "$(made)" = "Tanaoroshi Uriage " ] || fail "the run with the box compiled [$(made)]"
screenshot changed-only

# The box is a setting: written on exit, ticked again after a restart.
end_program
read_settings | grep -qx '\[CHANGE\]1' || fail "the settings file lacks [CHANGE]1: $(read_settings)"
start_kinoha
wait_tray_ready || fail "no tray icon after the restart"
open_compile_window
expect_texts "$(texts)" "Button [x] 更新分のみコンパイル"
log "passed"
