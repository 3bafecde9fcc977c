#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12. Idempotent: when every
# package is present it only checks and returns.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev make git
  googletest libgtest-dev libgmock-dev libsqlite3-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 wine xvfb xauth imagemagick xdotool
  fonts-wine fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea
  python3 python3-xlrd python3-xlwt python3-dbf python3-dbfread libdbd-xbase-perl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
