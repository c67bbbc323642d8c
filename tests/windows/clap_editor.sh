#!/bin/sh
# Runs the Windows CLAP editor test (clap_editor_test.exe, which loads the
# Windows Velmorin.clap) under Wine in a virtual X server, in a Wine prefix of
# its own whose server lives only for this run (wine_x_session.sh).
#
#   clap_editor.sh TEST.exe PICTURE.png WORK_DIR
#
# PICTURE (the editor at Init as Velmorin.dll draws it under Wine) becomes
# the reference .bmp file; a picture that differs is left in
# WORK_DIR/artefacts with the difference.
set -eu
test_program=$1
picture=$2
work=$3

rm -rf "$work/references" "$work/artefacts"
mkdir -p "$work/references" "$work/artefacts"
convert "$picture" "BMP3:$work/references/$(basename "$picture" .png).bmp"

export VELMORIN_REFERENCE_DIR="$work/references" VELMORIN_ARTEFACT_DIR="$work/artefacts"
export TEST_PROGRAM="$test_program"
sh "$(dirname "$0")/wine_x_session.sh" "$work" 'wine "$TEST_PROGRAM" --gtest_brief=1'
