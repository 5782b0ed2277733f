#!/usr/bin/env bash
# The player's whole road (install, play, uninstall) from places where a
# launcher is easily caught out, on the real launcher.exe under Wine:
#   read_only   a disc folder that must not be written: read-only on both the
#               Unix and the Windows side; as the tests run as root, which
#               writes anyway, the proof is that the folder's files, modes and
#               times are the same after the road as before;
#   long_path   a disc folder whose Windows path is 240 characters: setup.exe
#               (250) is still found and run, the readme (251) opens; once the
#               plain readme is gone, its German copy would need 264 characters,
#               more than a path may hold, so it is not opened, and the
#               launcher stays up;
#   drive_root  the disc as drive R: with the current directory at R:\, where
#               every file looked up there is R:\\name.
# Each place: the clean system offers Install, Readme opens the readme and
# leaves the launcher running, Install runs setup, the next start offers Play,
# Play starts the installed game, Uninstall removes it, the next start offers
# Install again, nothing is written into the disc or the current folder, and
# every launcher run ends with status 0. Run by CTest inside the Wine prefix
# and virtual display of scripts/test.sh (WINEPREFIX, DISPLAY).
#   harsh.sh PLACE DISC_DIR PROBE_EXE RECORDER_EXE
set -euo pipefail
place=$1 disc_source=$2 probe=$3 recorder=$4
tag=$place
case $place in
  read_only | drive_root) locale=en_US.UTF-8 ;;
  # German, for the localized readme below docs.
  long_path) locale=de_DE.UTF-8 ;;
  *) echo "harsh: unknown place $place" >&2; exit 2 ;;
esac
run_name=duskmere-harsh
# Setup as started from a disc below our temporary folder or from drive R:,
# the installed game, the uninstaller's copy of itself.
demo_processes='duskmere-harsh\.[^ ]*[\\/]disc[\\/]+setup\.exe|[Rr]:\\+setup\.exe|Corvane\\Duskmere\\|DuskmereUninstall-[0-9]+\.exe'
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# Documents open with the recorder, which writes a line per start into $opened.
opened=$tmp/opened.txt
document_class=DuskmereHarsh.Document
rtf_class=
associate_documents() {
  rtf_class=$(wine reg query 'HKCR\.rtf' /ve 2>/dev/null </dev/null |
    awk '/REG_SZ/ { sub(/^.*REG_SZ[ \t]*/, ""); sub(/\r$/, ""); print }') || true
  wine reg add "HKCR\\$document_class\\shell\\open\\command" /ve \
    /d "\"$(windows_path "$recorder")\" \"%1\"" /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCR\.rtf' /ve /d "$document_class" /f >/dev/null 2>&1 </dev/null
}
drive_link=$WINEPREFIX/dosdevices/r:
extra_cleanup() {
  wine reg delete "HKCR\\$document_class" /f >/dev/null 2>&1 </dev/null || true
  if [ -n "$rtf_class" ]; then
    wine reg add 'HKCR\.rtf' /ve /d "$rtf_class" /f >/dev/null 2>&1 </dev/null || true
  fi
  if [ "$place" = drive_root ] && [ -L "$drive_link" ]; then rm -f "$drive_link"; fi
  chmod -R u+w "$tmp" 2>/dev/null || true
}

# Every entry below a folder with its type, mode, time and content.
snapshot() {
  (cd "$1" && find . -printf '%y %m %T@ %p\n' | sort &&
    find . -type f -print0 | sort -z | xargs -0 -r sha256sum)
}
unchanged() {  # unchanged FOLDER SNAPSHOT WHAT
  snapshot "$1" >"$tmp/after"
  diff "$2" "$tmp/after" >"$tmp/changes" || fail "$3 was written to: $(head -n 20 "$tmp/changes")"
}

