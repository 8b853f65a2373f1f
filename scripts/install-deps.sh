#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Does nothing when everything is already present.
set -euo pipefail

packages=(cmake g++ make googletest g++-mingw-w64-i686-posix wine wine32:i386 xvfb xauth chromium fonts-wqy-microhei)
# The browser check runs on Node.js; machines that have no Node.js of their
# own get Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
