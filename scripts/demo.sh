#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: the built-in demo
# mix mastered through the plug-in, with its loudness report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
./build/velmorin demo out
