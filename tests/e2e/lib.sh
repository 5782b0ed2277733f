# What the end-to-end roads share: the launcher's captions and layout, the
# demo game's traces, and the bounded waits and probes that drive and watch
# the real launcher.exe under Wine. Sourced by road.sh and harsh.sh after they
# set
#   locale          the system locale to run under, e.g. de_DE.UTF-8
#   tag             the name that starts every line of output
#   run_name        the prefix of the temporary folder
#   demo_processes  an extended regular expression for the command lines of
#                   the demo programs (setup, game, uninstaller) under Wine
# It makes $tmp, $log and $record, and cleans up on exit. A caller may
# redefine launch (the launcher's start, run in a subshell) before starting.
: "${WINEPREFIX:?$tag: WINEPREFIX is not set}" "${DISPLAY:?$tag: DISPLAY is not set}"

# The launcher's captions on this system (English systems get the Portuguese ones).
case ${locale%%.*} in
  en_US) install_caption='&Instalar' play_caption='&Jogar' uninstall_caption='&Desinstalar' ;;
  de_DE) install_caption='&Installieren' play_caption='&Spielen' uninstall_caption='&Deinstallieren' ;;
  ru_RU) install_caption='Установка' play_caption='Запуск' uninstall_caption='Удаление' ;;
  *) echo "$tag: no captions known for $locale" >&2; exit 2 ;;
esac

# The 640 x 480 window centred on the 1024 x 768 screen; the buttons' tops in
# client coordinates, in the order main, Uninstall, Website, Readme, Exit.
window_x=192 window_y=144
button_tops=(170 218 267 316 365)
button_centre_x=$((window_x + 284 + 164))
button_centre_y() { echo $((window_y + button_tops[$1] + 23)); }
MAIN=0 UNINSTALL=1 WEBSITE=2 README=3 EXIT=4

game_key='HKLM\Software\Corvane\Duskmere'
publisher_key='HKLM\Software\Corvane'
uninstall_key='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{6F1C2A7E-3B84-4D2E-9A61-5C0D8E4B7F23}'
install_dir_windows='C:\Program Files\Corvane\Duskmere'
publisher_dir=$WINEPREFIX/drive_c/Program\ Files/Corvane
install_dir=$publisher_dir/Duskmere

tmp=$(mktemp -d "${TMPDIR:-/tmp}/$run_name.XXXXXX")
log=$tmp/wine.log
record=$tmp/game-record.txt
record_windows="Z:${record//\//\\}"
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

# Callers may add their own undoing here; it runs before the state is reset.
extra_cleanup() { :; }
cleanup() {
  if [ -n "$launcher_pid" ] && kill -0 "$launcher_pid" 2>/dev/null; then
    kill "$launcher_pid" 2>/dev/null || true
    wait "$launcher_pid" 2>/dev/null || true
  fi
  extra_cleanup
  reset_state
  rm -rf "$tmp"
}
trap cleanup EXIT

# Clean state before a road: nothing installed, nothing of an earlier run left.
begin_road() {
  reset_state
  poll 15 "demo programs of an earlier run are still running" no_demo_process
  poll 10 "a launcher window of an earlier run is still open" no_launcher_window
}

shoot() { xwd -root -silent | convert xwd:- -crop 640x480+$window_x+$window_y +repage "$shots/$1.png"; }
# A checksum of one button's pixels on the screen, to see its look change.
button_pixels() {
  xwd -root -silent | convert xwd:- -crop "329x46+$((window_x + 284))+$((window_y + button_tops[$1]))" \
    +repage rgb:- | md5sum
}

# probe: the launcher's window and buttons as tab-separated lines in $tmp/state.
probe_launcher() { env LC_ALL="$locale" wine "$probe" launcher >"$tmp/state" 2>>"$log" </dev/null; }
# Shown, not just there: a window caught while it is still being created is
# hidden and not yet sized.
launcher_window_shown() {
  kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended before it showed its window"
  probe_launcher && awk -F'\t' '$1 == "window" && $6 == 1 { shown = 1 } END { exit !shown }' "$tmp/state"
}
button() {  # button ID COLUMN: 3 = enabled, 4 = caption
  awk -F'\t' -v id="$1" -v column="$2" '$1 == "button" && $2 == id { print $column }' "$tmp/state"
}

# The launcher as a player starts it from the disc folder $disc.
launch() { cd "$disc" && exec env LC_ALL="$locale" DEMO_GAME_RECORD="$record_windows" wine launcher.exe; }

start_launcher() {
  no_launcher_window || fail "a launcher window is already open before the start"
  xdotool mousemove 0 0
  ( launch ) >>"$log" 2>&1 </dev/null &
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

# After a click on Install: setup ran to its end and registered the game.
expect_installed() {
  poll 20 "setup did not install the game (files, InstallPath, uninstall entry)" installed
  poll 15 "setup did not end by itself" no_demo_process
  grep -qF "$install_dir_windows" "$tmp/install-path" ||
    fail "InstallPath is not $install_dir_windows: $(cat "$tmp/install-path")"
  wine reg query "HKLM\\$uninstall_key" /v UninstallString >"$tmp/uninstall-string" 2>/dev/null </dev/null
  grep -qF "\"$install_dir_windows\\uninstall.exe\" /quiet" "$tmp/uninstall-string" ||
    fail "unexpected UninstallString: $(cat "$tmp/uninstall-string")"
  say "setup installed the game in $install_dir_windows"
}

# After a click on Play: the installed game ran and ended.
expect_game_ran() {
  poll 10 "the game showed no window titled Duskmere" \
    eval 'xdotool search --onlyvisible --name "^Duskmere\$" >/dev/null 2>&1'
  [ -z "${shots:-}" ] || shoot "game-$tag"
  poll 15 "the game did not start (no line in DEMO_GAME_RECORD)" game_recorded
  grep -qF "dmgame	$install_dir_windows\\binaries\\dmgame.exe" "$record" ||
    fail "the game ran, but not the installed one: $(cat "$record")"
  poll 10 "the game did not end by itself" no_demo_process
  [ "$(find "$install_dir" -type f | wc -l)" -eq 2 ] ||
    fail "the install folder holds more than setup put there: $(find "$install_dir" -type f)"
  say "the game ran and ended"
}

# After the uninstaller was started: everything setup made is gone.
expect_removed() {
  poll 20 "the uninstaller did not remove everything (files, folders, registry keys)" removed
  poll 15 "the uninstaller did not end by itself" no_demo_process
  say "the uninstaller removed the game"
}
