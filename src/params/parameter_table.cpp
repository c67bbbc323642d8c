#include "params/parameter_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace velmorin {
namespace {

struct ParameterRow {
    const char* name;
    const char* label;
    ParameterKind kind;
    float range;  // host-value range of a scaled parameter, else 0
};

// Stored values beyond the table's ranges are kept (programs and the editor
// rely on that), but only as far as +-120 dB: further out the gains they make
// overflow or vanish and the audio path would turn to NaN for good.
struct StoredLimits {
    float lowest, highest;
};
constexpr StoredLimits kThresholdLimits = {-240.0f, 240.0f};    // half-dB steps
constexpr StoredLimits kMixLimits = {-1080.0f, 1320.0f};        // 12 dB - stored/10
constexpr StoredLimits kOutputLimits = {-96000.0f, 144000.0f};  // (24000 - stored)/1000 dB

float limited(float x, StoredLimits limits) {
    return std::clamp(x, limits.lowest, limits.highest);
}

constexpr const char* kBlank = "   ";
constexpr const char* kDb = "dB ";
constexpr const char* kNone = " --- ";

constexpr ParameterRow kRows[kNumParameters] = {
    {"High On   ", kBlank, ParameterKind::FloatSwitch, 0},
    {"Mid On    ", kBlank, ParameterKind::FloatSwitch, 0},
    {"Low On    ", kBlank, ParameterKind::FloatSwitch, 0},
    {"ThrH      ", kDb, ParameterKind::Threshold, 72},
    {"ThrM      ", kDb, ParameterKind::Threshold, 72},
    {"ThrL      ", kDb, ParameterKind::Threshold, 72},
    {"RatioH    ", kBlank, ParameterKind::Ratio, 0},
    {"RatioM    ", kBlank, ParameterKind::Ratio, 0},
    {"RatioL    ", kBlank, ParameterKind::Ratio, 0},
    {"ZoomMaster", kBlank, ParameterKind::Zoom, 20},
    {"ZoomH     ", kBlank, ParameterKind::Zoom, 20},
    {"ZoomM     ", kBlank, ParameterKind::Zoom, 20},
    {"ZoomL     ", kBlank, ParameterKind::Zoom, 20},
    {"MixH      ", kDb, ParameterKind::Mix, 240},
    {"MixM      ", kDb, ParameterKind::Mix, 240},
    {"MixL      ", kDb, ParameterKind::Mix, 240},
    {"ThrLimiter", kDb, ParameterKind::Threshold, 48},
    {"Output    ", kDb, ParameterKind::Output, 24000},
    {"---       ", "---", ParameterKind::PlainFloat, 0},
    {"LookAhead ", kBlank, ParameterKind::FloatSwitch, 0},
    {"Normalize ", kBlank, ParameterKind::ByteSwitch, 0},
    {"Dither    ", kBlank, ParameterKind::ByteSwitch, 0},
    {"Bypass    ", kBlank, ParameterKind::ByteSwitch, 0},
    {"High Bypass", kBlank, ParameterKind::FloatSwitch, 0},
    {"Mid Bypass", kBlank, ParameterKind::FloatSwitch, 0},
    {"Low Bypass", kBlank, ParameterKind::FloatSwitch, 0},
    {"High Atk", kBlank, ParameterKind::FloatSwitch, 0},
    {"Mid Atk", kBlank, ParameterKind::FloatSwitch, 0},
    {"Low Atk", kBlank, ParameterKind::FloatSwitch, 0},
    {kNone, kNone, ParameterKind::Reserved, 0},
    {kNone, kNone, ParameterKind::Reserved, 0},
};

void writeText(char* text, const char* value) {
    std::snprintf(text, kParameterTextSize, "%s", value);
}

void writeNumber(char* text, const char* format, float value) {
    std::snprintf(text, kParameterTextSize, format, static_cast<double>(value));
}

// Saturating like the truncation itself: the offset must not overflow.
int32_t quantizedRatioStep(float hostValue) {
    const int32_t shifted = truncateToInt(hostValue * 38.0f + 2.5f);
    return shifted < std::numeric_limits<int32_t>::min() + 2 ? std::numeric_limits<int32_t>::min()
                                                             : shifted - 2;
}

}  // namespace

bool isParameterIndex(int32_t index) {
    return index >= 0 && index < kNumParameters;
}

ParameterKind parameterKind(int32_t index) {
    return isParameterIndex(index) ? kRows[index].kind : ParameterKind::Reserved;
}

