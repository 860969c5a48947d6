#!/usr/bin/env bash
# Several compiles at once under Wine: kinoha-make -j 3 over a chain L ← M and three free
# projects, the stand-in taking a second each (the slots' lines, the JSON's start and end: M
# starts only after L has ended, three ran together); then the compile window with
# 同時実行数 3 over the sample projects, its rows shown 【実行中】 while they compile.
E2E_NAME=make-parallel
source "$(dirname "$0")/lib.sh"
cp "$BIN_DIR/kinoha-make.exe" "$PROGRAM_DIR/"
start_display
prepare_prefix
VB="$(winpath "$PROGRAM_DIR")\\vb-standin.exe"
export KINOHA_STANDIN_WAIT_MS=1500 WINEDEBUG=-all

mkdir -p "$WORK/make"
project() {  # name, lines (CR LF added)
  mkdir -p "$WORK/make/$1"
  printf '%s\r\n' 'Type=Exe' "${@:2}" "ExeName32=\"$1.exe\"" >"$WORK/make/$1/$1.vbp"
}
project L
project M 'Reference=*\G{1}#1.0#0#..\L\L.exe#L'
for f in F1 F2 F3; do project "$f"; done

make_tool -j 3 --vb "$VB" --log-dir "$(winpath "$WORK/logs")" \
  --json "$(winpath "$WORK")\\result.json" "$(winpath "$WORK/make")"
expect 0 "[1] compiling" "[3] compiling" "5 built, 0 failed in "
python3 - "$WORK/result.json" <<'PY' || fail "the JSON's times break the schedule: $(cat "$WORK/result.json")"
import json, sys
from datetime import datetime
r = {x["path"].split("\\")[-1]: x for x in json.load(open(sys.argv[1]))["results"]}
t = lambda s: datetime.strptime(s, "%Y-%m-%dT%H:%M:%S.%fZ").timestamp()
assert t(r["M.vbp"]["start"]) >= t(r["L.vbp"]["end"]), "M before L ended"
spans = [(t(x["start"]), t(x["end"])) for x in r.values()]
most = max(sum(1 for s, e in spans if s <= at < e) for at, _ in spans)
assert most == 3, f"{most} at once"
PY

# The window with three at once.
rm -rf "${PROJECTS:?}"/*
cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
prepared_settings "[FILE  ]0" "[JOBS  ]3"
start_kinoha
wait_tray_ready || fail "no tray icon"
tray_click 3
choose_from_bottom 5  # "自動コンパイル画面"
WIN=$(wait_window '^自動コンパイル画面$') || fail "the compile window did not open"
sleep 1
select_sample_projects
keys Tab space  # "コンパイル開始"
texts=
seen_running=0
for _ in $(seq 150); do
  texts=$(wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r')
  if [ "$seen_running" = 0 ] && grep -qF "（実行中 3）" <<<"$texts"; then
    seen_running=1
    screenshot running
    echo "$texts" >"$ARTIFACTS/make-parallel-running-texts.txt"
  fi
  # The list was read before the status line: once the run has ended, read it all again.
  grep -qF "Static コンパイル終了" <<<"$texts" &&
    texts=$(wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r') &&
    break
  sleep 0.2
done
[ "$seen_running" = 1 ] || fail "three rows were never shown compiling at once: $texts"
grep -qF "LISTBOX[0] 【実行中 " "$ARTIFACTS/make-parallel-running-texts.txt" ||
  fail "no row was marked 【実行中】"
for want in "LISTBOX[0] 【成功 " "LISTBOX[1] 【成功 " "LISTBOX[3] 【成功 " \
  "Static コンパイル終了：成功 3／失敗 0"; do
  grep -qF -- "$want" <<<"$texts" || fail "the window does not show [$want]: $texts"
done
screenshot done
log "passed"
