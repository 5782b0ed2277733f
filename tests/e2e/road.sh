#!/usr/bin/env bash
# The road a player takes with the demo disc, on the real launcher.exe under
# Wine, driven with real pointer clicks and Alt+key presses:
#   1. clean system: the main button offers Install, Uninstall is disabled;
#      clicking Install runs setup and the launcher ends with status 0;
#   2. the next start offers Play with Uninstall enabled; Play starts the game
#      (it leaves a line in DEMO_GAME_RECORD) and the launcher ends;
#   3. the next start: Alt plus the Uninstall caption's mnemonic (a click where
#      the caption has none) runs the uninstaller, which removes everything;
#   4. the next start offers Install again; Exit ends the launcher.
# Screenshots of the launcher go to SCREENSHOT_DIR. Run by CTest inside the
# Wine prefix and virtual display of scripts/test.sh (WINEPREFIX, DISPLAY).
#   road.sh DISC_DIR PROBE_EXE SCREENSHOT_DIR LOCALE
set -euo pipefail
disc_source=$1 probe=$2 shots=$3 locale=$4
: "${WINEPREFIX:?road: WINEPREFIX is not set}" "${DISPLAY:?road: DISPLAY is not set}"
tag=${locale%%.*}

# The launcher's captions on this system (English systems get the Portuguese ones).
case $tag in
  en_US) install_caption='&Instalar' play_caption='&Jogar' uninstall_caption='&Desinstalar' ;;
  de_DE) install_caption='&Installieren' play_caption='&Spielen' uninstall_caption='&Deinstallieren' ;;
  ru_RU) install_caption='Установка' play_caption='Запуск' uninstall_caption='Удаление' ;;
  *) echo "road: no captions known for $locale" >&2; exit 2 ;;
esac

# The 640 x 480 window centred on the 1024 x 768 screen; the buttons' tops in
# client coordinates, in the order main, Uninstall, Website, Readme, Exit.
window_x=192 window_y=144
button_tops=(170 218 267 316 365)
button_centre_x=$((window_x + 284 + 164))
button_centre_y() { echo $((window_y + button_tops[$1] + 23)); }
MAIN=0 UNINSTALL=1 EXIT=4

game_key='HKLM\Software\Corvane\Duskmere'
publisher_key='HKLM\Software\Corvane'
uninstall_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{6F1C2A7E-3B84-4D2E-9A61-5C0D8E4B7F23}'
install_dir_windows='C:\Program Files\Corvane\Duskmere'
publisher_dir=$WINEPREFIX/drive_c/Program\ Files/Corvane
install_dir=$publisher_dir/Duskmere
# Our demo programs as the process list shows them, by the command lines Wine gives them.
demo_processes='duskmere-road\.[^\\/]*[\\/]disc[\\/]setup\.exe|Corvane\\Duskmere\\|DuskmereUninstall-[0-9]+\.exe'

tmp=$(mktemp -d "${TMPDIR:-/tmp}/duskmere-road.XXXXXX")
log=$tmp/wine.log
launcher_pid=

say() { echo "[$tag] $*"; }
fail() {
  echo "FAIL [$tag]: $*" >&2
  if [ -s "$log" ]; then echo "--- Wine output:" >&2; tail -n 40 "$log" >&2; fi
  exit 1
}

# poll SECONDS WHAT COMMAND...: until COMMAND succeeds, at most SECONDS.
poll() {
  local limit=$1 what=$2; shift 2
  local end=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || fail "$what (gave up after $limit s)"
    sleep 0.2
  done
}

key_exists() { wine reg query "$1" >/dev/null 2>&1 </dev/null; }
no_demo_process() { ! pgrep -f -- "$demo_processes" >/dev/null; }
no_launcher_window() { ! xdotool search --name '^Launcher$' >/dev/null 2>&1; }

