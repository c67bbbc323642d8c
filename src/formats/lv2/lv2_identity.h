// The names the LV2 plug-in is known by. The URIs are stable: sessions and
// presets refer to them.
#pragma once

#include <cstdint>

#include "params/parameter_table.h"

namespace velmorin::lv2 {

#define VELMORIN_LV2_URI "https://quandorweb.com/lv2/velmorin"

constexpr const char* kPluginUri = VELMORIN_LV2_URI;
// The editor, an X11 UI in a binary of its own.
constexpr const char* kUiUri = VELMORIN_LV2_URI "#ui";
// State keys: what the ports do not hold.
constexpr const char* kProgramKey = VELMORIN_LV2_URI "#program";
constexpr const char* kProgramNameKey = VELMORIN_LV2_URI "#programName";
// The display feed: one object per run, its values as properties.
constexpr const char* kDisplayFeedType = VELMORIN_LV2_URI "#DisplayFeed";
constexpr const char* kWavesKey = VELMORIN_LV2_URI "#waves";
constexpr const char* kOutputSumsKey = VELMORIN_LV2_URI "#outputSums";
constexpr const char* kSampleCountKey = VELMORIN_LV2_URI "#sampleCount";
constexpr const char* kOutputGainKey = VELMORIN_LV2_URI "#outputGain";
constexpr const char* kLimiterGainKey = VELMORIN_LV2_URI "#limiterThresholdGain";
constexpr const char* kOutputRelinkedKey = VELMORIN_LV2_URI "#outputRelinked";

// The mixer-strip picture's interface and the feature that asks for a redraw.
#define VELMORIN_INLINE_DISPLAY_URI "http://harrisonconsoles.com/lv2/inlinedisplay"
constexpr const char* kInlineDisplayInterfaceUri = VELMORIN_INLINE_DISPLAY_URI "#interface";
constexpr const char* kQueueDrawUri = VELMORIN_INLINE_DISPLAY_URI "#queue_draw";

// The parameters' ports come first, each at its parameter's index.
enum PortIndex : uint32_t {
    kNormalizeTargetPort = kNumParameters,
    kDcRemovalPort,
    kInputLeftPort,
    kInputRightPort,
    kOutputLeftPort,
    kOutputRightPort,
    kLatencyPort,
    kDisplayFeedPort,
    // Read-only meters after every other port: a host shows them, never writes them.
    kReductionHighPort,
    kReductionMidPort,
    kReductionLowPort,
    kReductionLimiterPort,
    kOutputPeakLeftPort,
    kOutputPeakRightPort,
    kNumPorts,
};

// The delay the signal really has while LookAhead is on: two 439-frame
// look-ahead rings (the VST 2.4 build reports 880, as its hosts know it).
constexpr int32_t kLookAheadDelay = 878;

// The normalize targets the editor's menu offers, 0 to 3.
constexpr int32_t kNumNormalizeTargets = 4;

}  // namespace velmorin::lv2
