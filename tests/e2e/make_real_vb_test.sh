#!/usr/bin/env bash
# Not yet in the ctest list: its modal-box entry ended at once (exit 0, no log) once under a loaded
# ctest -j2 run, though it passes alone; run it by hand (BIN_DIR, ARTIFACTS, SOURCE_DIR set) until that is understood.
# kinoha-make.exe under Wine with the stand-in behaving as the public record says VB6 does: a
# modal box that would stay forever, a log without a verdict, AutoIncrementVer=1 built twice with
# --changed (VB's write-back must not make it stale), a project that references the registered
# copy of another project's DLL, and a VB that never ends; no stand-in is left running.
E2E_NAME=make-real-vb
source "$(dirname "$0")/lib.sh"
cp "$BIN_DIR/kinoha-make.exe" "$PROGRAM_DIR/"
prepare_prefix
start_display  # the modal box needs a display to be shown on
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

no_standin_left() {
  ! pgrep -f 'vb-standin' >/dev/null || fail "a stand-in is still running: $(pgrep -af vb-standin)"
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

# A VB that never ends is ended at its time limit.
KINOHA_STANDIN_MODE=forever make_tool --timeout 2 --vb "$VB" --log-dir "$(winpath "$LOGS")" \
  "$(winpath "$PROJECTS/Use/Use.vbp")"
expect 1 "時間切れ（2秒）"
no_standin_left
log "passed"