# --- The place.
begin_road
mkdir -p "$tmp/$place"
case $place in
  read_only)
    disc=$tmp/$place/disc
    cp -r "$disc_source" "$disc"
    chmod -R a-w "$disc"
    wine attrib +r "$(windows_path "$disc")\\*" /s >>"$log" 2>&1 </dev/null ||
      fail "could not set the read-only attribute on the disc"
    [ -n "$(wine attrib "$(windows_path "$disc")\\setup.exe" 2>/dev/null </dev/null |
      awk '{ $NF = ""; print }' | grep R)" ] || fail "setup.exe does not read as read-only to Windows"
    current=$disc current_windows=$(windows_path "$disc")
    ;;
  long_path)
    # Folders of 50 characters and one to make up the rest, then disc.
    folder=$tmp/$place
    while [ $((2 + ${#folder} + 51 + 5)) -le 240 ]; do
      folder=$folder/$(printf 'f%.0s' {1..50})
    done
    folder=$folder/$(printf 'g%.0s' $(seq $((240 - 2 - ${#folder} - 1 - 5))))
    disc=$folder/disc
    mkdir -p "$folder"
    cp -r "$disc_source" "$disc"
    current=$disc current_windows=$(windows_path "$disc")
    [ ${#current_windows} -eq 240 ] || fail "the disc's Windows path has ${#current_windows} characters, not 240"
    ;;
  drive_root)
    disc=$tmp/$place/disc
    cp -r "$disc_source" "$disc"
    [ ! -e "$drive_link" ] || fail "drive R: is already mapped in this prefix"
    ln -s "$disc" "$drive_link"
    current=$disc current_windows='R:\'
    ;;
esac
say "disc at $current_windows (${#current_windows} characters)"
if [ "$place" = drive_root ]; then
  # cmd starts the launcher from R:\ and waits for it; its status is the launcher's.
  launch() {
    exec env LC_ALL="$locale" DEMO_GAME_RECORD="$record_windows" LAUNCHER_RECORD="$(windows_path "$opened")" \
      wine cmd /c 'cd /d R:\ && R:\launcher.exe'
  }
else
  launch() {
    cd "$current" &&
      exec env LC_ALL="$locale" DEMO_GAME_RECORD="$record_windows" LAUNCHER_RECORD="$(windows_path "$opened")" \
        wine launcher.exe
  }
fi
associate_documents
snapshot "$disc" >"$tmp/disc-before"

# The launcher opens the readme at DOCUMENT (by the recorder's line), or
# opens nothing when DOCUMENT is empty; either way its window stays.
expect_readme() {
  rm -f "$opened"
  click $README
  if [ -n "$1" ]; then
    poll 10 "Readme opened nothing" eval '[ -s "$opened" ]'
    # From R:\ the launcher names R:\\readme.rtf; the shell may pass it on so or collapsed.
    tr -s '\\' <"$opened" | grep -qF "\"$1\"" || fail "Readme opened $(cat "$opened"), expected $1"
    say "Readme opened $1"
  else
    sleep 2
    [ ! -e "$opened" ] || fail "Readme opened $(cat "$opened"), expected nothing"
    say "Readme opened nothing"
  fi
  kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher ended after a click on Readme"
  probe_launcher || fail "the launcher's window went after a click on Readme"
}

# --- 1. Install.
say "1. clean system"
start_launcher
expect_buttons "$install_caption" 0
case $place in
  drive_root) expect_readme 'R:\readme.rtf' ;;
  *) expect_readme "$current_windows\\readme.rtf" ;;
esac
click $MAIN
expect_launcher_end "Install"
expect_installed

# --- 2. Play.
say "2. installed"
start_launcher
expect_buttons "$play_caption" 1
click $MAIN
expect_launcher_end "Play"
expect_game_ran

# --- 3. Uninstall.
say "3. uninstall"
start_launcher
expect_buttons "$play_caption" 1
click $UNINSTALL
expect_launcher_end "Uninstall"
expect_removed

# --- 4. Back to the start.
say "4. clean system again"
start_launcher
expect_buttons "$install_caption" 0
click $EXIT
expect_launcher_end "Exit"
unchanged "$disc" "$tmp/disc-before" "the disc folder"
say "nothing was written into the disc folder, which was the current folder"

if [ "$place" = long_path ]; then
  # Without the plain readme the German copy is looked for: at 264 characters it
  # cannot be named, so nothing opens, and the launcher does not fall over.
  say "5. no plain readme"
  german='\docs\DEU\readme_DEU.rtf'
  [ $((${#current_windows} + ${#german})) -gt 259 ] || fail "the German readme's path is not too long"
  rm "$disc/readme.rtf"
  snapshot "$disc" >"$tmp/disc-before"
  start_launcher
  expect_readme ''
  click $EXIT
  expect_launcher_end "Exit"
  unchanged "$disc" "$tmp/disc-before" "the disc folder"
fi
say "passed"
