#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the built-in demo
# mix mastered through the plug-in, with its loudness report. Only what that
# needs: no tests, benchmarks, Windows build or peer plug-ins.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh demo
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORIN_BUILD_TESTS=OFF -DVELMORIN_BUILD_BENCHMARKS=OFF
cmake --build build -j2 --target Velmorin velmorin
./build/velmorin demo out --plot out/demo-loudness.png
