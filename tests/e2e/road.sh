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
tag=${locale%%.*}
run_name=duskmere-road
# Our demo programs as the process list shows them, by the command lines Wine gives them.
demo_processes='duskmere-road\.[^\\/]*[\\/]disc[\\/]setup\.exe|Corvane\\Duskmere\\|DuskmereUninstall-[0-9]+\.exe'
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# --- Clean state, a fresh copy of the disc.
begin_road
mkdir -p "$shots"
cp -r "$disc_source" "$tmp/disc"
disc=$tmp/disc
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
expect_installed

# --- 2. Play.
say "2. installed"
start_launcher
expect_buttons "$play_caption" 1
shoot "launcher-$tag-installed"
click $MAIN
expect_launcher_end "Play"
expect_game_ran

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
expect_removed

# --- 4. Back to the start.
say "4. clean system again"
start_launcher
expect_buttons "$install_caption" 0
click $EXIT
expect_launcher_end "Exit"
say "passed; screenshots in $shots"
