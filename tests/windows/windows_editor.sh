#!/bin/sh
# Runs the Windows host test (daw_host_test.exe) under Wine in a virtual X
# server, in a Wine prefix of its own whose server lives only for this run
# (wine_x_session.sh).
#
#   windows_editor.sh HOST_TEST.exe GOLDEN_DIR WORK_DIR
#
# The golden pictures (painted by the software canvas on Linux) become the
# reference .bmp files; pictures that differ are left in WORK_DIR/artefacts.
# After the window tests: preferences chosen from the context menu are read
# back from the prefix and a second effect starts with them; a fader is
# dragged with the X server's pointer (xdotool).
set -eu
host_test=$1
golden=$2
work=$3

rm -rf "$work/references" "$work/artefacts"
mkdir -p "$work/references" "$work/artefacts"
for picture in "$golden"/*.png; do
  convert "$picture" "BMP3:$work/references/$(basename "$picture" .png).bmp"
done

export VELMORIN_REFERENCE_DIR="$work/references" VELMORIN_ARTEFACT_DIR="$work/artefacts"
export VELMORIN_DRAG_READY="$work/drag-ready" HOST_TEST="$host_test"

sh "$(dirname "$0")/wine_x_session.sh" "$work" '
  rc=0
  fail() { echo "windows_editor: $*" >&2; rc=1; }
  run() { wine "$HOST_TEST" --gtest_brief=1 "$@"; }

  run --gtest_filter=-PreferencesFromTheMenu.*:XServerInput.* || rc=1

  run --gtest_filter=PreferencesFromTheMenu.ChoosesCommands || rc=1
  stored=$(wine reg query "HKCU\\Software\\QuandorPlugIns\\Velmorin" 2>/dev/null | tr -d "\r")
  echo "$stored" | grep -Eq "subWZ +REG_DWORD +0x2$" || fail "zoom range not stored: $stored"
  echo "$stored" | grep -Eq "subDS +REG_DWORD +0x3$" || fail "display speed not stored"
  echo "$stored" | grep -Eq "subCR +REG_BINARY +[0-9A-F]{288}$" || fail "colour table not stored"
  run --gtest_filter=PreferencesFromTheMenu.SecondEffectStartsWithThem || rc=1

  rm -f "$VELMORIN_DRAG_READY"
  run --gtest_filter=XServerInput.* &
  pid=$!
  waited=0
  while [ ! -s "$VELMORIN_DRAG_READY" ] && [ $waited -lt 600 ]; do
    sleep 0.1; waited=$((waited + 1))
  done
  if read -r x y < "$VELMORIN_DRAG_READY"; then
    xdotool mousemove "$x" "$y" sleep 0.2 mousedown 1 sleep 0.2 \
      mousemove "$x" $((y + 33)) sleep 0.2 mouseup 1
  else
    fail "the drag test never got ready"
  fi
  wait $pid || rc=1
  exit $rc
'
