#include "formats/lv2/display_feed_writer.h"

#include "formats/lv2/lv2_identity.h"

namespace velmorin::lv2 {
namespace {

void wavesAsFloats(const LaneExtremes& waves, float (&out)[kWaveFloats]) {
    for (int32_t i = 0; i < kNumLanes; ++i) {
        const WaveExtremes& e = waves.lane[i];
        const float lane[8] = {e.maxLeft,        e.minLeft,       e.maxRight,
                               e.minRight,       e.gainAtMaxLeft, e.gainAtMinLeft,
                               e.gainAtMaxRight, e.gainAtMinRight};
        for (int32_t j = 0; j < 8; ++j) out[i * 8 + j] = lane[j];
    }
}

}  // namespace

DisplayFeedWriter::DisplayFeedWriter(LV2_URID_Map* map)
    : feedType_(map->map(map->handle, kDisplayFeedType)),
      waves_(map->map(map->handle, kWavesKey)),
      outputSums_(map->map(map->handle, kOutputSumsKey)),
      sampleCount_(map->map(map->handle, kSampleCountKey)),
      outputGain_(map->map(map->handle, kOutputGainKey)),
      limiterGain_(map->map(map->handle, kLimiterGainKey)),
      outputRelinked_(map->map(map->handle, kOutputRelinkedKey)) {
    lv2_atom_forge_init(&forge_, map);
}

void DisplayFeedWriter::write(LV2_Atom_Sequence* port, const DisplayFeedValues& values) {
    const uint32_t capacity = port->atom.size;
    lv2_atom_forge_set_buffer(&forge_, reinterpret_cast<uint8_t*>(port), capacity);
    LV2_Atom_Forge_Frame sequence;
    if (!lv2_atom_forge_sequence_head(&forge_, &sequence, 0)) {
        // Not even room for an empty sequence: tell the host nothing was written.
        port->atom.size = 0;
        return;
    }
    float waves[kWaveFloats];
    wavesAsFloats(values.waves, waves);
    const float sums[2] = {values.sums.sumSqLeft, values.sums.sumSqRight};
    // The forge stops writing, and reports 0, once the buffer is full; what
    // is left is then one event cut short, so it is dropped as a whole.
    LV2_Atom_Forge_Frame object;
    bool complete = lv2_atom_forge_frame_time(&forge_, 0) &&
                    lv2_atom_forge_object(&forge_, &object, 0, feedType_);
    complete = complete && lv2_atom_forge_key(&forge_, waves_) &&
               lv2_atom_forge_vector(&forge_, sizeof(float), forge_.Float, kWaveFloats, waves);
    complete = complete && lv2_atom_forge_key(&forge_, outputSums_) &&
               lv2_atom_forge_vector(&forge_, sizeof(float), forge_.Float, 2, sums);
    complete = complete && lv2_atom_forge_key(&forge_, sampleCount_) &&
               lv2_atom_forge_int(&forge_, values.sums.sampleCount);
    complete = complete && lv2_atom_forge_key(&forge_, outputGain_) &&
               lv2_atom_forge_float(&forge_, values.outputGain);
    complete = complete && lv2_atom_forge_key(&forge_, limiterGain_) &&
               lv2_atom_forge_float(&forge_, values.limiterThresholdGain);
    complete = complete && lv2_atom_forge_key(&forge_, outputRelinked_) &&
               lv2_atom_forge_bool(&forge_, values.outputRelinked);
    if (!complete) {
        port->atom.size = sizeof(LV2_Atom_Sequence_Body);
        return;
    }
    lv2_atom_forge_pop(&forge_, &object);
    lv2_atom_forge_pop(&forge_, &sequence);
}

}  // namespace velmorin::lv2
