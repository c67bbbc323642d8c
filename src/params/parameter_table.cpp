#include "params/parameter_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "params/parameter_text.h"
#include "params/parameter_unit.h"

namespace velmorin {
namespace {

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

// Scale marks, in the numbers shown, from the top of each fader's travel. A
// band threshold fader starts at -6 dB.
constexpr float kBandThresholdMarks[] = {-6, -12, -18, -24, -30, -36};
constexpr float kLimiterMarks[] = {0, -6, -12, -18, -24};
constexpr float kRatioMarks[] = {1, 5, 10, 15, 20};
constexpr float kMixMarks[] = {12, 6, 0, -6, -12};
constexpr float kOutputMarks[] = {24, 18, 12, 6, 0};

using enum ParameterKind;
using enum Module;
constexpr std::nullopt_t kNoGate = std::nullopt;
constexpr std::span<const float> kNoMarks;
constexpr const char* kNone = " --- ";

// clang-format off
constexpr ParameterInfo kTable[kNumParameters] = {
    {"High On   ",  "on_high",        "High on",           High,   FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Mid On    ",  "on_mid",         "Mid on",            Mid,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Low On    ",  "on_low",         "Low on",            Low,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"ThrH      ",  "thr_high",       "High threshold",    High,   Threshold,   0, 72,    kHighOn, kBandThresholdMarks},
    {"ThrM      ",  "thr_mid",        "Mid threshold",     Mid,    Threshold,   0, 72,    kMidOn,  kBandThresholdMarks},
    {"ThrL      ",  "thr_low",        "Low threshold",     Low,    Threshold,   0, 72,    kLowOn,  kBandThresholdMarks},
    {"RatioH    ",  "ratio_high",     "High ratio",        High,   Ratio,       0, 1,     kHighOn, kRatioMarks},
    {"RatioM    ",  "ratio_mid",      "Mid ratio",         Mid,    Ratio,       0, 1,     kMidOn,  kRatioMarks},
    {"RatioL    ",  "ratio_low",      "Low ratio",         Low,    Ratio,       0, 1,     kLowOn,  kRatioMarks},
    {"ZoomMaster",  "zoom_master",    "Master zoom",       Master, Zoom,        0, 20,    kNoGate, kNoMarks},
    {"ZoomH     ",  "zoom_high",      "High zoom",         High,   Zoom,        0, 20,    kNoGate, kNoMarks},
    {"ZoomM     ",  "zoom_mid",       "Mid zoom",          Mid,    Zoom,        0, 20,    kNoGate, kNoMarks},
    {"ZoomL     ",  "zoom_low",       "Low zoom",          Low,    Zoom,        0, 20,    kNoGate, kNoMarks},
    {"MixH      ",  "mix_high",       "High mix",          High,   Mix,         0, 240,   kHighOn, kMixMarks},
    {"MixM      ",  "mix_mid",        "Mid mix",           Mid,    Mix,         0, 240,   kMidOn,  kMixMarks},
    {"MixL      ",  "mix_low",        "Low mix",           Low,    Mix,         0, 240,   kLowOn,  kMixMarks},
    {"ThrLimiter",  "thr_limiter",    "Limiter threshold", Master, Threshold,   0, 48,    kNoGate, kLimiterMarks},
    {"Output    ",  "output",         "Output gain",       Master, Output,      0, 24000, kNoGate, kOutputMarks},
    {"---       ",  "normalize_gain", "Normalize gain",    Master, PlainFloat,  0, 1,     kNoGate, kNoMarks},
    {"LookAhead ",  "look_ahead",     "Look-ahead",        Master, FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Normalize ",  "normalize",      "Normalize",         Master, ByteSwitch,  0, 1,     kNoGate, kNoMarks},
    {"Dither    ",  "dither",         "Dither",            Master, ByteSwitch,  0, 1,     kNoGate, kNoMarks},
    {"Bypass    ",  "bypass",         "Bypass",            Master, ByteSwitch,  0, 1,     kNoGate, kNoMarks},
    {"High Bypass", "bypass_high",    "High bypass",       High,   FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Mid Bypass",  "bypass_mid",     "Mid bypass",        Mid,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Low Bypass",  "bypass_low",     "Low bypass",        Low,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"High Atk",    "atk_high",       "High attack",       High,   FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Mid Atk",     "atk_mid",        "Mid attack",        Mid,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {"Low Atk",     "atk_low",        "Low attack",        Low,    FloatSwitch, 0, 1,     kNoGate, kNoMarks},
    {kNone,         "reserved_1",     "Reserved 1",        Master, Reserved,    0, 1,     kNoGate, kNoMarks},
    {kNone,         "reserved_2",     "Reserved 2",        Master, Reserved,    0, 1,     kNoGate, kNoMarks},
};
// clang-format on

void writeText(char* text, const char* value) {
    std::snprintf(text, kParameterTextSize, "%s", value);
}

float ratioOfStep(int32_t k) {
    return static_cast<float>(k) / kRatioSteps;
}

// Saturating like the truncation itself: the offset must not overflow.
int32_t quantizedRatioStep(float hostValue) {
    const int32_t shifted = truncateToInt(hostValue * kRatioSteps + 2.5f);
    return shifted < std::numeric_limits<int32_t>::min() + 2 ? std::numeric_limits<int32_t>::min()
                                                             : shifted - 2;
}

}  // namespace

bool isParameterIndex(int32_t index) {
    return index >= 0 && index < kNumParameters;
}

const ParameterInfo& parameterInfo(int32_t index) {
    return kTable[isParameterIndex(index) ? index : kReserved1];
}

ParameterKind parameterKind(int32_t index) {
    return parameterInfo(index).kind;
}

float scaledRange(int32_t index) {
    switch (parameterKind(index)) {
        case ParameterKind::Threshold:
        case ParameterKind::Zoom:
        case ParameterKind::Mix:
        case ParameterKind::Output:
            return parameterInfo(index).maximum;
        default:
            return 0.0f;
    }
}

float quantizedRatio(float hostValue) {
    return ratioOfStep(quantizedRatioStep(finiteHostValue(hostValue)));
}

float storedForm(int32_t index, float value) {
    switch (parameterKind(index)) {
        case ParameterKind::Threshold:
            return truncateToInt16(value);
        case ParameterKind::Ratio:
            return value;
        default:
            return static_cast<float>(truncateToInt(value));
    }
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
            return {ratioOfStep(k), k};
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
    writeText(text, parameterInfo(index).hostName);
}

void getParameterLabelText(int32_t index, char* text) {
    writeText(text, parameterUnit(parameterKind(index)).hostLabel);
}

void getParameterDisplayText(int32_t index, float stored, char* text) {
    writeText(text, valueText(parameterKind(index), stored).c_str());
}

}  // namespace velmorin
