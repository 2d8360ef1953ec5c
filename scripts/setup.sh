#!/bin/bash
# Installs what building, running and testing need on a Debian machine (as
# root). Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
  wine wine64 wine32:i386 xvfb xauth x11-utils locales
  gstreamer1.0-plugins-good gstreamer1.0-plugins-good:i386
  gstreamer1.0-plugins-base gstreamer1.0-plugins-base:i386
  sox lame fonts-ipafont-gothic imagemagick
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# The Japanese locale gives Wine the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