float scaledRange(int32_t index) {
    return isParameterIndex(index) ? kRows[index].range : 0.0f;
}

int32_t truncateToInt(float x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
    if (x <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

int16_t truncateToInt16(float x) {
    const int32_t whole = truncateToInt(x);
    if (whole > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (whole < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(whole);
}

float finiteHostValue(float hostValue) {
    if (std::isnan(hostValue)) return 0.0f;
    return std::clamp(hostValue, -std::numeric_limits<float>::max(),
                      std::numeric_limits<float>::max());
}

float scaledBeforeTruncation(float hostValue, float range) {
    if (hostValue > 0.0f && hostValue < 1.0f) return hostValue * range + 0.5f;
    return hostValue;
}

StoredValue hostToStored(int32_t index, float anyHostValue) {
    const float hostValue = finiteHostValue(anyHostValue);
    switch (parameterKind(index)) {
        case ParameterKind::ByteSwitch:
            return {hostValue != 0.0f ? 1.0f : 0.0f, hostValue != 0.0f ? 1 : 0};
        case ParameterKind::Ratio: {
            const int32_t k = quantizedRatioStep(hostValue);
            return {static_cast<float>(k) / 38.0f, k};
        }
        case ParameterKind::Threshold: {
            const float x =
                limited(scaledBeforeTruncation(hostValue, scaledRange(index)), kThresholdLimits);
            return {x, truncateToInt16(x)};
        }
        case ParameterKind::Mix: {
            // Programs keep the level before truncation and replay it. A level
            // strictly between 0 and 1 would replay as a normalized value, so
            // it is kept as the 0 it truncates to.
            const float x =
                limited(scaledBeforeTruncation(hostValue, scaledRange(index)), kMixLimits);
            const float kept = x > 0.0f && x < 1.0f ? 0.0f : x;
            return {kept, truncateToInt(x)};
        }
        case ParameterKind::Zoom: {
            const float x = scaledBeforeTruncation(hostValue, scaledRange(index));
            return {x, truncateToInt(x)};
        }
        case ParameterKind::Output: {
            const float x =
                limited(scaledBeforeTruncation(hostValue, scaledRange(index)), kOutputLimits);
            return {x, truncateToInt(x)};
        }
        case ParameterKind::FloatSwitch:
        case ParameterKind::PlainFloat:
        case ParameterKind::Reserved:
            break;
    }
    return {hostValue, 0};
}

float capAtOne(float quotient) {
    return quotient == 1.0f ? 0.99999f : quotient;
}

float storedToHost(int32_t index, float stored) {
    switch (parameterKind(index)) {
        case ParameterKind::Threshold:
        case ParameterKind::Zoom:
        case ParameterKind::Mix:
        case ParameterKind::Output:
            return capAtOne(stored / scaledRange(index));
        case ParameterKind::ByteSwitch:
            return stored != 0.0f ? 1.0f : 0.0f;
        case ParameterKind::Reserved:
            return 0.0f;
        case ParameterKind::FloatSwitch:
        case ParameterKind::Ratio:
        case ParameterKind::PlainFloat:
            break;
    }
    return stored;
}

void getParameterNameText(int32_t index, char* text) {
    writeText(text, isParameterIndex(index) ? kRows[index].name : kNone);
}

void getParameterLabelText(int32_t index, char* text) {
    writeText(text, isParameterIndex(index) ? kRows[index].label : kNone);
}

void getParameterDisplayText(int32_t index, float stored, char* text) {
    switch (parameterKind(index)) {
        case ParameterKind::FloatSwitch:
        case ParameterKind::ByteSwitch:
            writeText(text, stored != 0.0f ? "On" : "Off");
            break;
        case ParameterKind::Threshold:
            writeNumber(text, "%2.1f", stored * -0.5f);
            break;
        case ParameterKind::Ratio:
            writeNumber(text, "%2.1f", stored * 19.0f + 1.0f);
            break;
        case ParameterKind::Zoom:
            writeNumber(text, "%2.0f", stored);
            break;
        case ParameterKind::Mix:
            writeNumber(text, "%2.1f", 12.0f - stored / 10.0f);
            break;
        case ParameterKind::Output:
            writeNumber(text, "%2.2f", (24000.0f - stored) / 1000.0f);
            break;
        case ParameterKind::PlainFloat:
            writeText(text, "---");
            break;
        case ParameterKind::Reserved:
            writeText(text, kNone);
            break;
    }
}

}  // namespace velmorin
