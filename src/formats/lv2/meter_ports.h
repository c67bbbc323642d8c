// The read-only meter ports: the editor's gain-reduction meters and output
// meter as figures a host shows in its generic view or records as a lane.
#pragma once

#include <cstdint>

#include "engine/meter_figures.h"
#include "formats/lv2/lv2_identity.h"

namespace velmorin::lv2 {

struct MeterPort {
    uint32_t index;
    const char* symbol;
    const char* name;
    float minimum;
    float maximum;
};

inline constexpr MeterPort kMeterPorts[] = {
    {kReductionHighPort, "gr_high", "High gain reduction", kReductionFloorDb, 0.0f},
    {kReductionMidPort, "gr_mid", "Mid gain reduction", kReductionFloorDb, 0.0f},
    {kReductionLowPort, "gr_low", "Low gain reduction", kReductionFloorDb, 0.0f},
    {kReductionLimiterPort, "gr_limiter", "Limiter gain reduction", kReductionFloorDb, 0.0f},
    {kOutputPeakLeftPort, "peak_left", "Left output peak", kPeakFloorDb, kPeakCeilingDb},
    {kOutputPeakRightPort, "peak_right", "Right output peak", kPeakFloorDb, kPeakCeilingDb},
};
inline constexpr int32_t kNumMeterPorts = sizeof kMeterPorts / sizeof kMeterPorts[0];

// The ports' values in the order of kMeterPorts.
inline void meterPortValues(const MeterFigures& figures, float (&values)[kNumMeterPorts]) {
    for (int32_t lane = 0; lane < kNumLanes; ++lane) values[lane] = figures.reductionDb[lane];
    values[kNumLanes] = figures.outputPeakDb[0];
    values[kNumLanes + 1] = figures.outputPeakDb[1];
}

}  // namespace velmorin::lv2
