#!/usr/bin/env bash
# The step count window's "差分算出...": the sample projects against an older copy of them, the
# older version's folder chosen in the folder browser; the report written beside the project is
# byte for byte the one kinoha-step --diff writes.
E2E_NAME=step-diff
source "$(dirname "$0")/lib.sh"
: "${SOURCE_DIR:?}"
# The older release beside the project tree; the working tree then gains a function in Zaiko.
release="$WORK/zz-release"
mkdir -p "$release"
cp -r "$SOURCE_DIR/examples/." "$release/"
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
printf "\r\n' 在庫を数える\r\nPublic Function ZaikoCount() As Long\r\n    ZaikoCount = 0\r\nEnd Function\r\n" |
  iconv -f UTF-8 -t CP932 >>"$PROJECTS/Zaiko/Modules/MZaiko.bas"
start_display
prepare_prefix
prepared_settings "[FILE  ]0"
start_kinoha
wait_tray_ready || fail "no tray icon"

tray_click 3
choose_from_bottom 4  # "ステップ算出"
wait_window '^ステップ算出$' >/dev/null || fail "the step count window did not open"
sleep 1
screenshot opened

# Rows: Tanaoroshi, Uriage, the group's Zaiko and Uriage, then Zaiko. The focus starts on
# "終了"; the options row and "差分算出..." follow "算出のみ" in the tab order.
xdotool mousemove 200 10 click 1
sleep 0.5
keys Tab Home Down Down        # the group's Zaiko
keys Tab Tab Tab Tab Tab Tab   # the box, 算出後、結果表示, 算出のみ, the two options, 差分算出...
screenshot diff-focused
keys space
wait_window 'フォルダーの参照' >/dev/null || fail "the folder browser did not come"
sleep 1
screenshot browser-opened
# The tree gets the focus (from "OK"); under Wine it opens on the project folder's drive. Typing
# a name selects that child among the items shown, Right opens it.
keys shift+Tab
for part in tmp "$(basename "$WORK")" zz; do
  sleep 0.6
  xdotool type --delay 40 "$part"
  sleep 0.4
  [ "$part" = zz ] || keys Right
done
sleep 0.5
screenshot release-chosen
keys Return

report="$PROJECTS/Zaiko/Zaiko_StepDiff.csv"
wait_file "$report" || fail "the diff report was not written"
sleep 1
screenshot counted
[ ! -e "$PROJECTS/Zaiko/Zaiko_Step.csv" ] || fail "a step report was written"
[ ! -e "$PROJECTS/Uriage/Uriage_StepDiff.csv" ] || fail "a project that was not selected was compared"
if xdotool search --name '^差分算出$' >/dev/null 2>&1; then fail "an older version was not found"; fi

# kinoha-step --diff on copies writes the same bytes.
mkdir -p "$WORK/copy"
cp -a "$PROJECTS/." "$WORK/copy/"
rm -f "$WORK/copy/Zaiko/Zaiko_StepDiff.csv"
wine "$BIN_DIR/kinoha-step.exe" --diff "$(winpath "$release/Zaiko/Zaiko.vbp")" \
  "$(winpath "$WORK/copy/Zaiko/Zaiko.vbp")" >"$WORK/tool.log" 2>&1 || fail "kinoha-step failed: $(cat "$WORK/tool.log")"
cmp "$report" "$WORK/copy/Zaiko/Zaiko_StepDiff.csv" || fail "the report differs from kinoha-step's"
iconv -f CP932 -t UTF-8 "$report" | tr -d '\r' | grep -qx 'MZaiko,Module,変更,-,-,-,3,0,0,1,0,0' ||
  fail "the changed module is not counted: $(iconv -f CP932 -t UTF-8 "$report")"
log "the window's diff report equals kinoha-step's"

end_program
log "passed"
