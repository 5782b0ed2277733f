#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its demo disc folder, and
# runs the launcher from that folder under Wine: on your own display when
# DISPLAY is set, otherwise in a virtual display, leaving a screenshot.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD_DIR:-$repo/build}

"$repo/scripts/install-deps.sh"
cmake -S "$repo" -B "$build/product" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-i686.cmake" \
      -DLAUNCHER_DEMO=ON >/dev/null
cmake --build "$build/product" -j"$(nproc)"
disc=$build/product/disc
[ -f "$disc/launcher.exe" ] || { echo "run: no demo disc at $disc" >&2; exit 1; }

shot=$build/screenshot.png
if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting the launcher from $disc on $DISPLAY"
  export LAUNCHER_USE_DISPLAY=1
  # The launcher ends as soon as it has started setup, the game or the
  # uninstaller; the Wine session (and so they) would end with it. Wait, five
  # minutes at most, until the demo's programs are done.
  status=0
  "$repo/scripts/with-wine-display.sh" "$build/wineprefix" bash -c '
    cd "$1" && wine launcher.exe || exit
    for i in $(seq 1 600); do
      pgrep -f -- "$2" >/dev/null || exit 0
      [ "$i" = 1 ] && echo "run: waiting for the program the launcher started to finish"
      sleep 0.5
    done' _ "$disc" 'disc[\\/]setup\.exe|Corvane\\Duskmere\\|DuskmereUninstall-[0-9]+\.exe' ||
    status=$?
  echo "run: the launcher ended (status $status). Start it again to go on: Install, then Play, then Uninstall."
  exit "$status"
fi

echo "run: no DISPLAY; running the launcher in a virtual display for a few seconds"
"$repo/scripts/with-wine-display.sh" "$build/wineprefix" bash -c '
  cd "$1"
  wine launcher.exe >/dev/null 2>&1 </dev/null &
  pid=$!
  for _ in $(seq 1 75); do xdotool search --name "^Launcher\$" >/dev/null 2>&1 && break; sleep 0.2; done
  shown=0
  xdotool search --name "^Launcher\$" >/dev/null 2>&1 && shown=1
  sleep 1  # the first paint
  xwd -root -silent | convert xwd:- "$2"
  # Closed as a user would: the Exit button of the window centred on the 1024 x 768 screen.
  [ $shown = 1 ] && xdotool mousemove 640 532 click 1
  for _ in $(seq 1 25); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  kill $pid 2>/dev/null || true
  wait $pid || true
  [ $shown = 1 ] || { echo "run: the launcher did not show its window within 15 s" >&2; exit 1; }' \
  _ "$disc" "$shot"
echo "run: screenshot of the launcher in $shot"
