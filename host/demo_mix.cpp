#include "demo_mix.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace velmorin::host {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeat = 0.5;  // 120 beats per minute
constexpr double kBar = 4 * kBeat;
constexpr int kBars = static_cast<int>(kDemoSeconds / kBar);
constexpr double kPeakDb = -1.0;  // the finished mix peaks here

// The arrangement: which parts play in each bar, and how loud the bar is.
struct Section {
    int firstBar, lastBar;
    double level;
    bool kick, snare, hats, bass, chords;
};
constexpr Section kSections[] = {
    {0, 1, 0.30, false, false, true, false, true},  // intro: hats and chords
    {2, 5, 0.75, true, true, true, true, true},     // groove
    {6, 6, 0.40, false, false, true, true, true},   // breakdown
    {7, 9, 1.00, true, true, true, true, true},     // drop, with a snare fill at the end
};

// One chord per bar (A minor, F, C, G), as MIDI notes; the bass plays the root.
constexpr int kChords[4][3] = {{57, 60, 64}, {53, 57, 60}, {60, 64, 67}, {55, 59, 62}};

double frequency(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// A fixed linear congruential generator: the same noise on every platform.
class Noise {
  public:
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

  private:
    uint32_t state_ = 0x5eed;
};

class Mix {
  public:
    Mix() : left_(static_cast<std::size_t>(kDemoSeconds * kDemoSampleRate)), right_(left_) {}

    // Adds VOICE(t), t in seconds from START, for DURATION seconds, panned.
    void add(double start, double duration, double gainLeft, double gainRight,
             const std::function<double(double)>& voice) {
        const auto first = static_cast<std::size_t>(start * kDemoSampleRate);
        const auto count = static_cast<std::size_t>(duration * kDemoSampleRate);
        for (std::size_t i = 0; i < count && first + i < left_.size(); ++i) {
            const double value = voice(static_cast<double>(i) / kDemoSampleRate);
            left_[first + i] += gainLeft * value;
            right_[first + i] += gainRight * value;
        }
    }

    AudioBuffer finish() const {
        double peak = 0.0;
        for (std::size_t i = 0; i < left_.size(); ++i) {
            peak = std::max({peak, std::fabs(left_[i]), std::fabs(right_[i])});
        }
        const double scale = std::pow(10.0, kPeakDb / 20.0) / peak;
        AudioBuffer audio;
        audio.sampleRate = kDemoSampleRate;
        audio.resize(left_.size());
        for (std::size_t i = 0; i < left_.size(); ++i) {
            audio.left[i] = static_cast<float>(left_[i] * scale);
            audio.right[i] = static_cast<float>(right_[i] * scale);
        }
        return audio;
    }

  private:
    std::vector<double> left_;
    std::vector<double> right_;
};

void kick(Mix& mix, double at, double level) {
    double phase = 0.0;
    mix.add(at, 0.45, level, level, [phase](double t) mutable {
        phase += 2.0 * kPi * (48.0 + 110.0 * std::exp(-t / 0.035)) / kDemoSampleRate;
        return std::sin(phase) * std::exp(-t / 0.22);
    });
}

void snare(Mix& mix, Noise& noise, double at, double level) {
    double previous = 0.0;
    mix.add(at, 0.3, level, level * 0.9, [&noise, previous](double t) mutable {
        const double white = noise.next();
        const double bright = white - previous;  // a first difference: brighter noise
        previous = white;
        return 0.55 * bright * std::exp(-t / 0.09) +
               0.6 * std::sin(2.0 * kPi * 185.0 * t) * std::exp(-t / 0.05);
    });
}

void hat(Mix& mix, Noise& noise, double at, double level) {
    double previous = 0.0;
    mix.add(at, 0.08, level * 0.6, level, [&noise, previous](double t) mutable {
        const double white = noise.next();
        const double bright = white - previous;
        previous = white;
        return 0.25 * bright * std::exp(-t / 0.018);
    });
}

void bassNote(Mix& mix, int note, double at, double level) {
    const double f = frequency(note);
    double smoothed = 0.0;
    mix.add(at, kBeat / 2 - 0.01, level, level, [f, smoothed](double t) mutable {
        const double saw = 2.0 * (f * t - std::floor(f * t + 0.5));
        smoothed += 0.06 * (saw - smoothed);  // a gentle one-pole low-pass
        const double envelope = std::min(1.0, t / 0.004) * (0.6 + 0.4 * std::exp(-t / 0.06));
        return 0.7 * smoothed * envelope;
    });
}

void chord(Mix& mix, const int (&notes)[3], double at, double level) {
    constexpr double kPans[3][2] = {{0.8, 0.8}, {1.0, 0.45}, {0.45, 1.0}};
    for (int voice = 0; voice < 3; ++voice) {
        const double f = frequency(notes[voice]);
        mix.add(at, kBar, level * kPans[voice][0], level * kPans[voice][1], [f](double t) {
            const double swell = std::min(1.0, t / 0.08) * std::exp(-t / 3.0);
            return 0.12 * swell *
                   (std::sin(2.0 * kPi * f * t) + 0.3 * std::sin(2.0 * kPi * 2.003 * f * t));
        });
    }
}

}  // namespace

AudioBuffer synthesizeDemoMix() {
    Mix mix;
    Noise noise;
    for (const Section& section : kSections) {
        for (int bar = section.firstBar; bar <= section.lastBar; ++bar) {
            const double start = bar * kBar;
            const double level = section.level;
            const int(&notes)[3] = kChords[bar % 4];
            if (section.chords) chord(mix, notes, start, level);
            for (int eighth = 0; eighth < 8; ++eighth) {
                const double at = start + eighth * kBeat / 2;
                if (section.hats) hat(mix, noise, at, level * (eighth % 2 ? 0.6 : 1.0));
                if (section.bass) bassNote(mix, notes[0] - 24 + (eighth == 7 ? 12 : 0), at, level);
            }
            for (int beat = 0; beat < 4; ++beat) {
                const double at = start + beat * kBeat;
                if (section.kick) kick(mix, at, level);
                if (section.snare && beat % 2 == 1) snare(mix, noise, at, level);
            }
        }
    }
    // The fill: four rising sixteenth-note snares into the end.
    for (int hit = 0; hit < 4; ++hit) {
        snare(mix, noise, (kBars - 1) * kBar + 3 * kBeat + hit * kBeat / 4, 0.6 + 0.2 * hit);
    }
    return mix.finish();
}

AudioBuffer demoMixLasting(double seconds) {
    const AudioBuffer mix = synthesizeDemoMix();
    AudioBuffer audio;
    audio.sampleRate = mix.sampleRate;
    audio.resize(static_cast<std::size_t>(seconds * mix.sampleRate));
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        audio.left[i] = mix.left[i % mix.frames()];
        audio.right[i] = mix.right[i % mix.frames()];
    }
    return audio;
}

}  // namespace velmorin::host
