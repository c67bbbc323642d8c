#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, if missing.
#   bash scripts/install-deps.sh demo   what the plug-in and the velmorin command need
#   bash scripts/install-deps.sh        that, and everything the tests need
set -euo pipefail

demo_packages=(
  build-essential cmake pkg-config binutils
  # the editor's build-time glyphs and artwork
  libfreetype-dev libcairo2-dev fonts-liberation
  # the velmorin host (and the editor snapshot tool, configured with it)
  libsndfile1-dev libebur128-dev libcli11-dev nlohmann-json3-dev libpng-dev
  # the Linux editor's X windows (headers only: the plug-in opens libxcb at
  # run time)
  libxcb1-dev libxcb-shm0-dev
  # velmorin live: the JACK client library (PipeWire's serves it at run time)
  # and the resampler for the file it plays
  libjack-jackd2-dev libsamplerate0-dev
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  # a compiler cache: the test command's second run rebuilds only what changed
  ccache
  # the Linux editor's tests: real input through the X server
  libxcb-xtest0-dev
  # the LV2 bundle: its headers, a lilv test host, lv2apply, lv2_validate,
  # and suil, which loads the UI as hosts do
  lv2-dev liblilv-dev lilv-utils sordi libsuil-dev
  # third-party VST 2.4 plug-ins the host is tested against
  zam-plugins lsp-plugins-vst
  # the Windows build, and Wine to test it
  mingw-w64 g++-mingw-w64-x86-64 wine64 wine
  # the Windows editor's windows: a virtual X server, real input, the
  # reference pictures turned into .bmp files
  xvfb xauth xdotool imagemagick
  # velmorin live's tests: a JACK server on its dummy driver, no sound card
  jackd2
)

packages=("${demo_packages[@]}")
[ "${1:-}" = demo ] || packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
