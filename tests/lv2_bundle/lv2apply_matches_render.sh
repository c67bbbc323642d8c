#!/bin/sh
# lv2apply through the bundle and `velmorin render` through the VST 2.4
# build, with the same settings, write the same samples.
#   lv2apply_matches_render.sh VELMORIN BUNDLE_DIR WORK_DIR
set -eu
velmorin=$1 bundle=$2 work=$3
rm -rf "$work" && mkdir -p "$work/lv2"
ln -s "$bundle" "$work/lv2/"
"$velmorin" demo "$work" >/dev/null
in=$work/demo-input.wav

# The samples of a float WAV file: everything after its data chunk's header.
samples() {
  offset=$(grep -obUa data "$1" | head -n 1 | cut -d: -f1)
  tail -c +$((offset + 9)) "$1"
}

# Each case: the VST 2.4 settings (stored units), then the same as port values.
check() {
  vst_settings=$1 lv2_settings=$2
  # shellcheck disable=SC2086
  # lv2apply runs the plug-in one frame at a time.
  "$velmorin" render "$in" "$work/vst.wav" --block 1 $vst_settings >/dev/null
  # shellcheck disable=SC2086
  LV2_PATH="$work/lv2" lv2apply -i "$in" -o "$work/lv2.wav" $lv2_settings \
    https://quandorweb.com/lv2/velmorin
  samples "$work/vst.wav" >"$work/vst.raw"
  samples "$work/lv2.wav" >"$work/lv2.raw"
  test -s "$work/vst.raw"
  cmp "$work/vst.raw" "$work/lv2.raw"
  echo "same samples: $lv2_settings"
}

check "" ""
check "--set ThrH=24 --set RatioL=0.5 --set LookAhead=0" \
      "-c thr_high -12 -c ratio_low 10.5 -c look_ahead 0"
check "--set Normalize=1 --set ThrLimiter=12 --set MixM=150 --set Dither=1" \
      "-c normalize 1 -c thr_limiter -6 -c mix_mid -3 -c dither 1"
