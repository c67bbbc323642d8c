// One stored value per parameter, in the parameter's own unit. The engine keeps
// the Mix levels truncated (MixT = int32_t); a program record keeps them as the
// float before truncation (MixT = float).
#pragma once

#include <cstdint>
#include <type_traits>

#include "params/parameter_table.h"
#include "params/relaxed.h"

namespace velmorin {

template <typename MixT>
struct ParameterValues {
    Relaxed<float> bandOn[3];
    Relaxed<int16_t> thresholdSteps[3];
    Relaxed<float> ratio[3];
    Relaxed<int32_t> zoom[4];  // ZoomMaster, ZoomH, ZoomM, ZoomL
    Relaxed<MixT> mix[3];
    Relaxed<int16_t> limiterSteps;
    Relaxed<int32_t> output;
    Relaxed<float> parameter18;
    Relaxed<float> lookAhead;
    Relaxed<uint8_t> normalize;
    Relaxed<uint8_t> dither;
    Relaxed<uint8_t> bypass;
    Relaxed<float> bandBypass[3];
    Relaxed<float> bandAttack[3];
    Relaxed<float> reserved[2];

    // Stores a converted value; indices outside 0..30 store nothing.
    void store(int32_t index, const StoredValue& v) {
        switch (parameterKind(index)) {
            case ParameterKind::Threshold:
                thresholdField(*this, index).set(static_cast<int16_t>(v.asInt));
                return;
            case ParameterKind::Zoom:
                zoom[index - kZoomMaster].set(v.asInt);
                return;
            case ParameterKind::Mix:
                if constexpr (std::is_same_v<MixT, float>) {
                    mix[index - kMixH].set(v.asFloat);
                } else {
                    mix[index - kMixH].set(v.asInt);
                }
                return;
            case ParameterKind::Output:
                output.set(v.asInt);
                return;
            case ParameterKind::ByteSwitch:
                byteField(*this, index).set(static_cast<uint8_t>(v.asInt));
                return;
            case ParameterKind::Ratio:
            case ParameterKind::FloatSwitch:
            case ParameterKind::PlainFloat:
            case ParameterKind::Reserved:
                if (Relaxed<float>* field = floatField(*this, index)) field->set(v.asFloat);
                return;
        }
    }

    // The stored value as a number: what program replay sends to setParameter
    // and what the display and host conversions start from.
    float storedAsFloat(int32_t index) const {
        switch (parameterKind(index)) {
            case ParameterKind::Threshold:
                return thresholdField(*this, index).get();
            case ParameterKind::Zoom:
                return static_cast<float>(zoom[index - kZoomMaster].get());
            case ParameterKind::Mix:
                return static_cast<float>(mix[index - kMixH].get());
            case ParameterKind::Output:
                return static_cast<float>(output.get());
            case ParameterKind::ByteSwitch:
                return byteField(*this, index).get();
            case ParameterKind::Ratio:
            case ParameterKind::FloatSwitch:
            case ParameterKind::PlainFloat:
            case ParameterKind::Reserved:
                break;
        }
        const Relaxed<float>* field = floatField(*this, index);
        return field ? field->get() : 0.0f;
    }

  private:
    // Field lookups shared by the const and the mutable accessors.
    template <typename Self>
    static auto& thresholdField(Self& self, int32_t index) {
        return index == kThrLimiter ? self.limiterSteps : self.thresholdSteps[index - kThrH];
    }
    template <typename Self>
    static auto& byteField(Self& self, int32_t index) {
        return index == kNormalize ? self.normalize : index == kDither ? self.dither : self.bypass;
    }
    template <typename Self>
    static auto* floatField(Self& self, int32_t index) {
        using Field = decltype(&self.lookAhead);
        if (index >= kHighOn && index <= kLowOn) return &self.bandOn[index - kHighOn];
        if (index >= kRatioH && index <= kRatioL) return &self.ratio[index - kRatioH];
        if (index == kParameter18) return &self.parameter18;
        if (index == kLookAhead) return &self.lookAhead;
        if (index >= kHighBypass && index <= kLowBypass)
            return &self.bandBypass[index - kHighBypass];
        if (index >= kHighAtk && index <= kLowAtk) return &self.bandAttack[index - kHighAtk];
        if (index == kReserved1 || index == kReserved2) return &self.reserved[index - kReserved1];
        return static_cast<Field>(nullptr);
    }
};

}  // namespace velmorin
