// How the CLAP build presents the core's 31 parameters. A parameter's id is
// its index, which never changes. Its CLAP value is the stored value, a ratio
// counted in steps k (0..38) rather than k/38 so that every stepped value is a
// whole number.
#pragma once

#include <clap/ext/params.h>

#include <cstdint>
#include <optional>

namespace velmorin::clap_format {

bool isParameterId(clap_id id);
void describeParameter(int32_t index, clap_param_info_t& info);

double clapValueOf(int32_t index, float stored);
// What the core is handed for a CLAP value from any host: clamped into the
// range and onto the steps, then stored units where they are exact and k/38,
// the VST 2.4 host value, for a ratio (quantized by the core alike).
float coreValueOf(int32_t index, double clapValue);

// The VST 2.4 display text of the value the core would keep.
bool valueToText(int32_t index, double clapValue, char* text, uint32_t size);
std::optional<double> textToValue(int32_t index, const char* text);

}  // namespace velmorin::clap_format
