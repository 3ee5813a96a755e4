#!/usr/bin/env bash
# Creates a throwaway Wine prefix: make-prefix.sh DIR win64|win32 [VERSION]
# VERSION is what the prefix reports (winxp, win2k, vista, win7; default win7).
set -euo pipefail
mkdir -p "$(dirname "$1")"
dir=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
arch=$2
version=${3:-win7}
export WINEPREFIX=$dir WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -f "$dir/.ready" ] && [ "$(cat "$dir/.ready")" = "$arch $version" ]; then
  exit 0
fi
rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
if [ "$arch" = win32 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
wineboot -i >/dev/null 2>&1 || true
winecfg -v "$version" >/dev/null 2>&1
# A crashing program must not leave a debugger waiting for a user that never comes.
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
wineserver -w
echo "$arch $version" > "$dir/.ready"
