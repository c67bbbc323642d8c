#!/usr/bin/env bash
# Installs what is missing, builds the products for Linux and for Windows in
# folders of their own (build-release, build-release-win: no tests, no
# benchmarks) and writes into dist/ everything a user downloads:
#   velmorin_<version>_amd64.deb                  Debian 12 and its successors
#   Velmorin-<version>-linux-x86_64.tar.gz        any x86-64 distribution
#   Velmorin-<version>-windows-x64-setup.exe      the Windows installer
#   Velmorin-<version>-windows-x64.zip            the same files, to copy by hand
#   SHA256SUMS                                    over all of them
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

for preset in release release-windows; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
done

rm -rf dist
mkdir -p dist
cpack --config build-release/CPackConfig.cmake -G DEB -B build-release/cpack
mv build-release/cpack/*.deb dist/
bash scripts/package-linux-archive.sh build-release dist
bash scripts/package-windows.sh build-release-win dist
(cd dist && sha256sum -- * >SHA256SUMS)
ls -l dist
