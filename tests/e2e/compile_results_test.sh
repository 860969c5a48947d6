#!/usr/bin/env bash
# The batch compile window's results: three sample projects compiled by the stand-in, the second
# told to fail; the rows read 成功/失敗/成功 with their times, the group left out keeps no mark,
# the status line gives the counts; the failed row's log opens with the program registered for
# ".log" files, on a double-click and on Enter. (A separate test from compile_window_test.sh:
# under Wine's virtual desktop the tray's pop-up menu takes no keys after the shell has started
# the viewer, so nothing here uses the menu after that.)
E2E_NAME=compile-results
source "$(dirname "$0")/lib.sh"
start_on_samples "[FILE  ]0"
echo fail >"$PROJECTS/Uriage/Uriage.vbp.standin"
vb="$(winpath "$PROGRAM_DIR")\\vb-standin.exe"
# The viewer of ".log" files: the stand-in, which records the command line it is given.
wine reg add 'HKLM\Software\Classes\.log' /ve /d KinohaTestLog /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\KinohaTestLog\shell\open\command' /ve \
  /d "\"$vb\" \"%1\"" /f >/dev/null 2>&1

tray_click 3
choose_from_bottom 5  # "自動コンパイル画面"
WIN=$(wait_window '^自動コンパイル画面$') || fail "the compile window did not open"
sleep 1
select_sample_projects
keys Tab space  # "コンパイル開始"
for _ in $(seq 100); do [ "$(standin_log | grep -c '/make')" -ge 3 ] && break; sleep 0.2; done
sleep 1.5

texts=$(wine "$BIN_DIR/window-texts.exe" kinoha '自動コンパイル画面' 2>/dev/null | tr -d '\r')
echo "$texts" >"$ARTIFACTS/compile-results-texts.txt"
for want in "LISTBOX[0] 【成功 " "LISTBOX[1] 【失敗 " "LISTBOX[2] $(winpath "$PROJECTS/Zaiko.vbg")" \
  "LISTBOX[3] 【成功 " "Static コンパイル終了：成功 2／失敗 1"; do
  grep -qF -- "$want" <<<"$texts" || fail "the window does not show [$want]: $texts"
done
[ ! -e "$PROJECTS/bin/Uriage.exe" ] || fail "the failing project has an output file"
screenshot mixed-run
read -r x y w h <<<"$(xwininfo -id "$WIN" | awk -F: '/Absolute upper-left X/{x=$2}
  /Absolute upper-left Y/{y=$2} /Width/{w=$2} /Height/{h=$2} END{print x + 0, y + 0, w + 0, h + 0}')"
import -window root -crop "${w}x${h}+${x}+${y}" "$ARTIFACTS/compile-window-mixed-run.png" 2>/dev/null || true

# The failed row opens its log: Enter on it, then a double-click. Under Wine the window may be
# left inactive once the viewer has run (a first click then only activates it), or active (its
# taskbar button would then minimise it): a single click on the same row first activates it
# either way, as a user would do.
opened_log() {
  for _ in $(seq 50); do [ "$(standin_log | wc -l)" -ge "$1" ] && break; sleep 0.2; done
  local opened
  opened=$(standin_log | sed -n "$1p")
  [[ "$opened" == "\"$vb\" \""*"\\Kinoha\\logs\\"*"\\Uriage.log\"" ]] ||
    fail "the failed row did not open its log ($2): [$opened]"
}
xdotool mousemove --window "$WIN" 200 $((ROW0 + 13)) click 1
sleep 0.3
keys Return
opened_log 4 Enter
focus_desktop
xdotool mousemove --window "$WIN" 200 $((ROW0 + 13)) click 1
sleep 0.5
xdotool mousemove --window "$WIN" 200 $((ROW0 + 13)) click --repeat 2 --delay 80 1
opened_log 5 double-click
log_file=$(standin_log | sed -n 4p | sed 's/.* "\(.*\)"$/\1/')
log "opened $log_file"
screenshot log-opened
log "passed"
