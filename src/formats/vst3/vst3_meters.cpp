#include "formats/vst3/vst3_meters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_object.h"
#include "formats/vst3/vst3_parameters.h"
#include "params/parameter_table.h"

namespace velmorin::vst3 {

namespace {

static_assert(kFirstMeterParameter == kNumParameters, "the meters follow the core's parameters");

// The part of the effect each meter belongs to: the bands' own units, the
// limiter and the output in Master's.
constexpr Steinberg_Vst_UnitID kMeterUnits[kNumMeterOutputs] = {1, 2, 3, 4, 4, 4};

double span(int32_t meter) {
    return static_cast<double>(kMeterOutputs[meter].maximumDb) - kMeterOutputs[meter].minimumDb;
}

}  // namespace

bool isMeterParameter(Steinberg_Vst_ParamID id) {
    return id >= kFirstMeterParameter && id < kFirstMeterParameter + kNumMeterOutputs;
}

int32_t meterOf(Steinberg_Vst_ParamID id) {
    return static_cast<int32_t>(id - kFirstMeterParameter);
}

void describeMeterParameter(int32_t meter, Steinberg_Vst_ParameterInfo& info) {
    info = {};
    info.id = kFirstMeterParameter + static_cast<Steinberg_Vst_ParamID>(meter);
    copyText(info.title, 128, kMeterOutputs[meter].name);
    copyText(info.shortTitle, 128, kMeterOutputs[meter].name);
    copyText(info.units, 128, "dB");
    info.defaultNormalizedValue = meterRestingValue(meter);
    info.unitId = kMeterUnits[meter];
    // Validators refuse a read-only parameter that says it can be automated.
    info.flags = Steinberg_Vst_ParameterInfo_ParameterFlags_kIsReadOnly;
}

double meterRestingValue(int32_t meter) {
    float silence[kNumMeterOutputs];
    meterOutputValues(meterFigures(LaneExtremes{}, 1.0f), silence);
    return meterNormalizedOfDb(meter, silence[meter]);
}

double meterNormalizedOfDb(int32_t meter, double db) {
    if (std::isnan(db)) return 0.0;
    return std::clamp((db - kMeterOutputs[meter].minimumDb) / span(meter), 0.0, 1.0);
}

double meterDbOf(int32_t meter, double normalized) {
    const double value = std::isnan(normalized) ? 0.0 : std::clamp(normalized, 0.0, 1.0);
    return kMeterOutputs[meter].minimumDb + value * span(meter);
}

std::string meterText(int32_t meter, double normalized) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", meterDbOf(meter, normalized));
    return text;
}

std::optional<double> meterNormalizedOfText(int32_t meter, const std::string& text) {
    char* end = nullptr;
    const double db = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(db)) return std::nullopt;
    return meterNormalizedOfDb(meter, db);
}

void reportMeters(Steinberg_Vst_IParameterChanges* changes, const MeterFigures& figures,
                  int32_t frame) {
    float values[kNumMeterOutputs];
    meterOutputValues(figures, values);
    for (int32_t meter = 0; meter < kNumMeterOutputs; ++meter) {
        reportValue(changes, kFirstMeterParameter + static_cast<Steinberg_Vst_ParamID>(meter),
                    frame, meterNormalizedOfDb(meter, values[meter]));
    }
}

}  // namespace velmorin::vst3
