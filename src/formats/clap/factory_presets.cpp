#include "formats/clap/factory_presets.h"

#include <cstring>
#include <string>

#include "formats/clap/plugin_descriptor.h"
#include "params/program_bank.h"

namespace velmorin::clap_format {

namespace {

const clap_preset_discovery_provider_descriptor_t kProviderDescriptor = {
    CLAP_VERSION_INIT, "com.quandorweb.velmorin.factory-programs", "Velmorin factory programs",
    "QuandorWeb"};

bool declareLocation(const clap_preset_discovery_provider_t* provider) {
    const auto* indexer =
        static_cast<const clap_preset_discovery_indexer_t*>(provider->provider_data);
    const clap_preset_discovery_location_t location = {
        CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, "Velmorin factory programs",
        CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr};
    return indexer->declare_location != nullptr && indexer->declare_location(indexer, &location);
}

bool listPrograms(const clap_preset_discovery_provider_t*, uint32_t kind, const char*,
                  const clap_preset_discovery_metadata_receiver_t* receiver) {
    if (kind != CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN || receiver == nullptr) return false;
    const ProgramBank factory;
    const clap_universal_plugin_id_t plugin = {"clap", kDescriptor.id};
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        const std::string key = std::to_string(program);
        if (!receiver->begin_preset(receiver, factory[program].name, key.c_str())) return true;
        receiver->add_plugin_id(receiver, &plugin);
        receiver->set_flags(receiver, CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT);
    }
    return true;
}

const clap_preset_discovery_provider_t* createProvider(
    const clap_preset_discovery_factory_t*, const clap_preset_discovery_indexer_t* indexer,
    const char* id) {
    if (indexer == nullptr || id == nullptr || std::strcmp(id, kProviderDescriptor.id) != 0)
        return nullptr;
    return new clap_preset_discovery_provider_t{
        &kProviderDescriptor,
        const_cast<clap_preset_discovery_indexer_t*>(indexer),
        declareLocation,
        [](const clap_preset_discovery_provider_t* provider) { delete provider; },
        listPrograms,
        [](const clap_preset_discovery_provider_t*, const char*) -> const void* { return nullptr; },
    };
}

}  // namespace

const clap_preset_discovery_factory_t kPresetDiscoveryFactory = {
    [](const clap_preset_discovery_factory_t*) -> uint32_t { return 1; },
    [](const clap_preset_discovery_factory_t*,
       uint32_t index) -> const clap_preset_discovery_provider_descriptor_t* {
        return index == 0 ? &kProviderDescriptor : nullptr;
    },
    createProvider,
};

}  // namespace velmorin::clap_format
