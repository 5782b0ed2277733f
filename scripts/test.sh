#!/usr/bin/env bash
# Installs what is missing, builds the launcher and its tests, and runs every
# test under Wine in a virtual display. Exits non-zero on any failure.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD_DIR:-$repo/build}

"$repo/scripts/install-deps.sh"
cmake -S "$repo/tests" -B "$build/tests" \
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-i686-posix.cmake"
cmake --build "$build/tests" -j"$(nproc)"
"$repo/scripts/with-wine-display.sh" "$build/tests/wineprefix" \
  ctest --test-dir "$build/tests" --output-on-failure "$@"
