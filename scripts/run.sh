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
  exec "$repo/scripts/with-wine-display.sh" "$build/wineprefix" \
    bash -c 'cd "$1" && wine launcher.exe' _ "$disc"
fi

echo "run: no DISPLAY; running the launcher in a virtual display for a few seconds"
"$repo/scripts/with-wine-display.sh" "$build/wineprefix" bash -c '
  cd "$1" && wine launcher.exe & sleep 4
  xwd -root -silent | convert xwd:- "$2"
  wine taskkill /im launcher.exe >/dev/null 2>&1 || true
  wait' _ "$disc" "$shot"
echo "run: screenshot of the launcher in $shot"
