#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, if missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config binutils
  libgtest-dev libgmock-dev libbenchmark-dev
  # the editor's build-time glyphs and artwork
  libfreetype-dev libcairo2-dev fonts-liberation
  # the velmorin host
  libsndfile1-dev libebur128-dev libcli11-dev
  # the editor snapshot tool
  libpng-dev
  # the Linux editor's X windows (headers only: the plug-in opens libxcb at
  # run time), and the X server and input tools its tests run under
  libxcb1-dev libxcb-shm0-dev libxcb-xtest0-dev xvfb xauth xdotool
  # third-party VST 2.4 plug-ins the host is tested against
  zam-plugins lsp-plugins-vst
  # the Windows build, and Wine to test it
  mingw-w64 g++-mingw-w64-x86-64 wine64 wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
