#!/usr/bin/env bash
# The release package as a user meets it: scripts/package.sh makes the zip from this build, the
# checksum matches, the zip holds what a user needs, and kinoha.exe started from the unpacked
# folder in a fresh Wine prefix shows its tray icon and both menus, opens the version window and
# the shipped help.
E2E_NAME=package
source "$(dirname "$0")/lib.sh"
: "${SOURCE_DIR:?}"

SKIP_BUILD=1 BUILD_DIR="$BIN_DIR/.." DIST_DIR="$WORK/dist" bash "$SOURCE_DIR/scripts/package.sh" \
  >"$WORK/package.log" 2>&1 || fail "package.sh failed: $(cat "$WORK/package.log")"
zip_file=$(ls "$WORK"/dist/kinoha-*-win64.zip)
name=$(basename "$zip_file" .zip)
[ "$name" = kinoha-3.04-win64 ] || fail "the package is named $name"
(cd "$WORK/dist" && sha256sum --quiet -c "$name.zip.sha256") || fail "the checksum does not match"
cat "$WORK/package.log"

# What the zip holds, in one folder named like it. (The listing is read whole: grep -q on a
# pipe could cut it short.)
listing=$(unzip -l "$zip_file")
for f in kinoha.exe kinoha-step.exe kinoha-make.exe Kinoha.html LICENSE.txt CHANGELOG.md README.ja.md VERSION.txt \
         examples/Zaiko.vbg examples/Uriage/Uriage.vbp; do
  grep -q " $name/$f\$" <<<"$listing" || fail "the zip lacks $f"
done
grep -q " $name/Kinoha-help/.*\.png\$" <<<"$listing" || fail "the zip lacks the help's pictures"
grep -qi 'standin\|_tests\|bench' <<<"$listing" && fail "the zip holds a test program"
unzip -q "$zip_file" -d "$WORK/unpacked"
PROGRAM_DIR="$WORK/unpacked/$name"

# Text files as Windows 7's Notepad reads them: CR LF; the Japanese ones with the UTF-8 mark.
for f in LICENSE.txt CHANGELOG.md README.ja.md VERSION.txt; do
  [ "$(tr -cd '\n' <"$PROGRAM_DIR/$f" | wc -c)" = "$(grep -c $'\r$' "$PROGRAM_DIR/$f")" ] ||
    fail "$f has a line without CR LF"
done
for f in CHANGELOG.md README.ja.md; do
  [ "$(head -c 3 "$PROGRAM_DIR/$f" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "$f has no UTF-8 mark"
done
grep -q "^commit $(git -C "$SOURCE_DIR" rev-parse HEAD)"$'\r$' "$PROGRAM_DIR/VERSION.txt" ||
  fail "VERSION.txt does not name the commit: $(cat "$PROGRAM_DIR/VERSION.txt")"

# The same commit gives the same bytes: no link time in the executables, and packaging again
# writes the same zip.
for exe in kinoha.exe kinoha-step.exe kinoha-make.exe; do
  stamp=$(x86_64-w64-mingw32-objdump -p "$PROGRAM_DIR/$exe" | sed -n 's/^Time\/Date[[:space:]]*//p')
  [[ "$stamp" == *" 1970" ]] || fail "$exe carries its link time: $stamp"
done
SKIP_BUILD=1 BUILD_DIR="$BIN_DIR/.." DIST_DIR="$WORK/dist2" bash "$SOURCE_DIR/scripts/package.sh" \
  >/dev/null 2>&1 || fail "package.sh failed the second time"
cmp -s "$zip_file" "$WORK/dist2/$name.zip" || fail "packaging twice gave different zips"

# Every picture the help shows is in the package.
grep -o 'src="[^"]*"' "$PROGRAM_DIR/Kinoha.html" | sed 's/src="//; s/"$//' | while read -r picture; do
  [ -f "$PROGRAM_DIR/$picture" ] || fail "the help shows $picture, which is not in the package"
done

# Both programs carry the version in their version resource (Explorer's Properties show it).
for exe in kinoha.exe kinoha-step.exe kinoha-make.exe; do
  texts=$(strings -el "$PROGRAM_DIR/$exe")
  grep -A1 -x 'FileVersion' <<<"$texts" | grep -qx '3.04' || fail "$exe has no FileVersion 3.04"
  grep -A1 -x 'ProductName' <<<"$texts" | grep -qx 'Kinoha' || fail "$exe has no ProductName"
done

# Started from the unpacked folder: the stand-in (kept out of the package) as the VB executable,
# the package's sample projects as the project folder.
start_display
prepare_prefix
# HTML files open in the system's browser, as on a Windows with one (Wine's prefix has no such
# association).
wine reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCR\htmlfile\shell\open\command' /ve \
  /d '"C:\Program Files\Internet Explorer\iexplore.exe" "%1"' /f >/dev/null 2>&1
write_settings "[TOP   ]0" "[LEFT  ]0" "[HEIGHT]4515" "[WIDTH ]6630" \
  "[VBMAIN]$(winpath "$WORK/program")\\vb-standin.exe" "[DIR   ]$(winpath "$PROGRAM_DIR/examples")" \
  "[UNDER ]0" "[FILE  ]0"
start_kinoha
wait_tray_ready || fail "no tray icon"
screenshot tray

# The main menu: its "バージョン情報" opens the version window.
tray_click 3
screenshot main-menu
choose_from_bottom 3
wait_window '^Kinoha バージョン情報 VB6用$' >/dev/null || fail "the main menu did not open the version window"
sleep 0.5
screenshot version-window
keys Return
wait_no_window '^Kinoha バージョン情報 VB6用$' || fail "OK did not close the version window"

# The executables menu: nothing is compiled yet, so its first entry says so.
tray_click 1
screenshot executables-menu
keys Down Return
wait_window '^起動エラー$' >/dev/null || fail "the executables menu did not answer"
keys Return

# "ヘルプ" opens the shipped help (no Kinoha.hlp beside the program) in a browser.
tray_click 3
choose_from_bottom 2
browser=$(wait_window 'Internet Explorer' 50) || fail "the help did not open"
sleep 1
screenshot help
read -r bx by bw < <(xwininfo -id "$browser" | awk -F: '/Absolute upper-left X/{x=$2}
  /Absolute upper-left Y/{y=$2} /Width/{w=$2} END{print x + 0, y + 0, w + 0}')
xdotool mousemove $((bx + bw - 12)) $((by + 11)) click 1
wait_no_window 'Internet Explorer' || fail "the browser did not close"
# "終了" by the mouse: after the browser the menu may not get the keys. The menu opens up and to
# the left of the icon, so its last entry lies just above and left of it.
sleep 1
tray_click 3
xdotool mousemove $((TRAY_X - 20)) $((TRAY_Y - 20)) click 1
for _ in $(seq 50); do kinoha_running || break; sleep 0.2; done
kinoha_running && fail "the program did not end"
log "passed"
