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

// The dynamic gain reduction at the block's last frame, both channels, before
// the Mix levels and the output gain: the deepest band's reduction and the
// limiter's, which follows the band sum, added. 0 or below.
float workingReductionDb(const BlockMeters& meters);

}  // namespace velmorin
