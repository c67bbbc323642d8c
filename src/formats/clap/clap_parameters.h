// How the CLAP build presents the core's 31 parameters. A parameter's id is
// its index, which never changes. Its CLAP value is the number the editor
// shows (params/shown_value.h): decibels, the ratio, the zoom, 0 or 1 for a
// switch, rising with what is shown. CLAP has no label beside a value, so
// the texts carry the unit.
#pragma once

#include <clap/ext/params.h>

#include <cstdint>
#include <optional>

namespace velmorin::clap_format {

bool isParameterId(clap_id id);
void describeParameter(int32_t index, clap_param_info_t& info);

double clapValueOf(int32_t index, float stored);
// What the core is handed for a CLAP value from any host: clamped into the
// range and onto the stored value's steps, in stored units (a ratio as k/38,
// which the core quantizes alike).
float coreValueOf(int32_t index, double clapValue);

// The text of the value the core would keep, with its unit: "-10.0 dB".
bool valueToText(int32_t index, double clapValue, char* text, uint32_t size);
// Texts with or without their unit; a number outside the range answers the
// nearest value inside it.
std::optional<double> textToValue(int32_t index, const char* text);

}  // namespace velmorin::clap_format
