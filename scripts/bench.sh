#!/usr/bin/env bash
# Measures the launcher: footprint, start-up against a minimal popup showing
# the same picture, and a soak of its buttons. Prints figures; asserts nothing.
#   bench.sh [start-up runs] [soak cycles]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${LAUNCHER_BUILD_DIR:-$repo/build}
runs=${1:-30}; cycles=${2:-10000}

"$repo/scripts/install-deps.sh"
cmake -S "$repo/tests" -B "$build/tests" \
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-i686-posix.cmake" >/dev/null
cmake --build "$build/tests" -j"$(nproc)" --target bench_startup bench_soak >/dev/null
product=$build/tests/product

echo "== footprint"
"$repo/scripts/size-report.sh" "$product/launcher.exe"
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(wine --version)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$product/launcher.exe" "$product/reference_popup.exe" "$work/"
"$repo/scripts/with-wine-display.sh" "$build/tests/wineprefix" bash -c '
  cd "$1"
  echo "== start-up"
  wine "$2/bench_startup.exe" launcher.exe reference_popup.exe "$3" >"$1/startup.txt" 2>&1; cat "$1/startup.txt"
  echo "== soak"
  wine "$2/bench_soak.exe" launcher.exe "$4" >"$1/soak.txt" 2>&1; cat "$1/soak.txt"
' _ "$work" "$build/tests" "$runs" "$cycles"
