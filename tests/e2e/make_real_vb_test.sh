#!/usr/bin/env bash
# kinoha-make.exe under Wine with the stand-in behaving as the public record says VB6 does: a
# modal box that would stay forever, a log without a verdict, AutoIncrementVer=1 built twice with
# --changed (VB's write-back must not make it stale), a project that references the registered
# copy of another project's DLL, and a VB that never ends; no stand-in is left running.
E2E_NAME=make-real-vb
source "$(dirname "$0")/lib.sh"
cp "$BIN_DIR/kinoha-make.exe" "$PROGRAM_DIR/"
# The display comes first: a Wine server started without one (by the prefix's first command)
# keeps a desktop on which no box can be shown, and MessageBox then fails at once.
start_display
prepare_prefix
LOGS="$WORK/logs"
VB="$(winpath "$PROGRAM_DIR")\\vb-standin.exe"

project() {  # folder, file name, lines (CR LF added)
  mkdir -p "$PROJECTS/$1"
  printf '%s\r\n' "${@:3}" >"$PROJECTS/$1/$2"
}
project Dlg Dlg.vbp 'Type=Exe' 'ExeName32="Dlg.exe"'
echo dialog >"$PROJECTS/Dlg/Dlg.vbp.standin"
project NoV NoV.vbp 'Type=Exe' 'ExeName32="NoV.exe"'
echo noverdict >"$PROJECTS/NoV/NoV.vbp.standin"
project Rev Rev.vbp 'Type=Exe' 'ExeName32="Rev.exe"' 'RevisionVer=0' 'AutoIncrementVer=1'
project Kyo Kyotsu.vbp 'Type=OleDll' 'Name="Kyotsu"' 'CompatibleMode="2"'
project Use Use.vbp 'Type=Exe' \
  'Reference=*\G{5E0C2A81-0000-4000-8000-000000000002}#1.0#0#C:\Windows\System32\Kyotsu.dll#Kyotsu' \
  'ExeName32="Use.exe"'

# A stand-in still running (an ended one may linger a moment as a zombie: it runs no more).
no_standin_left() {
  local left=
  for _ in $(seq 25); do
    left=$(ps -eo stat=,args= | awk '$1 !~ /^Z/ && /vb-standin/ && !/awk/')
    [ -z "$left" ] && return 0
    sleep 0.2
  done
  fail "a stand-in is still running: $left"
}
: >"$ARTIFACTS/make-real-vb-output.txt"

start=$(date +%s)
make_tool --keep-going --vb "$VB" --log-dir "$(winpath "$LOGS")" \
  --json "$(winpath "$WORK")\\result.json" "$(winpath "$PROJECTS")"
expect 1 "ＶＢがダイアログを表示しました：Errors during load." "File not found: '" \
  "3 built, 2 failed" "Kyotsu.vbp)"
[ $(($(date +%s) - start)) -lt 120 ] || fail "the run took $(($(date +%s) - start)) s"
[ -f "$PROJECTS/bin/Kyotsu.dll" ] || [ -f "$PROJECTS/Kyo/Kyotsu.dll" ] ||
  fail "Kyotsu.dll (Name and Type) was not built"
grep -q '^RevisionVer=1' <(tr -d '\r' <"$PROJECTS/Rev/Rev.vbp") || fail "Rev.vbp was not written back"
python3 - "$WORK/result.json" <<'PY' || fail "the JSON report lacks its codes"
import json, sys
codes = {r["code"] for r in json.load(open(sys.argv[1]))["results"]}
assert {"dialog", "built"} <= codes, codes
PY
no_standin_left

# Built again with --changed: VB's own write-back leaves Rev up to date.
make_tool --changed --vb "$VB" --log-dir "$(winpath "$LOGS")" "$(winpath "$PROJECTS/Rev/Rev.vbp")"
expect 0 "up to date  " "0 built, 0 failed, 1 up to date"

# A box shown by a process VB started is met as VB's own, and both are ended.
echo child >"$PROJECTS/NoV/NoV.vbp.standin"
make_tool --vb "$VB" --log-dir "$(winpath "$LOGS")" "$(winpath "$PROJECTS/NoV/NoV.vbp")"
expect 1 "ＶＢがダイアログを表示しました：Errors during load."
no_standin_left

# A VB that never ends is ended at its time limit.
KINOHA_STANDIN_MODE=forever make_tool --timeout 2 --vb "$VB" --log-dir "$(winpath "$LOGS")" \
  "$(winpath "$PROJECTS/Use/Use.vbp")"
expect 1 "時間切れ（2秒）"
no_standin_left

# The window meets the same box: the first sample project shows it, its row reads 失敗 and the
# run goes on to the next one.
rm -rf "${PROJECTS:?}"/*
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
echo dialog >"$PROJECTS/Tanaoroshi/Tanaoroshi.vbp.standin"
prepared_settings "[FILE  ]0"
start_kinoha
wait_tray_ready || fail "no tray icon"
tray_click 3
choose_from_bottom 5  # "自動コンパイル画面"
WIN=$(wait_window '^自動コンパイル画面$') || fail "the compile window did not open"
sleep 1
select_sample_projects
keys Tab space  # "コンパイル開始"
texts=
for _ in $(seq 150); do
  texts=$(wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r')
  # The list was read before the status line: once the run has ended, read it all again.
  grep -qF "Static コンパイル終了" <<<"$texts" &&
    texts=$(wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r') &&
    break
  sleep 0.2
done
echo "$texts" >"$ARTIFACTS/make-real-vb-window-texts.txt"
for want in "LISTBOX[0] 【失敗 " "LISTBOX[1] 【成功 " "Static コンパイル終了：成功 2／失敗 1"; do
  grep -qF -- "$want" <<<"$texts" || fail "the window does not show [$want]: $texts"
done
# The failed row's tooltip (the caret's row) holds the box's text, seen on the screenshot.
xdotool mousemove --window "$WIN" 150 $ROW0 click 1
xdotool mousemove --window "$WIN" 150 $((ROW0 + 100))
sleep 0.5
xdotool mousemove --window "$WIN" 152 $((ROW0 + 2))
sleep 1.5
screenshot dialog-row
no_standin_left
log "passed"