reset_state() {
  for key in "$game_key" "$publisher_key" "HKLM\\$uninstall_key" "HKCU\\$uninstall_key"; do
    wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
  done
  rm -rf "$publisher_dir"
  # The uninstaller's copy of itself waits in the temporary folder for a restart that never comes.
  rm -f "$WINEPREFIX"/drive_c/users/*/Temp/DuskmereUninstall-*.exe
}

cleanup() {
  if [ -n "$launcher_pid" ] && kill -0 "$launcher_pid" 2>/dev/null; then
    kill "$launcher_pid" 2>/dev/null || true
    wait "$launcher_pid" 2>/dev/null || true
  fi
  reset_state
  rm -rf "$tmp"
}
trap cleanup EXIT

shoot() { xwd -root -silent | convert xwd:- -crop 640x480+$window_x+$window_y +repage "$shots/$1.png"; }
# A checksum of one button's pixels on the screen, to see its look change.
button_pixels() {
  xwd -root -silent | convert xwd:- -crop "329x46+$((window_x + 284))+$((window_y + button_tops[$1]))" \
    +repage rgb:- | md5sum
}

# probe: the launcher's window and buttons as tab-separated lines in $tmp/state.
probe_launcher() { env LC_ALL="$locale" wine "$probe" launcher >"$tmp/state" 2>>"$log" </dev/null; }
launcher_window_shown() {
  kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended before it showed its window"
  probe_launcher
}
button() {  # button ID COLUMN: 3 = enabled, 4 = caption
  awk -F'\t' -v id="$1" -v column="$2" '$1 == "button" && $2 == id { print $column }' "$tmp/state"
}

start_launcher() {
  no_launcher_window || fail "a launcher window is already open before the start"
  xdotool mousemove 0 0
  ( cd "$disc" && exec env LC_ALL="$locale" DEMO_GAME_RECORD="$record_windows" wine launcher.exe ) \
    >>"$log" 2>&1 </dev/null &
  launcher_pid=$!
  poll 20 "the launcher window did not appear" launcher_window_shown
  local geometry
  geometry=$(awk -F'\t' '$1 == "window" { print $2, $3, $4, $5, $6 }' "$tmp/state")
  [ "$geometry" = "$window_x $window_y 640 480 1" ] ||
    fail "launcher window at x y width height visible = $geometry, expected $window_x $window_y 640 480 1"
  # Painted: the first screenshot must not catch a half-drawn window.
  sleep 0.5
}

expect_buttons() {  # expect_buttons MAIN_CAPTION UNINSTALL_ENABLED
  local main uninstall enabled
  main=$(button 400 4) uninstall=$(button 402 4) enabled=$(button 402 3)
  [ "$main" = "$1" ] || fail "main button reads '$main', expected '$1'"
  [ "$(button 400 3)" = 1 ] || fail "main button is disabled"
  [ "$uninstall" = "$uninstall_caption" ] || fail "Uninstall button reads '$uninstall', expected '$uninstall_caption'"
  [ "$enabled" = "$2" ] || fail "Uninstall button enabled = $enabled, expected $2"
  say "buttons: '$main', '$uninstall' (enabled $enabled)"
}

click() { xdotool mousemove "$button_centre_x" "$(button_centre_y "$1")" click 1; }

# The launcher ends by itself with status 0.
expect_launcher_end() {
  poll 15 "the launcher did not end after $1" eval '! kill -0 "$launcher_pid" 2>/dev/null'
  local status=0
  wait "$launcher_pid" || status=$?
  launcher_pid=
  [ "$status" -eq 0 ] || fail "the launcher ended with status $status after $1, expected 0"
  say "launcher ended with status 0 after $1"
}

installed() {
  [ -f "$install_dir/binaries/dmgame.exe" ] && [ -f "$install_dir/uninstall.exe" ] &&
    wine reg query "$game_key" /v InstallPath >"$tmp/install-path" 2>/dev/null </dev/null &&
    key_exists "HKLM\\$uninstall_key"
}
removed() {
  [ ! -e "$install_dir" ] && [ ! -e "$publisher_dir" ] && ! key_exists "$game_key" &&
    ! key_exists "$publisher_key" && ! key_exists "HKLM\\$uninstall_key"
}
game_recorded() { [ -s "$record" ]; }

# --- Clean state, a fresh copy of the disc.
reset_state
poll 15 "demo programs of an earlier run are still running" no_demo_process
poll 10 "a launcher window of an earlier run is still open" no_launcher_window
mkdir -p "$shots"
cp -r "$disc_source" "$tmp/disc"
disc=$tmp/disc
record=$tmp/game-record.txt
record_windows="Z:${record//\//\\}"
env LC_ALL="$locale" wine "$probe" font Arial >"$tmp/font" 2>>"$log" </dev/null || true
say "caption font: $(awk -F'\t' '$1 == "font" { print $2 " -> " $3 " (installed " $4 ")" }' "$tmp/font")"

# --- 1. Install.
say "1. clean system"
start_launcher
expect_buttons "$install_caption" 0
shoot "launcher-$tag"
before=$(button_pixels $MAIN)
xdotool mousemove "$button_centre_x" "$(button_centre_y $MAIN)"
poll 5 "the main button did not change its look under the pointer" \
  eval '[ "$(button_pixels $MAIN)" != "$before" ]'
sleep 0.3
shoot "launcher-$tag-hover"
click $MAIN
expect_launcher_end "Install"
poll 20 "setup did not install the game (files, InstallPath, uninstall entry)" installed
poll 15 "setup did not end by itself" no_demo_process
grep -qF "$install_dir_windows" "$tmp/install-path" ||
  fail "InstallPath is not $install_dir_windows: $(cat "$tmp/install-path")"
wine reg query "HKLM\\$uninstall_key" /v UninstallString >"$tmp/uninstall-string" 2>/dev/null </dev/null
grep -qF "\"$install_dir_windows\\uninstall.exe\" /quiet" "$tmp/uninstall-string" ||
  fail "unexpected UninstallString: $(cat "$tmp/uninstall-string")"
say "setup installed the game in $install_dir_windows"

# --- 2. Play.
say "2. installed"
start_launcher
expect_buttons "$play_caption" 1
shoot "launcher-$tag-installed"
click $MAIN
expect_launcher_end "Play"
poll 10 "the game showed no window titled Duskmere" \
  eval 'xdotool search --onlyvisible --name "^Duskmere\$" >/dev/null 2>&1'
shoot "game-$tag"
poll 15 "the game did not start (no line in DEMO_GAME_RECORD)" game_recorded
grep -qF "dmgame	$install_dir_windows\\binaries\\dmgame.exe" "$record" ||
  fail "the game ran, but not the installed one: $(cat "$record")"
poll 10 "the game did not end by itself" no_demo_process
[ "$(find "$install_dir" -type f | wc -l)" -eq 2 ] ||
  fail "the install folder holds more than setup put there: $(find "$install_dir" -type f)"
say "the game ran and ended"

# --- 3. Uninstall, by its mnemonic where the caption has one.
say "3. uninstall"
start_launcher
expect_buttons "$play_caption" 1
if [[ $uninstall_caption == *'&'* ]]; then
  letter=${uninstall_caption#*&}
  letter=${letter:0:1}
  letter=${letter,,}
  window=$(xdotool search --name '^Launcher$' | head -n 1)
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "alt+$letter"
  how="Alt+$letter"
else
  click $UNINSTALL
  how="a click on Uninstall (its caption has no mnemonic)"
fi
expect_launcher_end "$how"
poll 20 "the uninstaller did not remove everything (files, folders, registry keys)" removed
poll 15 "the uninstaller did not end by itself" no_demo_process
say "the uninstaller removed the game"

# --- 4. Back to the start.
say "4. clean system again"
start_launcher
expect_buttons "$install_caption" 0
click $EXIT
expect_launcher_end "Exit"
say "passed; screenshots in $shots"
