#!/usr/bin/env bash
# kinoha-make.exe under Wine with the stand-in as VB, on the sample projects: the exit codes,
# the stop at the first failure and --keep-going, a JUnit report that the JUnit schema accepts,
# every failure signal of the stand-in (fail, exit at once, crash, output left unchanged), a log
# of 100 MB, and VB6 found through the registry.
E2E_NAME=make-tool
source "$(dirname "$0")/lib.sh"
: "${SOURCE_DIR:?}"
cp "$BIN_DIR/kinoha-make.exe" "$PROGRAM_DIR/"
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
prepare_prefix
LOGS="$WORK/logs"
VB="$(winpath "$PROGRAM_DIR")\\vb-standin.exe"

: >"$ARTIFACTS/make-tool-output.txt"

# All built.
make_tool --vb "$VB" --log-dir "$(winpath "$LOGS")" "$(winpath "$PROJECTS")"
expect 0 "4 built, 0 failed"
grep -qF " /out \"$(winpath "$LOGS")\\Uriage.log\"" <(standin_log) || fail "no /out: $(standin_log)"

# Uriage told to fail (the group Zaiko.vbg holds it too): stop after it, or go on.
echo fail >"$PROJECTS/Uriage/Uriage.vbp.standin"
make_tool --vb "$VB" --log-dir "$(winpath "$LOGS")" --junit "$(winpath "$WORK")\\junit.xml" \
  "$(winpath "$PROJECTS")"
expect 1 "1 built, 1 failed, 2 not run" "変数が定義されていません。"
make_tool -k --vb "$VB" --log-dir "$(winpath "$LOGS")" --junit "$(winpath "$WORK")\\junit.xml" \
  --json "$(winpath "$WORK")\\result.json" "$(winpath "$PROJECTS")"
expect 1 "2 built, 2 failed"
cp "$WORK/junit.xml" "$WORK/result.json" "$ARTIFACTS/"
xmllint --noout --schema "$SOURCE_DIR/tests/cli/junit.xsd" "$WORK/junit.xml" ||
  fail "the JUnit report does not validate"
grep -q 'failures="2"' "$WORK/junit.xml" || fail "the JUnit report does not count 2 failures"
python3 -c "import json,sys; d=json.load(open(sys.argv[1])); assert d['failed'] == 2" \
  "$WORK/result.json" || fail "the JSON report is not what was expected"
rm "$PROJECTS/Uriage/Uriage.vbp.standin"

# Each other signal alone.
for mode in exit crash unchanged; do
  KINOHA_STANDIN_MODE=$mode make_tool --vb "$VB" --log-dir "$(winpath "$LOGS")" \
    "$(winpath "$PROJECTS/Tanaoroshi/Tanaoroshi.vbp")"
  case $mode in
    exit) expect 1 "ＶＢ本体がログを出力しませんでした" ;;
    crash) expect 1 "ＶＢ本体が終了コード 3221225477 で終了しました" ;;
    unchanged) expect 1 "出力ファイルが作成されていません" ;;
  esac
done
KINOHA_STANDIN_MODE="biglog 100" make_tool --vb "$VB" --log-dir "$(winpath "$LOGS")" \
  "$(winpath "$PROJECTS/Tanaoroshi/Tanaoroshi.vbp")"
expect 0 "1 built, 0 failed"

# Usage errors; then VB6 from the registry (the stand-in as VB6.EXE in its product folder).
make_tool "$(winpath "$PROJECTS")"
expect 2 "--vb"
make_tool --vb 'C:\no\VB6.EXE' "$(winpath "$PROJECTS")"
expect 2 "does not exist"
mkdir -p "$WORK/VB98"
cp "$PROGRAM_DIR/vb-standin.exe" "$WORK/VB98/VB6.EXE"
wine reg add 'HKLM\SOFTWARE\Microsoft\VisualStudio\6.0\Setup\Microsoft Visual Basic' \
  /v ProductDir /t REG_SZ /d "$(winpath "$WORK/VB98")" /f >/dev/null 2>&1
make_tool --log-dir "$(winpath "$LOGS")" "$(winpath "$PROJECTS/Tanaoroshi/Tanaoroshi.vbp")"
expect 0 "1 built, 0 failed"
log "passed"
