#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Windows build under
# Wine (interface tests, the editors of Velmorin.dll and Velmorin.clap in real
# windows, and the renders of both compared with the Linux ones), the plain
# build, ThreadSanitizer, and AddressSanitizer +
# UndefinedBehaviorSanitizer. Each configuration is a CMake preset and builds
# only the suites it runs (docs/testing.md says which and why).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Each stage's wall time, for the figures in docs/testing.md.
stage() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "== $name: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
}

windows() {
  cmake --preset windows
  # One Wine server for all runs (each start then costs far less), in the
  # test preset's prefix inside the build folder.
  export WINEPREFIX=$PWD/build-win/wineprefix WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  wineserver -p
  trap 'wineserver -k || true' EXIT
  # Start Wine's own services now, outside the tests: they would otherwise
  # inherit a test's output and keep CTest waiting until they end. A new
  # prefix is made while the build runs.
  if [ -f "$WINEPREFIX/system.reg" ]; then wineboot >/dev/null 2>&1 & else wineboot -i >/dev/null 2>&1 & fi
  local boot=$!
  cmake --build --preset windows
  wait "$boot"
  ctest --preset windows
}

# The plain build compares its render with the Windows one under Wine.
plain() {
  cmake --preset dev -DVELMORIN_WINDOWS_BUILD="$PWD/build-win"
  cmake --build --preset dev
  ctest --preset dev
}

sanitized() {
  cmake --preset "$1"
  cmake --build --preset "$1"
  ctest --preset "$1"
}

stage windows windows
stage plain plain
stage ThreadSanitizer sanitized tsan
stage "AddressSanitizer + UndefinedBehaviorSanitizer" sanitized asan
