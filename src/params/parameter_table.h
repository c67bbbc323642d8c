// The 31 host parameters: what each one is (names, band, range, the band
// switch that gates it, the scale the artwork prints) and the conversions
// between the host's float value and the value stored inside the effect.
// Every format, the editor, the artwork and the velmorin host read them here;
// units and texts are in parameter_unit.h and parameter_text.h, the values
// the effect starts with in parameter_defaults.h.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

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

// A ratio is stored as k/38 for a whole k from 0 to 38.
constexpr int32_t kRatioSteps = 38;

// The part of the effect a parameter belongs to.
enum class Module : std::uint8_t { High, Mid, Low, Master };

struct ParameterInfo {
    const char* hostName;  // as VST 2.4 hosts list it, trailing blanks included
    const char* symbol;    // readable and stable: "thr_high"
    const char* words;     // the name in words: "High threshold"
    Module module;
    ParameterKind kind;  // the stored form and with it the unit (parameter_unit.h)
    float minimum;       // in stored units
    float maximum;
    std::optional<ParameterIndex> gate;  // the band switch that must be on to type a value
    std::span<const float> scaleMarks;   // shown numbers the artwork marks on the fader's scale
};

// Indices outside the table answer the reserved parameters' entry.
const ParameterInfo& parameterInfo(int32_t index);

// Both forms a stored value can take; each parameter uses the one of its kind.
struct StoredValue {
    float asFloat;  // switches, ratios, plain floats; Mix before truncation
    int32_t asInt;  // thresholds, zoom, Mix, Output; byte switches 0/1
};

bool isParameterIndex(int32_t index);
ParameterKind parameterKind(int32_t index);

// The ratio k/38 that a host value quantizes to.
float quantizedRatio(float hostValue);

// A control's value in the parameter's stored form, as a number: integer
// forms truncated toward zero, a ratio as it is (the set operation quantizes).
float storedForm(int32_t index, float value);

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
