#!/bin/sh
# Runs the scaled editor test (scaled_host_test.exe) under Wine in a virtual
# X server large enough for the editor at 2.0, in a Wine prefix of its own
# whose system DPI is DPI (wine_x_session.sh).
#
#   scaled_editor.sh HOST_TEST.exe GOLDEN_DIR WORK_DIR DPI GTEST_FILTER
#
# The golden pictures become the reference .bmp files; pictures that differ
# are left in WORK_DIR/artefacts.
set -eu
host_test=$1
golden=$2
work=$3

rm -rf "$work/references" "$work/artefacts"
mkdir -p "$work/references" "$work/artefacts"
for picture in "$golden"/init-x*.png; do
  convert "$picture" "BMP3:$work/references/$(basename "$picture" .png).bmp"
done

export VELMORIN_REFERENCE_DIR="$work/references" VELMORIN_ARTEFACT_DIR="$work/artefacts"
export HOST_TEST="$host_test" DPI="$4" FILTER="$5" WINE_X_SCREEN=1600x1200x24
sh "$(dirname "$0")/wine_x_session.sh" "$work" '
  wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$DPI" /f >/dev/null 2>&1
  wine "$HOST_TEST" --gtest_brief=1 --gtest_filter="$FILTER"
'
