#!/usr/bin/env bash
# Builds the deliverables (Setup.exe, Ombrisk.dll, Pictavo.dll) into out/ and runs Setup once
# under Wine in a throwaway prefix, printing its log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DSETUP_TESTS=OFF -DSETUP_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build build-release
mkdir -p out
cp build-release/bin/Setup.exe build-release/bin/Ombrisk.dll build-release/bin/Pictavo.dll out/
bash bench/sizes.sh out

# A first run: Setup beside its setup description file, logging what it does.
demo=build-release/demo
mkdir -p "$demo"
cp out/* "$demo/"
printf '[Settings]\r\napp_name=Demo Suite\r\nlog_enabled=TRUE\r\nlog_filename=setup.log\r\n' > "$demo/Setup.ini"
bash scripts/make-prefix.sh build-release/wine/win64 win64
(cd "$demo" && WINEPREFIX="$root/build-release/wine/win64" bash "$root/scripts/wine-exec.sh" Setup.exe) || true
WINEPREFIX="$root/build-release/wine/win64" wineserver -w || true
echo "== $demo/setup.log"
cat "$demo/setup.log"
