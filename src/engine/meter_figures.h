// How a lane of the display feed reads as a meter: the channel it is read
// from, the gain reduction of its peak, and the figures a host's meters show
// in dB. The editor's bars and the formats' meter outputs share these rules.
#pragma once

#include <cstdint>

#include "engine/block_meters.h"
#include "engine/display_feed.h"

namespace velmorin {

// One channel's larger excursion before its gain and the same after it.
struct ChannelPeak {
    float peak = 0;
    float processed = 0;
};

// Both channels of a lane, and the one its meter reads: the one whose
// processed peak is larger (the right one on a tie).
struct LanePeaks {
    ChannelPeak left, right;
    bool readLeft = false;
    const ChannelPeak& read() const { return readLeft ? left : right; }
};
LanePeaks lanePeaks(const WaveExtremes& lane);

// Peak over processed peak: 1 when nothing came out, 10 when a processed peak
// came from no input peak.
float reductionRatio(const ChannelPeak& channel);

// The figures a host shows, in dB, clamped to the ports' ranges.
inline constexpr float kReductionFloorDb = -30.0f;
inline constexpr float kPeakFloorDb = -90.0f;
inline constexpr float kPeakCeilingDb = 24.0f;

struct MeterFigures {
    float reductionDb[kNumLanes];  // High, Mid, Low, limiter: 0 or below
    float outputPeakDb[2];         // left, right, after the output gain
};
MeterFigures meterFigures(const LaneExtremes& extremes, float outputGain);

// The figures as the read-only outputs of the formats that have them (LV2
// ports, VST3 parameters), in this order everywhere.
struct MeterOutput {
    const char* name;
    float minimumDb;
    float maximumDb;
};
inline constexpr MeterOutput kMeterOutputs[] = {
    {"High gain reduction", kReductionFloorDb, 0.0f},
    {"Mid gain reduction", kReductionFloorDb, 0.0f},
    {"Low gain reduction", kReductionFloorDb, 0.0f},
    {"Limiter gain reduction", kReductionFloorDb, 0.0f},
    {"Left output peak", kPeakFloorDb, kPeakCeilingDb},
    {"Right output peak", kPeakFloorDb, kPeakCeilingDb},
};
inline constexpr int32_t kNumMeterOutputs = sizeof kMeterOutputs / sizeof kMeterOutputs[0];
static_assert(kNumMeterOutputs == kNumLanes + 2);

inline void meterOutputValues(const MeterFigures& figures, float (&values)[kNumMeterOutputs]) {
    for (int32_t lane = 0; lane < kNumLanes; ++lane) values[lane] = figures.reductionDb[lane];
    values[kNumLanes] = figures.outputPeakDb[0];
    values[kNumLanes + 1] = figures.outputPeakDb[1];
}

// The dynamic gain reduction at the block's last frame, both channels, before
// the Mix levels and the output gain: the deepest band's reduction and the
// limiter's, which follows the band sum, added. 0 or below.
float workingReductionDb(const BlockMeters& meters);

}  // namespace velmorin
