#!/usr/bin/env bash
# Close latency of the progress dialog: how long CProgressDialog::CloseDialog takes with the bar
# at its worst positions (99 forwards, 1 backwards) and at a few others. Target: 1.3 s everywhere.
#
#   bench/progress_close_latency.sh [build folder] [runs per position]
#
# The default build folder is build64: the dialog runs on two threads of its own, and only the
# 64-bit build runs threads side by side on hosts where 32-bit Wine goes through qemu-i386.
# Prints one line per position; exits with 1 when the target is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build64}
runs=${2:-5}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
fi
cmake --build "$build" --target ui_close_latency Ombrisk Pictavo >/dev/null

prefix=$build/wine/win64
bash "$root/scripts/make-prefix.sh" "$prefix" win64
if [ -z "${DISPLAY:-}" ]; then
  source "$root/scripts/xvfb.sh"
  start_xvfb
  # The prefix's Wine processes belong to this display: let them end before it goes.
  trap 'WINEPREFIX=$prefix wineserver -w 2>/dev/null || true; stop_xvfb' EXIT
fi

cd "$build/bin"
WINEPREFIX=$prefix WINEDEBUG=-all wine ui_close_latency.exe "$runs"
