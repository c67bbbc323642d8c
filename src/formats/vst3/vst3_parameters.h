// How the VST3 build presents the core's 31 parameters: ids are indices and
// never change; plain values are the values the editor shows
// (params/shown_value.h: dB, N : 1, zoom, 0/1), and a normalized value
// spreads them evenly over 0..1, so it rises with the value shown (a
// threshold slider moved up raises the threshold).
#pragma once

#include <vst3_c_api.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velmorin::vst3 {

bool isCoreParameter(Steinberg_Vst_ParamID id);
// 0 for the continuous ones (parameter 18, the reserved pair).
int32_t stepCount(int32_t index);
void describeCoreParameter(int32_t index, Steinberg_Vst_ParameterInfo& info);

double normalizedOf(int32_t index, float stored);
// What the core is handed for a normalized value from any host: clamped,
// on the nearest step; stored units, or k/38 for a ratio as the core takes it.
float coreValueOf(int32_t index, double normalized);

double plainOf(int32_t index, double normalized);
double normalizedOfPlain(int32_t index, double plain);

// A value the processor tells the host of, as an output parameter change at
// `frame`; nothing without a list. The host's list takes it without our
// allocating.
void reportValue(Steinberg_Vst_IParameterChanges* changes, Steinberg_Vst_ParamID id, int32_t frame,
                 double normalized);

// The VST 2.4 display text of the value the core would keep, and back.
std::string textOf(int32_t index, double normalized);
std::optional<double> normalizedOfText(int32_t index, const std::string& text);

}  // namespace velmorin::vst3
