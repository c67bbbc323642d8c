#include "params/parameter_text.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "params/parameter_unit.h"

namespace velmorin {
namespace {

std::string formatted(const char* format, float number) {
    char text[kParameterTextSize];
    std::snprintf(text, sizeof text, format, static_cast<double>(number));
    return text;
}

std::optional<float> typedNumber(std::string_view text) {
    const std::string terminated(text);
    const double number = std::strtod(terminated.c_str(), nullptr);
    if (!std::isfinite(number) || std::fabs(number) > FLT_MAX) return std::nullopt;
    return static_cast<float>(number);
}

}  // namespace

std::string valueText(ParameterKind kind, float stored) {
    switch (kind) {
        case ParameterKind::FloatSwitch:
        case ParameterKind::ByteSwitch:
            return stored != 0.0f ? "On" : "Off";
        case ParameterKind::PlainFloat:
            return "---";
        case ParameterKind::Reserved:
            return " --- ";
        default:
            return formatted(parameterUnit(kind).numberFormat, shownNumber(kind, stored));
    }
}

std::string standaloneText(ParameterKind kind, float stored) {
    return valueText(kind, stored) + parameterUnit(kind).standaloneSuffix;
}

std::optional<float> storedFromText(ParameterKind kind, std::string_view text) {
    const std::optional<float> shown = typedNumber(text);
    if (!shown) return std::nullopt;
    return storedFromShown(kind, *shown);
}

std::string scaleMarkText(ParameterKind kind, float shown) {
    const long whole = std::lround(shown);
    const bool signedUnit = std::string_view(parameterUnit(kind).symbol) == "dB";
    return (signedUnit && whole > 0 ? "+" : "") + std::to_string(whole);
}

}  // namespace velmorin
