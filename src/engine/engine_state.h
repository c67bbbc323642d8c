// The engine's whole working state, kept inside the effect object with fixed
// sizes: nothing is allocated after construction.
#pragma once

#include <cstdint>

#include "engine/block_meters.h"
#include "engine/display_feed.h"
#include "engine/dither_noise.h"
#include "params/parameter_values.h"

namespace velmorin {

constexpr int32_t kRingCapacity = 441;
constexpr int32_t kLookAheadRingLength = 440;
constexpr int32_t kLookAheadLatency = 880;
// What the signal is really delayed by: one ring less a frame for each of the
// compressors' and the limiter's look-ahead.
constexpr int32_t kLookAheadDelay = 2 * (kLookAheadRingLength - 1);

enum BandPhase : int32_t { kPhaseAttack = 1, kPhaseRelease = 2, kPhaseIdle = 3 };

struct BandDynamics {
    float gain[kNumBands] = {1, 1, 1};
    float target[kNumBands] = {1, 1, 1};
    int32_t phase[kNumBands] = {kPhaseIdle, kPhaseIdle, kPhaseIdle};
    float releaseRate[kNumBands] = {0.1f, 0.1f, 0.1f};
    float releaseStep[kNumBands] = {0, 0, 0};
};

struct LimiterDynamics {
    float gain = 1.0f;
    float releaseRate = 0.1f;
    float step = 0.0f;
};

// Biquad history: the input history is shared by the three bands.
struct CrossoverState {
    float x1[2] = {0, 0}, x2[2] = {0, 0};
    float y1[kNumBands][2] = {}, y2[kNumBands][2] = {};
};

struct DcTracker {
    float level[2] = {0, 0};
    float slope[2] = {0, 0};
};

// Look-ahead delay lines for lanes 0..2 (the bands) and 3 (the band sum). A
// slot holds one frame's samples of every lane, left and right side by side,
// so a frame moves in and out with a few vector accesses; the gains are kept
// lane by lane, so a ramp walks contiguous memory.
struct LookAheadRings {
    alignas(16) float samples[kRingCapacity][2 * kNumLanes];
    float gain[kNumLanes][kRingCapacity];
    int32_t pos = 0;  // read position shared by all lanes

    LookAheadRings() { clear(); }
    void clear() {
        for (int32_t i = 0; i < kRingCapacity; ++i) {
            for (float& sample : samples[i]) sample = 0.0f;
            for (int32_t lane = 0; lane < kNumLanes; ++lane) gain[lane][i] = 1.0f;
        }
    }
    float& left(int32_t lane, int32_t slot) { return samples[slot][2 * lane]; }
    float& right(int32_t lane, int32_t slot) { return samples[slot][2 * lane + 1]; }
};

struct EngineState {
    // Stored parameter values (written by any thread, read by the audio thread).
    ParameterValues<int32_t> stored;

    Relaxed<float> outputGain{1.0f};
    Relaxed<float> limiterThresholdGain{1.0f};

    // Audio-thread state.
    BandDynamics bands;
    LimiterDynamics limiter;
    CrossoverState crossover;
    DcTracker dc;
    LookAheadRings rings;

    // Written by the editor's menu and stored preferences, read at every block.
    Relaxed<int32_t> normalizeTarget{0};
    Relaxed<int32_t> dcRemoval{1};

    Relaxed<uint8_t> normalizeJustOn{0};
    Relaxed<uint8_t> outputLinkPending{0};
    Relaxed<uint8_t> outputRelinked{0};
    Relaxed<uint8_t> parametersChanged{0};
    Relaxed<float> lastShownOutputGain{1.0f};  // the editor's; the engine only clears it

    DisplayFeed feed;
    BlockMeters lastBlock;  // audio thread only: the formats read it after process
    DitherNoise noise{1};   // seeded once, like the C library's generator after srand(1)

    EngineState();

    // Suspend clears the look-ahead rings, the DC tracker and the last
    // block's meters, nothing else.
    void suspend();

    bool lookAheadOn() const { return stored.lookAhead.get() == 1.0f; }
};

}  // namespace velmorin
