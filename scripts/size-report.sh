#!/usr/bin/env bash
# Prints the launcher's footprint: the whole file, its resources, the rest
# (code and data, target under 32 KB), and what it imports from each DLL.
# A report, not a test.   size-report.sh [launcher.exe]
set -euo pipefail
exe=${1:-$(cd "$(dirname "$0")/.." && pwd)/build/product/launcher.exe}
[ -f "$exe" ] || { echo "size-report: no $exe (build it first: ./scripts/run.sh)" >&2; exit 1; }
objdump=i686-w64-mingw32-objdump
total=$(stat -c %s "$exe")
# Resource bytes as stored in the file (the section's raw size).
rsrc_hex=$($objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')
rsrc=$((16#${rsrc_hex:-0}))
rest=$((total - rsrc))
printf 'file:       %8d bytes  %s\n' "$total" "$exe"
printf 'resources:  %8d bytes\n' "$rsrc"
printf 'the rest:   %8d bytes  (code, data, headers, imports; target < 32768)\n' "$rest"
echo "imports:"
$objdump -p "$exe" | awk '
  /DLL Name:/ { if (dll) printf "  %-14s %3d  %s\n", dll, n, list; dll = tolower($3); n = 0; list = ""; next }
  dll && /^\t[0-9a-f]+\t/ { n++; list = list (n > 1 ? " " : "") $3 }
  END { if (dll) printf "  %-14s %3d  %s\n", dll, n, list }'
