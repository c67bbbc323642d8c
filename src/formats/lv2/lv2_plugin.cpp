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

template <typename Data>
Data* findFeature(const LV2_Feature* const* features, const char* uri) {
    for (; features && *features; ++features) {
        if (std::strcmp((*features)->URI, uri) == 0) return static_cast<Data*>((*features)->data);
    }
    return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
    if (!(sampleRate > 0.0)) return nullptr;
    try {
        return new Lv2Effect(sampleRate, findFeature<LV2_URID_Map>(features, LV2_URID__map),
                             findFeature<const InlineDisplayQueue>(features, kQueueDrawUri));
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

InlineDisplaySurface* renderInlineDisplay(LV2_Handle instance, uint32_t width, uint32_t height) {
    return static_cast<Lv2Effect*>(instance)->inlineDisplay().render(width, height);
}

const InlineDisplayInterface kInlineDisplayInterface = {renderInlineDisplay};

const void* extensionData(const char* uri) {
    if (std::strcmp(uri, LV2_STATE__interface) == 0) return &kStateInterface;
    if (std::strcmp(uri, kInlineDisplayInterfaceUri) == 0) return &kInlineDisplayInterface;
    return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        deactivate,  cleanup,     extensionData};

}  // namespace
}  // namespace velmorin::lv2

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &velmorin::lv2::kDescriptor : nullptr;
}
