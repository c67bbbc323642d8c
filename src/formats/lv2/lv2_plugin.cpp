// The plug-in's entry point: the descriptor an LV2 host asks for by index.
#include <cstring>
#include <new>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "formats/lv2/lv2_effect.h"
#include "formats/lv2/lv2_state.h"

namespace velmorin::lv2 {
namespace {

LV2_URID_Map* findMap(const LV2_Feature* const* features) {
    for (; features && *features; ++features) {
        if (std::strcmp((*features)->URI, LV2_URID__map) == 0) {
            return static_cast<LV2_URID_Map*>((*features)->data);
        }
    }
    return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
    LV2_URID_Map* map = findMap(features);
    if (!(sampleRate > 0.0)) return nullptr;
    try {
        return new Lv2Effect(sampleRate, map);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) {
    static_cast<Lv2Effect*>(instance)->connectPort(port, data);
}

void activate(LV2_Handle) {}

void run(LV2_Handle instance, uint32_t frames) {
    static_cast<Lv2Effect*>(instance)->run(frames);
}

void deactivate(LV2_Handle instance) {
    static_cast<Lv2Effect*>(instance)->deactivate();
}

void cleanup(LV2_Handle instance) {
    delete static_cast<Lv2Effect*>(instance);
}

const void* extensionData(const char* uri) {
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &kStateInterface : nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        deactivate,  cleanup,     extensionData};

}  // namespace
}  // namespace velmorin::lv2

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &velmorin::lv2::kDescriptor : nullptr;
}
