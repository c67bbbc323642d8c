#include "editor/meters.h"

#include <algorithm>
#include <cmath>

#include "engine/meter_figures.h"
#include "params/parameter_table.h"

namespace velmorin {
namespace {

using platform::RasterOp;

constexpr int kMaxGainBar = 124;
constexpr int kMarkOffset = 13;       // a band mark is kept as bar + 13, drawn 13 rows up
constexpr int kOutputMarkBase = 302;  // an output mark is kept as 302 - bar
constexpr int kOutputMarkRedBelow = 77;
constexpr int kLimitedOutputTarget = 192;  // before the +32 offset: 224 rows

int32_t mark(int32_t& held, int32_t& holdCount, int32_t taken, bool higher) {
    if (higher) {
        held = taken;
        holdCount = 0;
    }
    if (holdCount == 0) held = taken;
    return held;
}

}  // namespace

float speedFactor(int32_t displaySpeed) {
    switch (displaySpeed) {
        case 2:
            return 1.328f;
        case 3:
            return 1.66f;
        case 4:
            return 2.075f;
        default:
            return 1.0f;
    }
}

int32_t holdTicks(int32_t peakHold, int32_t displaySpeed) {
    const int32_t ticks =
        truncateToInt(static_cast<float>(peakHold) * speedFactor(displaySpeed) + 0.5f);
    return std::max(ticks, 1);
}

LaneReading evaluateLane(const WaveExtremes& lane) {
    const LanePeaks peaks = lanePeaks(lane);
    const bool useLeft = peaks.readLeft;
    const float ratio = reductionRatio(peaks.read());
    const auto decibelSteps = static_cast<int16_t>(truncateToInt(std::log10(ratio) * 426.6666f));

    const float max = useLeft ? lane.maxLeft : lane.maxRight;
    const float min = useLeft ? lane.minLeft : lane.minRight;
    const float gainAtMax = useLeft ? lane.gainAtMaxLeft : lane.gainAtMaxRight;
    const float gainAtMin = useLeft ? lane.gainAtMinLeft : lane.gainAtMinRight;
    LaneReading reading;
    reading.processedLeft = peaks.left.processed;
    reading.processedRight = peaks.right.processed;
    reading.barTarget = std::clamp(truncateToInt(decibelSteps * 0.4864f), 0, kMaxGainBar);
    reading.column = {scaledExtent(max), scaledExtent(min), scaledExtent(max * gainAtMax),
                      scaledExtent(min * gainAtMin)};
    return reading;
}

int16_t smoothedHeight(int height, int target, bool bypass) {
    const int h = target > height ? target : height - ((height - target) / 2 + 1);
    return static_cast<int16_t>(h < 0 || bypass ? 0 : h);
}

void drawGainMeter(MeterState& meters, int display, int target, bool bypass, int32_t holdTicks,
                   platform::Canvas& backdrop, const SharedDrawing& shared) {
    const int h = smoothedHeight(meters.bandMeterHeight[display], target, bypass);
    meters.bandMeterHeight[display] = static_cast<int16_t>(h);
    backdrop.copyFrom(kBackdropStripColumn, h, kGainStripWidth, kGainStripHeight - h, shared.skin(),
                      kGainStripSkinSource.x, kGainStripSkinSource.y + h, RasterOp::Copy);

    const int32_t m = h + kMarkOffset;
    const int32_t held = mark(meters.bandPeakMark[display], meters.bandHoldCount[display], m,
                              m > meters.bandPeakMark[display]);
    if (held > kMarkOffset && held < kGainStripHeight + kMarkOffset)
        backdrop.drawLine(kBackdropStripColumn, held - kMarkOffset,
                          kBackdropStripColumn + kGainStripWidth, held - kMarkOffset,
                          shared.bluePen());
    meters.bandHoldCount[display] = (meters.bandHoldCount[display] + 1) % holdTicks;

    backdrop.excludeClip(
        {kBackdropStripColumn, h, kBackdropStripColumn + kGainStripWidth, kGainStripHeight});
    const platform::Canvas& lit = shared.bitmap(kBitmapGainMeterLit);
    backdrop.copyFrom(kBackdropStripColumn, 0, lit.width(), lit.height(), lit, 0, 0,
                      RasterOp::Copy);
}

int outputMeterTarget(float processedPeak, float outputGain, bool limited) {
    int t = -32;
    if (processedPeak != 0.0f)
        t = truncateToInt(std::log10(processedPeak * 32768.0f * outputGain) * 213.3333f - 769.299f);
    t = std::clamp(t, -32, 256);
    if (limited) t = std::min(t, kLimitedOutputTarget);
    return t + 32;
}

void drawOutputMeter(MeterState& meters, const OutputMeterReading& reading, int32_t holdTicks,
                     platform::Canvas& meterBackdrop, const SharedDrawing& shared) {
    const bool limited = reading.normalize || reading.relinked;
    const int targets[kOutputBars] = {
        outputMeterTarget(reading.processedLeft, reading.outputGain, limited),
        outputMeterTarget(reading.processedRight, reading.outputGain, limited)};
    int heights[kOutputBars];
    for (int bar = 0; bar < kOutputBars; ++bar) {
        heights[bar] = smoothedHeight(meters.outMeterHeight[bar], targets[bar], reading.bypass);
        meters.outMeterHeight[bar] = static_cast<int16_t>(heights[bar]);
    }
    meterBackdrop.copyFrom(0, 0, kOutputMeterWidth,
                           kOutputMeterHeight - std::min(heights[0], heights[1]), shared.skin(),
                           kOutputMeterPlace.x, kOutputMeterPlace.y, RasterOp::Copy);

    const int barX[kOutputBars] = {0, kOutputRightBarX};
    for (int bar = 0; bar < kOutputBars; ++bar) {
        const int32_t m = kOutputMarkBase - heights[bar];
        const int32_t held =
            mark(meters.outPeakMark[bar], meters.outHoldCount, m, m < meters.outPeakMark[bar]);
        const platform::Pen& pen = held < kOutputMarkRedBelow ? shared.redPen() : shared.greenPen();
        if (held > kMarkOffset && held < kOutputMarkBase)
            meterBackdrop.drawLine(barX[bar], held - kMarkOffset, barX[bar] + kOutputBarWidth,
                                   held - kMarkOffset, pen);
    }
    meters.outHoldCount = (meters.outHoldCount + 1) % holdTicks;

    const platform::Canvas& lit = shared.bitmap(kBitmapOutputMeterLit);
    for (int bar = 0; bar < kOutputBars; ++bar) {
        meterBackdrop.excludeClip(
            {barX[bar], 0, barX[bar] + kOutputBarWidth, kOutputMeterHeight - heights[bar]});
        meterBackdrop.copyFrom(barX[bar], 0, lit.width(), lit.height(), lit, 0, 0, RasterOp::Copy);
    }
}

}  // namespace velmorin
