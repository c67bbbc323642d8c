#include "formats/lv2/display_feed_reader.h"

#include <cmath>
#include <cstring>

#include "formats/lv2/lv2_identity.h"

namespace velmorin::lv2 {
namespace {

// The value of a property, or null when it does not fit the object.
const LV2_Atom* valueOf(const LV2_Atom_Property_Body* property, const uint8_t* end) {
    const auto* value = &property->value;
    const auto* body = reinterpret_cast<const uint8_t*>(value + 1);
    if (body > end || value->size > static_cast<size_t>(end - body)) return nullptr;
    return value;
}

bool readFloats(const LV2_Atom* value, LV2_URID vectorType, LV2_URID floatType, float* out,
                uint32_t count) {
    if (value->type != vectorType || value->size != sizeof(LV2_Atom_Vector_Body) + count * 4) {
        return false;
    }
    const auto* vector = reinterpret_cast<const LV2_Atom_Vector*>(value);
    if (vector->body.child_type != floatType || vector->body.child_size != sizeof(float)) {
        return false;
    }
    std::memcpy(out, vector + 1, count * sizeof(float));
    return true;
}

template <typename T>
bool readScalar(const LV2_Atom* value, LV2_URID type, T& out) {
    if (value->type != type || value->size != sizeof(T)) return false;
    std::memcpy(&out, value + 1, sizeof(T));
    return true;
}

void wavesFromFloats(const float (&in)[kWaveFloats], LaneExtremes& waves) {
    for (int32_t i = 0; i < kNumLanes; ++i) {
        const float* lane = in + i * 8;
        waves.lane[i] = {lane[0], lane[1], lane[2], lane[3], lane[4], lane[5], lane[6], lane[7]};
    }
}

}  // namespace

DisplayFeedReader::DisplayFeedReader(LV2_URID_Map* map)
    : object_(map->map(map->handle, LV2_ATOM__Object)),
      vector_(map->map(map->handle, LV2_ATOM__Vector)),
      float_(map->map(map->handle, LV2_ATOM__Float)),
      int_(map->map(map->handle, LV2_ATOM__Int)),
      bool_(map->map(map->handle, LV2_ATOM__Bool)),
      feedType_(map->map(map->handle, kDisplayFeedType)),
      waves_(map->map(map->handle, kWavesKey)),
      outputSums_(map->map(map->handle, kOutputSumsKey)),
      sampleCount_(map->map(map->handle, kSampleCountKey)),
      outputGain_(map->map(map->handle, kOutputGainKey)),
      limiterGain_(map->map(map->handle, kLimiterGainKey)),
      outputRelinked_(map->map(map->handle, kOutputRelinkedKey)) {}

std::optional<DisplayFeedValues> DisplayFeedReader::read(const LV2_Atom* atom,
                                                         uint32_t size) const {
    if (!atom || size < sizeof(LV2_Atom_Object) || atom->type != object_ ||
        atom->size > size - sizeof(LV2_Atom) || atom->size < sizeof(LV2_Atom_Object_Body)) {
        return std::nullopt;
    }
    const auto* object = reinterpret_cast<const LV2_Atom_Object*>(atom);
    if (object->body.otype != feedType_) return std::nullopt;

    float waves[kWaveFloats];
    float sums[2];
    int32_t sampleCount = 0, relinked = 0;
    float outputGain = 0.0f, limiterGain = 0.0f;
    uint32_t found = 0;  // one bit per key
    const auto* end = reinterpret_cast<const uint8_t*>(atom + 1) + atom->size;
    auto* at = reinterpret_cast<const uint8_t*>(object + 1);
    while (at + sizeof(LV2_Atom_Property_Body) <= end) {
        const auto* property = reinterpret_cast<const LV2_Atom_Property_Body*>(at);
        const LV2_Atom* value = valueOf(property, end);
        if (!value) return std::nullopt;
        bool read = true;
        if (property->key == waves_) {
            read = readFloats(value, vector_, float_, waves, kWaveFloats), found |= 1;
        } else if (property->key == outputSums_) {
            read = readFloats(value, vector_, float_, sums, 2), found |= 2;
        } else if (property->key == sampleCount_) {
            read = readScalar(value, int_, sampleCount), found |= 4;
        } else if (property->key == outputGain_) {
            read = readScalar(value, float_, outputGain), found |= 8;
        } else if (property->key == limiterGain_) {
            read = readScalar(value, float_, limiterGain), found |= 16;
        } else if (property->key == outputRelinked_) {
            read = readScalar(value, bool_, relinked), found |= 32;
        }
        if (!read) return std::nullopt;
        const uint32_t step = sizeof(LV2_Atom_Property_Body) + lv2_atom_pad_size(value->size);
        if (step > static_cast<size_t>(end - at)) break;
        at += step;
    }
    // A negative count would corrupt the sums the editor adds up; the gains
    // are always positive, and the editor takes logarithms of them.
    const bool gainsValid = std::isfinite(outputGain) && outputGain > 0.0f &&
                            std::isfinite(limiterGain) && limiterGain > 0.0f;
    if (found != 63 || sampleCount < 0 || !gainsValid) return std::nullopt;
    DisplayFeedValues values{};
    wavesFromFloats(waves, values.waves);
    values.sums = {sums[0], sums[1], sampleCount};
    values.outputGain = outputGain;
    values.limiterThresholdGain = limiterGain;
    values.outputRelinked = relinked != 0;
    return values;
}

}  // namespace velmorin::lv2
