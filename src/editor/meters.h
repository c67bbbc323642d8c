// The display tick's meters: what a lane of the display feed says about gain
// reduction and peaks, the four gain-reduction bars and the two-bar output
// meter with their smoothing and held peak marks, drawn into the surfaces.
#pragma once

#include <cstdint>

#include "editor/meter_state.h"
#include "editor/shared_drawing.h"
#include "editor/wave_column_ring.h"
#include "engine/display_feed.h"
#include "platform/canvas.h"

namespace velmorin {

// The timer period of a display speed as a fraction of the slowest one's:
// 1.0 for speed 1 and for any unknown speed.
float speedFactor(int32_t displaySpeed);

// Ticks a peak mark is held: the hold time in slowest-speed ticks scaled to
// the speed, rounded. Never below 1 (a stored hold of 0 or less would leave
// the hold counters without a modulus); saturates for absurd stored holds.
int32_t holdTicks(int32_t peakHold, int32_t displaySpeed);

// One lane of the feed as the tick reads it, from the channel whose processed
// peak is larger (the right one on a tie).
struct LaneReading {
    float processedLeft = 0;   // the left peak after its gain
    float processedRight = 0;  // the right peak after its gain
    int barTarget = 0;         // gain-reduction bar in pixels, 0 to 124
    WaveColumn column;         // what the wave display draws for the lane
};
LaneReading evaluateLane(const WaveExtremes& lane);

// A bar rises at once and falls by half the distance plus one pixel; it is 0
// when it would go below 0 and while the effect is bypassed.
int16_t smoothedHeight(int height, int target, bool bypass);

// Smooths display d's gain-reduction bar toward `target`, takes or holds its
// peak mark and draws strip and mark into the display's backdrop. The strip's
// unlit part is left excluded from the backdrop's clip; the wave column work
// of the same tick removes the clip.
void drawGainMeter(MeterState& meters, int display, int target, bool bypass, int32_t holdTicks,
                   platform::Canvas& backdrop, const SharedDrawing& shared);

struct OutputMeterReading {
    float processedLeft;  // the master lane's peaks after the limiter
    float processedRight;
    float outputGain;
    bool normalize;  // the normalizer keeps the bars below the overs
    bool relinked;   // the output gain was just derived again: the same limit
    bool bypass;
};

// Lit rows of an output bar for a processed peak: 225 at full scale, 10.667
// per dB, 0 to 288; at most 224 when limited.
int outputMeterTarget(float processedPeak, float outputGain, bool limited);

// Smooths both output bars, takes or holds their shared-hold peak marks (red
// above full scale) and draws them into the output meter's backdrop, leaving
// its clip for the tick to remove.
void drawOutputMeter(MeterState& meters, const OutputMeterReading& reading, int32_t holdTicks,
                     platform::Canvas& meterBackdrop, const SharedDrawing& shared);

}  // namespace velmorin
