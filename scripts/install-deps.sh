#!/usr/bin/env bash
# Installs what building and testing the launcher needs on Debian 12 (run as
# root). Quick when everything is there already.
set -euo pipefail

packages=(cmake g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
          xdotool x11-apps imagemagick googletest fonts-liberation fonts-wine)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
