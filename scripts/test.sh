#!/usr/bin/env bash
# Installs what is missing, builds, prepares the Wine prefixes and a virtual display, runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SETUP_BUILD_DIR:-$root/build}
cd "$root"

bash scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DSETUP_WERROR=ON >/dev/null
cmake --build "$build"

# Throwaway prefixes inside the build tree, made in parallel.
bash scripts/make-prefix.sh "$build/wine/win64" win64 &
p64=$!
bash scripts/make-prefix.sh "$build/wine/win32" win32 &
p32=$!
wait $p64
wait $p32

source scripts/xvfb.sh
start_xvfb
trap 'stop_xvfb; for p in "$build"/wine/*/; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done' EXIT

ctest --test-dir "$build" --output-on-failure -j2 "$@"
