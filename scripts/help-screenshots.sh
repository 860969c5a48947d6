#!/usr/bin/env bash
# Takes the help's pictures (docs/help/Kinoha-help/*.png) from the Windows build running under
# Wine on the sample projects: the tray, both menus with the entry a section describes chosen,
# and every window. Run it after a change to a window; the pictures are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
OUT=${OUT:-$PWD/docs/help/Kinoha-help}
export BIN_DIR="$PWD/build/windows/bin" ARTIFACTS="$PWD/build/help-screenshots" SOURCE_DIR="$PWD"
export E2E_NAME=help
source tests/e2e/lib.sh
mkdir -p "$OUT"

# Outer place and size of an X window: "x y width height".
rect_of() {
  xwininfo -id "$1" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /Width/{w=$2} /Height/{h=$2} END{print x + 0, y + 0, w + 0, h + 0}'
}
crop() {  # file x y w h
  import -window root -crop "$4x$5+$2+$3" +repage -strip "PNG8:$OUT/$1.png"
  log "$OUT/$1.png"
}
window_shot() {  # file title-regex
  local id x y w h
  id=$(wait_window "$2") || fail "no window $2"
  sleep 2  # a dialog fills its controls after it appears; a loaded machine takes longer
  read -r x y w h < <(rect_of "$id")
  crop "$1" "$x" "$y" "$w" "$h"
}
# The open pop-up menu: a visible window without a name, smaller than the desktop.
menu_shot() {  # file
  local m x y w h
  for m in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$m" 2>/dev/null)" ] || continue
    read -r x y w h < <(rect_of "$m")
    if [ "$w" -lt 1024 ] && [ "$h" -gt 60 ]; then crop "$1" "$x" "$y" "$w" "$h"; return 0; fi
  done
  fail "no menu open for $1"
}
# The main menu with the entry `n` steps up from the bottom selected.
main_menu_at() {  # file n
  local i
  tray_click 3
  for i in $(seq "$2"); do xdotool key Up; sleep 0.1; done
  sleep 0.3
  menu_shot "$1"
}

# The sample projects under C:\Work, as a user's would lie, not under the test's temporary path.
start_display
prepare_prefix
PROJECTS="$WINEPREFIX/drive_c/Work"
mkdir -p "$PROJECTS"
cp -r examples/. "$PROJECTS/"
write_settings "[TOP   ]0" "[LEFT  ]0" "[HEIGHT]4515" "[WIDTH ]6630" \
  "[VBMAIN]$(winpath "$PROGRAM_DIR")\\vb-standin.exe" "[DIR   ]C:\\Work" "[UNDER ]0" "[FILE  ]0"
start_kinoha
wait_tray_ready || fail "no tray icon"
crop tray 904 738 120 30
tray_click 1
sleep 0.3
menu_shot executables-menu
keys Escape
tray_click 3
sleep 0.3
menu_shot main-menu
keys Escape

main_menu_at menu-dir 9
keys Return
window_shot dir-dialog 'フォルダーの参照'
keys Escape
sleep 1
main_menu_at menu-path 8
keys Return
window_shot path-dialog 'ﾌｧｲﾙを指定してください'
keys Escape
sleep 1
main_menu_at menu-file-names-only 6
keys Escape
main_menu_at menu-help 2
keys Escape
main_menu_at menu-end 1
keys Escape
tray_click 3
xdotool key Down
sleep 0.3
menu_shot menu-project
keys Escape

tray_click 3
choose_from_bottom 7
window_shot exclusion-editor '^表示除外プロジェクト指定画面$'
keys alt+F4
sleep 1
tray_click 3
choose_from_bottom 5
window_shot compile-window '^自動コンパイル画面$'
keys alt+F4
sleep 1
tray_click 3
choose_from_bottom 4
window_shot step-window '^ステップ算出$'
keys alt+F4
sleep 1
tray_click 3
choose_from_bottom 3
window_shot version-window '^Kinoha バージョン情報 VB6用$'
keys Return
sleep 1
end_program
