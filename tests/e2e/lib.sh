# Shared steps of the end-to-end tests: kinoha.exe under Wine in a virtual desktop on Xvfb,
# driven with xdotool. Sourced by the test scripts; each test gets its own display, Wine prefix
# copy and program directory.
#   BIN_DIR   the Windows build's bin directory (kinoha.exe, vb-standin.exe)
#   ARTIFACTS where screenshots and logs are kept
set -euo pipefail

: "${BIN_DIR:?}" "${ARTIFACTS:?}"
E2E_NAME=${E2E_NAME:-e2e}
WORK=${WORK:-$(mktemp -d "/tmp/kinoha-$E2E_NAME.XXXXXX")}
mkdir -p "$ARTIFACTS"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
export WINEPREFIX="$WORK/prefix"
PROGRAM_DIR="$WORK/program"   # kinoha.exe and its settings file
PROJECTS="$WORK/projects"     # the project tree the program searches
mkdir -p "$PROGRAM_DIR" "$PROJECTS"
cp "$BIN_DIR/kinoha.exe" "$BIN_DIR/vb-standin.exe" "$PROGRAM_DIR/"
STEP=0
XVFB_PID=
KINOHA_PID=

log() { echo "[$E2E_NAME] $*"; }
fail() {
  log "FAILED: $*"
  screenshot "failure" || true
  exit 1
}

# The Linux path as Wine's Z: drive names it.
winpath() { echo "Z:${1//\//\\}"; }

# A display of its own and the Wine prefix, made once per run from a template kept beside the
# build so that each test does not wait for wineboot. Xvfb picks the display number itself
# (-displayfd): tests started together can no longer race for the same free number.
start_display() {
  local numfile
  numfile=$(mktemp /tmp/kinoha-xvfb.XXXXXX)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  # A loaded machine (parallel builds) can take seconds to bring the server up.
  for _ in $(seq 300); do [ -s "$numfile" ] && break; sleep 0.1; done
  local n
  n=$(tr -dc '0-9' <"$numfile")
  rm -f "$numfile"
  [ -n "$n" ] || fail "Xvfb did not start"
  export DISPLAY=":$n"
  for _ in $(seq 200); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

prepare_prefix() {
  local template="$BIN_DIR/../e2e-prefix"
  if [ ! -f "$template/system.reg" ]; then
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1 || true
    # The program's face name is shown with the Japanese Gothic font the machine has.
    WINEPREFIX="$template" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    WINEPREFIX="$template" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v 'ＭＳ ゴシック' /t REG_SZ /d 'IPAGothic' /f >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
  fi
  cp -a "$template" "$WINEPREFIX"
  settings_name
}

# The settings file's name: the system's version name, as the program asks for it (Wine has no
# "Version" value, so its product name).
SETTINGS_NAME=Kinoha
# The query is tried again when it fails: the first Wine command in a freshly copied prefix can
# fail while the prefix settles, and under pipefail that failure ended a test without a word.
settings_name() {
  SETTINGS_NAME=
  for _ in 1 2 3 4 5; do
    SETTINGS_NAME=$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v ProductName \
      2>/dev/null | tr -d '\r' | sed -n 's/.*ProductName *REG_SZ *//p' || true)
    [ -n "$SETTINGS_NAME" ] && break
    sleep 0.5
  done
  SETTINGS_NAME=${SETTINGS_NAME:-Kinoha}
}
settings_file() {
  echo "$PROGRAM_DIR/$SETTINGS_NAME.ini"
}

# Writes a settings file (lines given as arguments) in CP932 with CR LF ends.
write_settings() {
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 >"$(settings_file)"
}

# The settings file's lines, as UTF-8 without CR.
read_settings() {
  iconv -f CP932 -t UTF-8 <"$(settings_file)" | tr -d '\r'
}

start_kinoha() {
  (cd "$PROGRAM_DIR" && exec wine explorer /desktop=kinoha,1024x768 "$(winpath "$PROGRAM_DIR")\\kinoha.exe" \
    >"$WORK/wine.log" 2>&1) &
  KINOHA_PID=$!
}

