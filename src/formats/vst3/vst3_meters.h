// The read-only meter parameters: the gain reductions and output peaks the
// editor's meters show (engine/meter_figures.h), as parameters a host shows
// and records but never automates, ids from kFirstMeterParameter in the
// order of kMeterOutputs. Normalized values spread their dB range evenly.
#pragma once

#include <vst3_c_api.h>

#include <cstdint>
#include <optional>
#include <string>

#include "engine/meter_figures.h"

namespace velmorin::vst3 {

bool isMeterParameter(Steinberg_Vst_ParamID id);
// Which of kMeterOutputs a meter parameter is.
int32_t meterOf(Steinberg_Vst_ParamID id);
void describeMeterParameter(int32_t meter, Steinberg_Vst_ParameterInfo& info);

// What a meter reads on silence: its default, and the controller's value
// until the host hands on a report.
double meterRestingValue(int32_t meter);
double meterNormalizedOfDb(int32_t meter, double db);
double meterDbOf(int32_t meter, double normalized);
// "-3.2", and back; the unit is the parameter's.
std::string meterText(int32_t meter, double normalized);
std::optional<double> meterNormalizedOfText(int32_t meter, const std::string& text);

// The figures as output parameter changes at `frame`.
void reportMeters(Steinberg_Vst_IParameterChanges* changes, const MeterFigures& figures,
                  int32_t frame);

}  // namespace velmorin::vst3
