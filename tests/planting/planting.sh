#!/usr/bin/env bash
# Plants winmm.dll, uxtheme.dll and version.dll beside the launcher and in its
# current folder, tells Wine to prefer a native winmm.dll, and walks the
# launcher through start, hover, Readme, Website and Exit with the real
# pointer. Then checks which planted DLLs were loaded:
#   planting.sh LAUNCHER_EXE PLANTED_DLL_DIR none     # the shipped launcher: none may load
#   planting.sh LAUNCHER_EXE PLANTED_DLL_DIR winmm    # a build without the guard: winmm loads
# Runs inside scripts/with-wine-display.sh (WINEPREFIX and DISPLAY set).
set -euo pipefail
exe=$1; dlls=$2; expect=$3
planted=(winmm.dll uxtheme.dll version.dll)

work=$(mktemp -d "${TMPDIR:-/tmp}/planting.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/disc" "$work/cwd" "$work/markers"
cp "$exe" "$work/disc/launcher.exe"
for dll in "${planted[@]}"; do
  cp "$dlls/$dll" "$work/disc/$dll"
  cp "$dlls/$dll" "$work/cwd/$dll"
done
# A start-up sound, so the sound library is loaded too.
printf 'RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data\x08\x00\x00\x00\x80\x80\x80\x80\x80\x80\x80\x80' \
  > "$work/disc/launcher.wav"
echo '{\rtf1 readme}' > "$work/disc/readme.rtf"

export PLANTED_DLL_MARKERS
PLANTED_DLL_MARKERS=$(winepath -w "$work/markers" 2>/dev/null)
# uxtheme.dll and version.dll are planted but not preferred: Wine's own user32
# imports version.dll and loads uxtheme.dll by bare name while it starts up
# (Windows' does neither), so preferred native copies would be loaded before
# the launcher's first instruction, whatever the launcher does.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winmm=n,b"

# Documents and web pages open in a program that ends at once, so that no
# viewer stays behind (the launcher's children are not what is tested here).
classes='HKCU\Software\Classes'
for key in PlantingTest.Document https; do
  wine reg add "$classes\\$key\\shell\\open\\command" /ve /d 'C:\windows\system32\cmd.exe /c exit' /f >/dev/null 2>&1
done
wine reg add "$classes\\.rtf" /ve /d PlantingTest.Document /f >/dev/null 2>&1
trap 'for key in .rtf PlantingTest.Document https; do wine reg delete "$classes\\$key" /f >/dev/null 2>&1; done; rm -rf "$work"' EXIT

(cd "$work/cwd" && exec wine "$work/disc/launcher.exe" >"$work/launcher.log" 2>&1) &
launcher=$!

window=
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Launcher$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the launcher window did not appear"; exit 1; }

# The window is 640 x 480, centred on the 1024 x 768 screen: the button column
# starts at x 192 + 284, the buttons' tops at 144 + 170, 267, 316, 365.
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
xdotool mousemove 640 337; sleep 0.3   # hover the main button
xdotool mousemove 100 100; sleep 0.3   # and leave it
click 640 483                          # Readme
click 640 434                          # Website
click 640 532                          # Exit

for _ in $(seq 1 100); do kill -0 $launcher 2>/dev/null || break; sleep 0.1; done
if kill -0 $launcher 2>/dev/null; then echo "FAIL: the launcher did not end after Exit"; exit 1; fi
wait $launcher || { echo "FAIL: the launcher ended with status $?"; exit 1; }

sleep 1
all=$(cd "$work/markers" && ls 2>/dev/null | sed 's/\.loaded$//' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
echo "planted DLLs loaded, by any program: ${all:-none}"
loaded=$(tr ' ' '\n' <<<"$all" | sed -n 's/-by-launcher\.exe$//p' | tr '\n' ' ')
echo "planted DLLs loaded by the launcher: ${loaded:-none}"
case $expect in
  none)  [ -z "$loaded" ] || { echo "FAIL: a planted DLL was loaded"; exit 1; } ;;
  *)     grep -qw "$expect.dll" <<<"$loaded" || { echo "FAIL: $expect.dll was expected to load here, and did not"; exit 1; } ;;
esac
echo "PASS"
