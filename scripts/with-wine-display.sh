#!/usr/bin/env bash
# Runs a command with a private Wine prefix and a virtual X display:
#   with-wine-display.sh PREFIX_DIR COMMAND...
# Uses the caller's display instead when LAUNCHER_USE_DISPLAY=1 and DISPLAY is set.
set -euo pipefail
prefix=$1; shift

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
export WINEARCH=win32

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

if [ "${LAUNCHER_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  depth=${LAUNCHER_DISPLAY_DEPTH:-24}
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  [ -n "$xvfb_pid" ] || { echo "with-wine-display: no free X display" >&2; exit 1; }
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
fi

# A running server, started with its output away from ours, keeps every later
# wine call quick and keeps Wine's helpers from holding our pipes open.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >"$WINEPREFIX.log" 2>&1 </dev/null || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "with-wine-display: could not create the Wine prefix $WINEPREFIX (see $WINEPREFIX.log)" >&2; exit 1; }
fi
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null || { echo "with-wine-display: wine does not run" >&2; exit 1; }
# Unmanaged windows: with no window manager on the virtual display, Wine would
# otherwise wait two seconds for every hidden window to be withdrawn.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null

"$@"
