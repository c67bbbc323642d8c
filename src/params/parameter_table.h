// The 31 host parameters: names, labels, display texts and the conversions
// between the host's float value and the value stored inside the effect.
#pragma once

#include <cstdint>

namespace velmorin {

constexpr int32_t kNumParameters = 31;
// Hosts pass at least this many bytes for names, labels and displays.
constexpr int32_t kParameterTextSize = 64;

enum ParameterIndex : int32_t {
    kHighOn,
    kMidOn,
    kLowOn,
    kThrH,
    kThrM,
    kThrL,
    kRatioH,
    kRatioM,
    kRatioL,
    kZoomMaster,
    kZoomH,
    kZoomM,
    kZoomL,
    kMixH,
    kMixM,
    kMixL,
    kThrLimiter,
    kOutput,
    kParameter18,
    kLookAhead,
    kNormalize,
    kDither,
    kBypass,
    kHighBypass,
    kMidBypass,
    kLowBypass,
    kHighAtk,
    kMidAtk,
    kLowAtk,
    kReserved1,
    kReserved2,
};

enum class ParameterKind {
    FloatSwitch,  // float kept as sent; on when non-zero
    ByteSwitch,   // one-byte flag, 1 when the host value is non-zero
    Threshold,    // half-decibel steps, 16-bit (bands and limiter)
    Ratio,        // k/38, shown as k/2 + 1
    Zoom,         // 0..20
    Mix,          // 0..240 steps of 0.1 dB around +12 dB
    Output,       // 0..24000, thousandths of a dB below +24 dB
    PlainFloat,   // parameter 18: kept, never shown
    Reserved,     // 29, 30 and every index outside the table
};

// Both forms a stored value can take; each parameter uses the one of its kind.
struct StoredValue {
    float asFloat;  // switches, ratios, plain floats; Mix before truncation
    int32_t asInt;  // thresholds, zoom, Mix, Output; byte switches 0/1
};

bool isParameterIndex(int32_t index);
ParameterKind parameterKind(int32_t index);

// Host-value range of a scaled parameter (72, 48, 20, 240, 24000); 0 if the
// parameter is not scaled.
float scaledRange(int32_t index);

// Truncation toward zero into a 32-bit integer; values beyond its range
// saturate and NaN gives 0, so no host value can cause undefined behaviour.
int32_t truncateToInt(float x);
int16_t truncateToInt16(float x);

// The value before truncation: v × range + 0.5 for 0 < v < 1, otherwise v
// itself (a value already in stored units passes through).
float scaledBeforeTruncation(float hostValue, float range);

// Any float a host can send becomes a finite one: NaN carries no setting and
// counts as 0, the infinities saturate to the largest float.
float finiteHostValue(float hostValue);

// Also keeps the stored values that make gains (thresholds, Mix, Output)
// within +-120 dB of the table's unit.
StoredValue hostToStored(int32_t index, float hostValue);
// `stored` is the stored value as a number (integers converted to float).
float storedToHost(int32_t index, float stored);

// Single-precision quotient reported as 0.99999 when it is exactly 1.
float capAtOne(float quotient);

void getParameterNameText(int32_t index, char* text);
void getParameterLabelText(int32_t index, char* text);
void getParameterDisplayText(int32_t index, float stored, char* text);

}  // namespace velmorin
