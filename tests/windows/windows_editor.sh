#!/bin/sh
# Runs the Windows host test (daw_host_test.exe) under Wine in a virtual X
# server, in a Wine prefix of its own whose server lives only for this run.
#
#   windows_editor.sh HOST_TEST.exe GOLDEN_DIR WORK_DIR
#
# The golden pictures (painted by the software canvas on Linux) become the
# reference .bmp files; pictures that differ are left in WORK_DIR/artefacts.
set -eu
host_test=$1
golden=$2
work=$3

rm -rf "$work/references" "$work/artefacts"
mkdir -p "$work/references" "$work/artefacts"
for picture in "$golden"/*.png; do
  convert "$picture" "BMP3:$work/references/$(basename "$picture" .png).bmp"
done

export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export VELMORIN_REFERENCE_DIR="$work/references" VELMORIN_ARTEFACT_DIR="$work/artefacts"

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh -c '
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    # No two-second wait for the window manager on every window close.
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  fi
  wine "$0" --gtest_brief=1
  rc=$?
  wineserver -k || true
  exit $rc
' "$host_test"
