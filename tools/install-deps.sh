#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root; does nothing when all is there.
set -euo pipefail

packages=(cmake make g++ mingw-w64 g++-mingw-w64-i686-posix libz-mingw-w64-dev
          wine wine32:i386 xvfb xauth fonts-wine fonts-liberation locales imagemagick)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages (${missing[*]}); run as root to install them" >&2
    exit 1
  fi
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Greek Windows (ANSI code page 1253) under Wine needs the glibc locale.
if ! locale -a 2>/dev/null | grep -qi '^el_GR\.utf-\?8$'; then
  if [ "$(id -u)" -eq 0 ]; then
    sed -i 's/^# *el_GR.UTF-8 UTF-8/el_GR.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^el_GR.UTF-8 UTF-8' /etc/locale.gen || echo 'el_GR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
fi
