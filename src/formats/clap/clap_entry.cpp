// The module's one export: clap_entry, with the plug-in factory (one plug-in)
// and the preset-discovery factory.
#include <clap/entry.h>
#include <clap/factory/plugin-factory.h>

#include <cstring>
#include <new>

#include "formats/clap/clap_editor.h"
#include "formats/clap/clap_effect.h"
#include "formats/clap/factory_presets.h"
#include "formats/clap/plugin_descriptor.h"

using namespace velmorin::clap_format;

namespace {

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                  const char* id) {
    if (host == nullptr || id == nullptr || std::strcmp(id, kDescriptor.id) != 0 ||
        !clap_version_is_compatible(host->clap_version))
        return nullptr;
    auto* effect = new (std::nothrow) ClapEffect(kDescriptor, *host);
    if (effect == nullptr) return nullptr;
    ClapEditor::takeStoredSettings(effect->effect());
    return effect->plugin();
}

const clap_plugin_factory_t kPluginFactory = {
    [](const clap_plugin_factory_t*) -> uint32_t { return 1; },
    [](const clap_plugin_factory_t*, uint32_t index) -> const clap_plugin_descriptor_t* {
        return index == 0 ? &kDescriptor : nullptr;
    },
    createPlugin,
};

const void* factory(const char* id) {
    if (id == nullptr) return nullptr;
    if (std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0) return &kPluginFactory;
    if (std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID) == 0 ||
        std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT) == 0)
        return &kPresetDiscoveryFactory;
    return nullptr;
}

}  // namespace

extern "C" CLAP_EXPORT const clap_plugin_entry_t clap_entry = {
    CLAP_VERSION_INIT,
    [](const char*) { return true; },
    [] {},
    factory,
};
