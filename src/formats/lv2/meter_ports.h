// The read-only meter ports: the editor's gain-reduction meters and output
// meter as figures a host shows in its generic view or records as a lane.
// Their names, ranges and values are engine/meter_figures.h's outputs.
#pragma once

#include <cstdint>

#include "engine/meter_figures.h"
#include "formats/lv2/lv2_identity.h"

namespace velmorin::lv2 {

struct MeterPort {
    uint32_t index;
    const char* symbol;
};

// In the order of kMeterOutputs.
inline constexpr MeterPort kMeterPorts[kNumMeterOutputs] = {
    {kReductionHighPort, "gr_high"},    {kReductionMidPort, "gr_mid"},
    {kReductionLowPort, "gr_low"},      {kReductionLimiterPort, "gr_limiter"},
    {kOutputPeakLeftPort, "peak_left"}, {kOutputPeakRightPort, "peak_right"},
};

}  // namespace velmorin::lv2
