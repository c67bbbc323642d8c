#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (plain, ThreadSanitizer
# and AddressSanitizer + UndefinedBehaviorSanitizer builds).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-tsan -DVELMORIN_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-tsan -j2
ctest --test-dir build-tsan --output-on-failure -L concurrency

cmake -S . -B build-asan -DVELMORIN_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2