# Waits until a window whose name matches appears; prints its id.
wait_window() {
  local name=$1 tries=${2:-150} id=
  for _ in $(seq "$tries"); do
    id=$(xdotool search --name "$name" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

wait_no_window() {
  local name=$1
  for _ in $(seq 100); do
    xdotool search --name "$name" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

wait_file() {
  for _ in $(seq "${2:-100}"); do [ -e "$1" ] && return 0; sleep 0.2; done
  return 1
}

focus_desktop() {
  local id
  id=$(xdotool search --name 'Wine desktop' | head -1)
  xdotool windowfocus --sync "$id" 2>/dev/null || true
}

# The tray icon sits at the right end of the virtual desktop's taskbar.
TRAY_X=${TRAY_X:-1013}
TRAY_Y=${TRAY_Y:-757}
tray_click() {
  focus_desktop
  xdotool mousemove "$TRAY_X" "$TRAY_Y" click "$1"
  sleep 1
}

keys() {
  for k in "$@"; do xdotool key "$k"; sleep 0.15; done
}

type_text() { xdotool type --delay 20 "$1"; }

screenshot() {
  STEP=$((STEP + 1))
  local file
  file=$(printf '%s/%s-%02d-%s.png' "$ARTIFACTS" "$E2E_NAME" "$STEP" "$1")
  import -window root "$file" 2>/dev/null || true
  log "screenshot $file"
}

# Whether the program is still running (its process under Wine).
kinoha_running() {
  pgrep -f "$(basename "$WORK").*kinoha\.exe" >/dev/null 2>&1
}

finish() {
  local rc=$?
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$KINOHA_PID" ] && kill "$KINOHA_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  [ "${KEEP_WORK:-0}" = 1 ] || rm -rf "$WORK"
  exit $rc
}
trap finish EXIT

# The projects the catalogue lists, as Windows paths sorted as the menu sorts them (letter case
# folded, by code point); with N, only the N-th (so that no pipe is cut short under pipefail).
sorted_projects() {
  python3 - "$PROJECTS" "${1:-0}" <<'PY'
import os, sys
root, nth = sys.argv[1], int(sys.argv[2])
found = []
for d, dirs, files in os.walk(root):
    dirs[:] = [x for x in dirs if not x.startswith('.')]
    for f in files:
        if f.lower().endswith(('.vbp', '.vbg')):
            found.append('Z:' + os.path.join(d, f).replace('/', '\\'))
found.sort(key=lambda s: s.lower())
for i, p in enumerate(found, 1):
    if nth in (0, i):
        print(p)
PY
}

# The stand-in compiler's log (UTF-8, CR LF).
standin_log() {
  tr -d '\r' <"$PROGRAM_DIR/vb-standin.log" 2>/dev/null || true
}

# A settings file for a program that is already set up: the stand-in as the VB executable and
# the project tree as the project directory.
prepared_settings() {
  write_settings "[TOP   ]0" "[LEFT  ]0" "[HEIGHT]4515" "[WIDTH ]6630" \
    "[VBMAIN]$(winpath "$PROGRAM_DIR")\\vb-standin.exe" "[DIR   ]$(winpath "$PROJECTS")" \
    "[UNDER ]0" "$@"
}

# The usual start: the sample projects, a display, a prefix, a settings file with the stand-in
# as the VB executable (extra settings lines as arguments), the program resident in the tray.
start_on_samples() {
  : "${SOURCE_DIR:?}"
  cp -r "$SOURCE_DIR/examples/." "$PROJECTS/"
  start_display
  prepare_prefix
  prepared_settings "$@"
  start_kinoha
  wait_tray_ready || fail "no tray icon"
}

# Waits for the tray icon: the program answers a right click with its menu.
# (the leaf's green at the icon's place in the notification area).
tray_icon_shown() {
  local green
  green=$(import -window root -crop "20x20+$((TRAY_X - 10))+$((TRAY_Y - 10))" -depth 8 txt:- 2>/dev/null |
    awk -F'[(),]' 'NR > 1 && $4 > $3 + 40 && $4 > $5 + 40 { n++ } END { print n + 0 }')
  [ "$green" -gt 5 ]
}
wait_tray_ready() {
  for _ in $(seq 120); do
    tray_icon_shown && { sleep 0.5; return 0; }
    sleep 0.25
  done
  return 1
}

# Chooses the entry `count` steps up from the bottom of the menu (1 = the last entry).
choose_from_bottom() {
  local i
  for i in $(seq "$1"); do xdotool key Up; sleep 0.1; done
  xdotool key Return
  sleep 1
}

end_program() {
  tray_click 3
  choose_from_bottom 1  # "終了"
  for _ in $(seq 50); do kinoha_running || return 0; sleep 0.2; done
  fail "the program did not end"
}

# In the batch compile window $WIN on the sample projects, whose list reads Tanaoroshi.vbp,
# Uriage.vbp, Zaiko.vbg, Zaiko.vbp (one row is 13 pixels, the first at ROW0 = 55 from the
# window's top): selects the three projects and leaves the group out.
ROW0=55
select_sample_projects() {
  xdotool mousemove --window "$WIN" 200 $ROW0 click 1
  sleep 0.3
  xdotool keydown ctrl
  xdotool mousemove --window "$WIN" 200 $((ROW0 + 13)) click 1
  xdotool mousemove --window "$WIN" 200 $((ROW0 + 39)) click 1
  xdotool keyup ctrl
  sleep 0.5
}

# Runs kinoha-make.exe (copied beside the program) in $WORK; its output (CP932 without a
# console) as UTF-8 in $OUT, also kept in the artifacts, its status in $RC.
make_tool() {
  set +e
  (cd "$WORK" && wine "$PROGRAM_DIR/kinoha-make.exe" "$@") >"$WORK/out.bin" 2>&1
  RC=$?
  set -e
  OUT=$(iconv -f CP932 -t UTF-8 <"$WORK/out.bin" | tr -d '\r')
  echo "$OUT" >>"$ARTIFACTS/$E2E_NAME-output.txt"
}
# The status make_tool saw, then texts its output must hold.
expect() {
  local want=$1; shift
  [ "$RC" = "$want" ] || fail "exit status $RC, not $want: $OUT"
  for t in "$@"; do grep -qF -- "$t" <<<"$OUT" || fail "the output lacks [$t]: $OUT"; done
}
