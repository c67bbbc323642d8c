#include "engine/meter_figures.h"

#include <algorithm>
#include <cmath>

namespace velmorin {
namespace {

ChannelPeak channelPeak(float max, float min, float gainAtMax, float gainAtMin) {
    if (max > -min) return {max, max * gainAtMax};
    return {-min, -(min * gainAtMin)};
}

float reductionDb(float ratio) {
    return std::clamp(-20.0f * std::log10(ratio), kReductionFloorDb, 0.0f);
}

float peakDb(float level) {
    if (!(level > 0.0f)) return kPeakFloorDb;
    return std::clamp(20.0f * std::log10(level), kPeakFloorDb, kPeakCeilingDb);
}

}  // namespace

LanePeaks lanePeaks(const WaveExtremes& lane) {
    LanePeaks peaks;
    peaks.left = channelPeak(lane.maxLeft, lane.minLeft, lane.gainAtMaxLeft, lane.gainAtMinLeft);
    peaks.right =
        channelPeak(lane.maxRight, lane.minRight, lane.gainAtMaxRight, lane.gainAtMinRight);
    peaks.readLeft = peaks.left.processed > peaks.right.processed;
    return peaks;
}

float reductionRatio(const ChannelPeak& channel) {
    if (channel.processed == 0.0f) return 1.0f;
    if (channel.peak == 0.0f) return 10.0f;
    return channel.peak / channel.processed;
}

MeterFigures meterFigures(const LaneExtremes& extremes, float outputGain) {
    MeterFigures figures{};
    for (int32_t lane = 0; lane < kNumLanes; ++lane) {
        figures.reductionDb[lane] =
            reductionDb(reductionRatio(lanePeaks(extremes.lane[lane]).read()));
    }
    const LanePeaks master = lanePeaks(extremes.lane[kMasterLane]);
    figures.outputPeakDb[0] = peakDb(master.left.processed * outputGain);
    figures.outputPeakDb[1] = peakDb(master.right.processed * outputGain);
    return figures;
}

float workingReductionDb(const BlockMeters& meters) {
    const float deepestBand =
        std::min({meters.lastGain[0], meters.lastGain[1], meters.lastGain[2], 1.0f});
    const float gain = deepestBand * std::min(meters.lastGain[kMasterLane], 1.0f);
    if (!(gain > 0.0f)) return kReductionFloorDb;
    return std::max(20.0f * std::log10(gain), kReductionFloorDb);
}

}  // namespace velmorin
