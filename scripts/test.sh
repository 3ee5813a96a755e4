#!/usr/bin/env bash
# Installs what is missing, builds, prepares the Wine prefixes and a virtual display, runs every test.
#
# Two builds of the same code are tested: the 32-bit one that ships (build/), in a 64-bit prefix
# (WoW64) and a 32-bit prefix, and a 64-bit one (build64/) in the 64-bit prefix. Where the host
# runs 32-bit programs through qemu-i386, concurrency is trusted to the 64-bit build only.
# Arguments are passed to ctest (for example -R registry).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SETUP_BUILD_DIR:-$root/build}
build64=${build}64
cd "$root"

bash scripts/install-deps.sh
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && ! grep -q disabled /proc/sys/fs/binfmt_misc/qemu-i386; then
  export SETUP_TEST_QEMU=1
fi

cmake -S . -B "$build" -G Ninja -DSETUP_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake -S . -B "$build64" -G Ninja -DSETUP_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build"
cmake --build "$build64"

# Throwaway prefixes inside the build trees, made in parallel.
pids=()
bash scripts/make-prefix.sh "$build/wine/win64" win64 & pids+=($!)
bash scripts/make-prefix.sh "$build/wine/win32" win32 & pids+=($!)
bash scripts/make-prefix.sh "$build64/wine/win64" win64 & pids+=($!)
for p in "${pids[@]}"; do wait "$p"; done

source scripts/xvfb.sh
start_xvfb
cleanup() {
  stop_xvfb
  for p in "$build"/wine/*/ "$build64"/wine/*/; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
}
trap cleanup EXIT

status=0
echo "== 64-bit test build"
ctest --test-dir "$build64" --output-on-failure -j2 "$@" || status=1
echo "== 32-bit build (the deliverable)"
ctest --test-dir "$build" --output-on-failure -j2 "$@" || status=1
exit $status
