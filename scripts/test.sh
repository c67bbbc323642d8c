#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build under
# Wine (interface tests, and its render compared with the Linux one), the plain
# build, ThreadSanitizer, and AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Windows: Velmorin.dll, velmorin.exe and the interface tests, run by Wine in a
# prefix of their own inside the build folder (no display needed).
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-win -j2
export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"
wineserver -p  # one server for all runs: each start then costs far less
trap 'wineserver -k || true' EXIT
# Start Wine's own services now, outside the tests: they would otherwise
# inherit a test's output and keep CTest waiting until they end.
if [ -f "$WINEPREFIX/system.reg" ]; then wineboot >/dev/null 2>&1; else wineboot -i >/dev/null 2>&1; fi
ctest --test-dir build-win --output-on-failure

# Tests and benchmarks on explicitly: the demo may have configured build/ without them.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORIN_WINDOWS_BUILD="$PWD/build-win" \
  -DVELMORIN_BUILD_TESTS=ON -DVELMORIN_BUILD_BENCHMARKS=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-tsan -DVELMORIN_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-tsan -j2
ctest --test-dir build-tsan --output-on-failure -L concurrency

cmake -S . -B build-asan -DVELMORIN_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j2
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt \
  ctest --test-dir build-asan --output-on-failure -j2
