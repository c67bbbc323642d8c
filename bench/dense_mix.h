// Deterministic test material for the benchmarks: a dense mix (kick, snare,
// hats, bass, chords) and a few special signals.
#pragma once

#include <vector>

struct StereoSignal {
    std::vector<float> left, right;
};

StereoSignal denseMix(int frames, float sampleRate = 44100.0f);
// Noise well below every threshold.
StereoSignal nearSilence(int frames);
// Noise made only of denormal numbers.
StereoSignal denormalNoise(int frames);
// A mix whose level rises all the time, so every frame deepens the reduction
// and the look-ahead ramps walk the whole delay.
StereoSignal crescendo(int frames, float sampleRate = 44100.0f);
