#include "dense_mix.h"

#include <cmath>
#include <random>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double envelope(double t, double decay) {
    return std::exp(-t / decay);
}

}  // namespace

StereoSignal denseMix(int frames, float sampleRate) {
    StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    const double beat = 60.0 / 124.0;  // 124 BPM
    const double chord[] = {220.0, 261.63, 329.63, 392.0};
    for (int n = 0; n < frames; ++n) {
        const double t = n / sampleRate;
        const double inBeat = std::fmod(t, beat);
        const double inBar = std::fmod(t, beat * 4);
        const double eighth = std::fmod(t, beat / 2);
        const double kick = 0.9 * envelope(inBeat, 0.12) *
                            std::sin(kTwoPi * (50 + 80 * envelope(inBeat, 0.02)) * inBeat);
        const double snareTime = std::fmod(t + beat, beat * 2);
        const double snare = 0.5 * envelope(snareTime, 0.08) * white(rng);
        const double hats = 0.15 * envelope(eighth, 0.015) * white(rng);
        const double bass =
            0.35 * std::sin(kTwoPi * 55.0 * t) * (0.6 + 0.4 * envelope(inBeat, 0.2));
        double chords = 0;
        for (double f : chord)
            chords += 0.06 * std::sin(kTwoPi * f * t) * (0.7 + 0.3 * envelope(inBar, 1.0));
        const double centre = kick + bass;
        s.left[n] = static_cast<float>(centre + snare * 0.9 + hats * 0.6 + chords * 1.1);
        s.right[n] = static_cast<float>(centre + snare * 1.1 + hats * 1.2 + chords * 0.9);
    }
    return s;
}

StereoSignal nearSilence(int frames) {
    StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> white(-1e-4f, 1e-4f);
    for (int n = 0; n < frames; ++n) s.left[n] = white(rng), s.right[n] = white(rng);
    return s;
}

StereoSignal denormalNoise(int frames) {
    StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
    std::mt19937 rng(4);
    std::uniform_real_distribution<float> white(-1e-39f, 1e-39f);
    for (int n = 0; n < frames; ++n) s.left[n] = white(rng), s.right[n] = white(rng);
    return s;
}

StereoSignal crescendo(int frames, float sampleRate) {
    StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
    for (int n = 0; n < frames; ++n) {
        const double level = 0.2 + 2.0 * n / frames;
        const double t = n / sampleRate;
        // Square-ish tones keep the band peaks flat, so the level alone moves them.
        const double tone = std::tanh(8.0 * std::sin(kTwoPi * 80.0 * t)) * 0.5 +
                            std::tanh(8.0 * std::sin(kTwoPi * 3000.0 * t)) * 0.5;
        s.left[n] = s.right[n] = static_cast<float>(level * tone);
    }
    return s;
}
