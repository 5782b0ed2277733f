#!/usr/bin/env bash
# Checks the shipped launcher.exe as a loader on the oldest systems would see
# it: PE32 GUI program, header versions no higher than 5.0, only DLLs that
# Windows always takes from the system folder (the KnownDLLs, and comctl32
# through the manifest's side-by-side assembly),
# and no imported function that Windows 2000 lacks (every import must be on
# the vetted list). Also checks the resources and prints the size figures.
#   check-exe.sh launcher.exe win2000-imports.txt
set -euo pipefail
exe=$1; allowed=$2
objdump=i686-w64-mingw32-objdump
fail=0
bad() { echo "FAIL: $*"; fail=1; }

headers=$($objdump -p "$exe")
grep -q "^Magic[[:space:]]*010b" <<<"$headers" || bad "not PE32"
grep -q "file format pei-i386" <<<"$headers" || bad "not i386"
grep -Eq "^Subsystem[[:space:]]+00000002" <<<"$headers" || bad "not a GUI program"
field() { awk -v k="$1" '$1==k {print $2}' <<<"$headers"; }
for pair in "MajorOSystemVersion MinorOSystemVersion" "MajorSubsystemVersion MinorSubsystemVersion"; do
  set -- $pair
  major=$(field "$1"); minor=$(field "$2")
  [ $((major * 100 + minor)) -le 500 ] || bad "$1.$2 is $major.$minor, above 5.0"
done

dlls=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$headers" | sort -u)
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|shlwapi.dll|comctl32.dll|msvcrt.dll) ;;
    *) bad "imports $dll statically, which a planted copy beside the program could replace" ;;
  esac
done

# Each import as dll!function, from the import tables objdump prints.
imports=$(awk '
  /DLL Name:/ { dll = tolower($3); next }
  dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ { print dll "!" $3 }
  /^$/ { if (seen) dll = ""; }
' <<<"$headers" | sort -u)
[ -n "$imports" ] || bad "no imports read"
while read -r imp; do
  grep -qxF "$imp" <(grep -v '^#' "$allowed") || bad "import $imp is not on the Windows 2000 list"
done <<<"$imports"

rc=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null || true)
langs=$(grep -E "^LANGUAGE" <<<"$rc" | sort -u)
[ "$langs" = "LANGUAGE 9, 1" ] || bad "resource languages are not all 0x0409: $langs"
for id in 300 301 302 303 304; do
  grep -Eq "^$id 2 /\* RT_BITMAP" <<<"$rc" || bad "bitmap $id missing"
done
grep -Eq "^500 14 /\* RT_GROUP_ICON" <<<"$rc" || bad "icon group 500 missing"
grep -q "VERSIONINFO" <<<"$rc" || bad "no version resource"
grep -q '"FileDescription", "Duskmere Launcher"' <<<"$rc" || bad "version description does not name the launcher"
dupes=$(grep -E '^[0-9A-Z_]+ [0-9]+ /\*' <<<"$rc" | sort | uniq -d)
[ -z "$dupes" ] || bad "resources stored more than once: $dupes"
grep -q "Microsoft.Windows.Common-Controls" "$exe" || bad "no Common Controls 6 manifest"
grep -q 'level="asInvoker"' "$exe" || bad "manifest does not ask for asInvoker"

echo "imports: $(wc -l <<<"$imports") functions from $(echo $dlls)"
if [ $fail -ne 0 ]; then exit 1; fi
echo "launcher.exe: header, imports and resources as required"
