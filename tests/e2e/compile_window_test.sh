#!/usr/bin/env bash
# The batch compile window on the sample projects: three projects selected and compiled by the
# stand-in (a second each), each command line with VB's log switch, the tray deaf while they run, the window's height and place kept
# from one opening to the next and written to the settings file at the end.
E2E_NAME=compile-window
source "$(dirname "$0")/lib.sh"
export KINOHA_STANDIN_WAIT_MS=1000
start_on_samples "[FILE  ]0"

open_window() {
  tray_click 3
  choose_from_bottom 5  # "自動コンパイル画面"
  WIN=$(wait_window '^自動コンパイル画面$') || fail "the compile window did not open"
  sleep 1
}
# Outer place and size of the window in pixels: "x y width height". (xdotool counts the place
# of a window inside the Wine desktop twice; xwininfo does not.)
window_box() {
  xwininfo -id "$WIN" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /Width/{w=$2} /Height/{h=$2} END{print x + 0, y + 0, w + 0, h + 0}'
}
# Whether a pop-up menu is open: a visible window without a name, smaller than the desktop and
# taller than the taskbar.
menu_open() {
  local w geometry
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] || continue
    geometry=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null) || continue
    eval "$geometry"
    if [ "$WIDTH" -lt 1024 ] && [ "$HEIGHT" -gt 60 ]; then return 0; fi
  done
  return 1
}

open_window
screenshot opened
read -r x0 y0 w0 h0 <<<"$(window_box)"
[ "$w0 $h0" = "442 301" ] || fail "the window opened at ${w0}x$h0, not 6630 x 4515 twips (442x301)"

select_sample_projects
screenshot selected

# "コンパイル開始" follows the list in the tab order.
keys Tab space
sleep 0.5
screenshot running
# Busy: a right click on the tray icon opens no menu.
tray_click 3
if menu_open; then
  screenshot menu-during-run
  keys Escape
  fail "the tray opened its menu during the compile run"
fi
screenshot tray-ignored

vb="$(winpath "$PROGRAM_DIR")\\vb-standin.exe"
bin="$(winpath "$PROJECTS")\\bin"
for _ in $(seq 100); do [ "$(standin_log | grep -c '/make')" -ge 3 ] && break; sleep 0.2; done
sleep 1.5  # the last compile's second and the end of the run
# Each command line: the quoted stand-in, the project, its output folder and VB's log switch
# with a log in this run's folder under %LOCALAPPDATA%\Kinoha\logs.
[ "$(standin_log | wc -l)" = 3 ] || fail "not three command lines: $(standin_log)"
n=0
while IFS= read -r line; do
  n=$((n + 1))
  p=$(sed -n "${n}p" <<<$'Tanaoroshi/Tanaoroshi\nUriage/Uriage\nZaiko/Zaiko')
  start="\"$vb\" /make \"$(winpath "$PROJECTS/$p.vbp")\" /outdir \"$bin\" /out \""
  [[ "$line" == "$start"*"\\Kinoha\\logs\\"*"\\${p#*/}.log\"" ]] ||
    fail "command line $n is [$line], not [$start...\\Kinoha\\logs\\...\\${p#*/}.log\"]"
done < <(standin_log)
for exe in Tanaoroshi Uriage Zaiko; do
  grep -q "placeholder written by vb-standin" "$PROJECTS/bin/$exe.exe" 2>/dev/null ||
    fail "no placeholder output $PROJECTS/bin/$exe.exe"
done
screenshot finished

# Drag the bottom edge 100 pixels down and the right edge 100 to the right (the width holds),
# then the title bar by (100, 50).
xdotool mousemove $((x0 + 200)) $((y0 + h0 - 1)) mousedown 1 mousemove $((x0 + 200)) $((y0 + h0 + 49)) \
  mousemove $((x0 + 200)) $((y0 + h0 + 99)) mouseup 1
sleep 0.5
xdotool mousemove $((x0 + w0 - 1)) $((y0 + 150)) mousedown 1 mousemove $((x0 + w0 + 49)) $((y0 + 150)) \
  mousemove $((x0 + w0 + 99)) $((y0 + 150)) mouseup 1
sleep 0.5
xdotool mousemove $((x0 + 200)) $((y0 + 10)) mousedown 1 mousemove $((x0 + 250)) $((y0 + 35)) \
  mousemove $((x0 + 300)) $((y0 + 60)) mouseup 1
sleep 1
screenshot resized
read -r x1 y1 w1 h1 <<<"$(window_box)"
# The title-bar drag sometimes lands twice under Wine: the place is only required to have moved.
[ "$w1 $h1" = "442 $((h0 + 100))" ] && [ "$x1" -gt "$x0" ] && [ "$y1" -gt "$y0" ] ||
  fail "after the drags the window is at $x1,$y1 ${w1}x$h1 (was $x0,$y0 ${w0}x$h0)"

# "終了": 45 pixels above the window's bottom edge, 392 from its left (at 96 DPI).
xdotool mousemove $((x1 + 392)) $((y1 + h1 - 45)) click 1
wait_no_window '^自動コンパイル画面$' || fail "終了 did not close the window"

open_window
screenshot reopened
read -r x2 y2 w2 h2 <<<"$(window_box)"
[ "$x2 $y2 $w2 $h2" = "$x1 $y1 $w1 $h1" ] ||
  fail "reopened at $x2,$y2 ${w2}x$h2, closed at $x1,$y1 ${w1}x$h1"

# Idle again: the same click opens the menu (and so the check above can see one).
tray_click 3
menu_open || fail "the tray opened no menu when idle"
keys Escape
end_program
settings=$(read_settings)
for line in "[TOP   ]$((y1 * 15))" "[LEFT  ]$((x1 * 15))" "[HEIGHT]$((h1 * 15))" "[WIDTH ]6630"; do
  grep -qxF "$line" <<<"$settings" || fail "the settings file lacks [$line]: $settings"
done
log "passed"
