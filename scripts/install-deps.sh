#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine, as root.
# Idempotent: returns quickly when all is present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

need=(wine wine32:i386 wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64 gcc-mingw-w64-i686
      msitools wixl xvfb xauth x11-utils imagemagick cmake ninja-build googletest
      qemu-user-static gcc libc6-dev python3 fonts-dejavu-core fonts-noto-core fonts-noto-cjk
      fonts-wine)

missing=()
for p in "${need[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# 32-bit Wine needs the kernel's ia32 emulation. Where it is switched off, 32-bit programs run
# through qemu-i386 instead, registered as their binfmt_misc interpreter.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  wrapper=/usr/local/lib/qemu-i386-wine
  if [ ! -x "$wrapper" ] || [ "$here/qemu-i386-wine.c" -nt "$wrapper" ]; then
    $SUDO gcc -O2 -static -o "$wrapper" "$here/qemu-i386-wine.c"
  fi
  misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$misc"
  [ -e "$misc/qemu-i386" ] && echo -1 | $SUDO tee "$misc/qemu-i386" >/dev/null
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$wrapper"':F' \
    | $SUDO tee "$misc/register" >/dev/null
  /usr/lib/wine/wine --version >/dev/null
  echo "32-bit programs run through qemu-i386 ($wrapper)"
fi
