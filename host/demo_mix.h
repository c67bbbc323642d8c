// The built-in demo material: a deterministic 20-second stereo mix of kick,
// snare, hats, bass and chords, with quiet and loud sections and sharp drum
// transients, so that a mastering processor has something to act on.
#pragma once

#include "audio_buffer.h"

namespace velmorin::host {

constexpr double kDemoSeconds = 20.0;
constexpr int kDemoSampleRate = 44100;

AudioBuffer synthesizeDemoMix();
// The demo mix, repeated to SECONDS: the material benchmarks run on.
AudioBuffer demoMixLasting(double seconds);

}  // namespace velmorin::host
