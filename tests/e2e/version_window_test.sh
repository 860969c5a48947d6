#!/usr/bin/env bash
# The version window: its text (see the screenshot), the link's colours under the mouse, a
# title bar that cannot close it, one instance, the link opening the home page in a browser,
# and "OK" closing it.
E2E_NAME=version-window
source "$(dirname "$0")/lib.sh"
start_on_samples "[FILE  ]0"

TITLE='^Kinoha バージョン情報 VB6用$'
window_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
# Pixels of one colour (R G B) inside the window, and their bounding box: N X0 Y0 X1 Y1.
colour_box() {
  import -window root -crop "${w}x${h}+${x}+${y}" -depth 8 txt:- 2>/dev/null |
    awk -F'[:,() ]+' -v r="$1" -v g="$2" -v b="$3" -v ox="$x" -v oy="$y" '
      NR > 1 && $3 == r && $4 == g && $5 == b {
        n++; px = $1 + ox; py = $2 + oy
        if (n == 1 || px < x0) x0 = px; if (n == 1 || py < y0) y0 = py
        if (px > x1) x1 = px; if (py > y1) y1 = py }
      END { print n + 0, x0 + 0, y0 + 0, x1 + 0, y1 + 0 }'
}
version_windows() { xdotool search --name "$TITLE" 2>/dev/null | wc -l; }

tray_click 3
choose_from_bottom 3  # "バージョン情報"
win=$(wait_window "$TITLE") || fail "the version window did not open"
sleep 0.5
screenshot version-window
read -r x y w h < <(window_rect "$win")

# The link is blue; under the mouse cyan; over the rest of the window blue again.
read -r n lx0 ly0 lx1 ly1 < <(colour_box 0 0 255)
[ "$n" -gt 50 ] || fail "no blue link in the window"
xdotool mousemove $(((lx0 + lx1) / 2)) $(((ly0 + ly1) / 2))
sleep 0.5
read -r cyan _ < <(colour_box 0 255 255)
read -r blue _ < <(colour_box 0 0 255)
screenshot link-under-mouse
[ "$cyan" -gt 50 ] && [ "$blue" = 0 ] || fail "the link under the mouse: cyan $cyan, blue $blue"
xdotool mousemove $((x + 30)) $((y + 50))
sleep 0.5
read -r cyan _ < <(colour_box 0 255 255)
read -r blue _ < <(colour_box 0 0 255)
[ "$cyan" = 0 ] && [ "$blue" -gt 50 ] || fail "the link off the mouse: cyan $cyan, blue $blue"

# Neither the title bar's close box nor Alt+F4 closes it.
xdotool mousemove $((x + w - 12)) $((y + 11)) click 1
sleep 1
[ "$(version_windows)" = 1 ] || fail "the title bar's close box closed the window"
keys alt+F4
sleep 1
[ "$(version_windows)" = 1 ] || fail "Alt+F4 closed the window"

# Choosing the entry again shows the same window.
tray_click 3
choose_from_bottom 3
[ "$(version_windows)" = 1 ] || fail "a second version window opened"
[ "$(xdotool search --name "$TITLE" | head -1)" = "$win" ] || fail "the window was made anew"

# The link opens the home page in a browser (Wine's has the automation object) and no message.
xdotool mousemove $(((lx0 + lx1) / 2)) $(((ly0 + ly1) / 2)) click 1
browser=$(wait_window 'Internet Explorer' 50) || fail "no browser opened"
sleep 1
screenshot browser
read -r bx by bw _ < <(window_rect "$browser")
[ "$(version_windows)" = 1 ] || fail "the version window went away"
xdotool mousemove $((bx + bw - 12)) $((by + 11)) click 1
wait_no_window 'Internet Explorer' || fail "the browser did not close"

# "OK" closes it: the button's centre, 1440 + 1455 / 2 twips across and 1560 + 335 / 2 down
# the client area (96 DPI), which ends at the window's bottom border.
border=$(((w - 292) / 2))
client_top=$((y + h - border - 142))
xdotool mousemove $((x + border + 96 + 48)) $((client_top + 104 + 11)) click 1
wait_no_window "$TITLE" || fail "OK did not close the window"
kinoha_running || fail "the program ended"
log "passed"
