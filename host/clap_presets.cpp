#include "clap_presets.h"

#include <clap/factory/preset-discovery.h>

#include <cstring>

namespace velmorin::host {

namespace {

struct Location {
    uint32_t kind;
    std::optional<std::string> location;
};

struct Listed {
    ClapPreset preset;
    bool forThisPlugin = false;
};

struct Receiving {
    const char* pluginId;
    Location location;
    std::vector<Listed> listed;
};

std::optional<std::string> copied(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

Receiving& receivingOf(const clap_preset_discovery_metadata_receiver_t* receiver) {
    return *static_cast<Receiving*>(receiver->receiver_data);
}

clap_preset_discovery_metadata_receiver_t receiverFor(Receiving& receiving) {
    return {
        &receiving,
        [](const clap_preset_discovery_metadata_receiver_t*, int32_t, const char*) {},
        [](const clap_preset_discovery_metadata_receiver_t* receiver, const char* name,
           const char* key) {
            Receiving& to = receivingOf(receiver);
            to.listed.push_back(
                {{name ? name : "", to.location.kind, to.location.location, copied(key)}});
            return true;
        },
        [](const clap_preset_discovery_metadata_receiver_t* receiver,
           const clap_universal_plugin_id_t* id) {
            Receiving& to = receivingOf(receiver);
            if (to.listed.empty() || !id || !id->abi || !id->id) return;
            if (std::strcmp(id->abi, "clap") == 0 && std::strcmp(id->id, to.pluginId) == 0)
                to.listed.back().forThisPlugin = true;
        },
        [](const clap_preset_discovery_metadata_receiver_t*, const char*) {},
        [](const clap_preset_discovery_metadata_receiver_t*, uint32_t) {},
        [](const clap_preset_discovery_metadata_receiver_t*, const char*) {},
        [](const clap_preset_discovery_metadata_receiver_t*, const char*) {},
        [](const clap_preset_discovery_metadata_receiver_t*, clap_timestamp, clap_timestamp) {},
        [](const clap_preset_discovery_metadata_receiver_t*, const char*) {},
        [](const clap_preset_discovery_metadata_receiver_t*, const char*, const char*) {},
    };
}

clap_preset_discovery_indexer_t indexerFor(std::vector<Location>& locations) {
    return {
        CLAP_VERSION_INIT,
        "velmorin",
        "QuandorWeb",
        nullptr,
        nullptr,
        &locations,
        [](const clap_preset_discovery_indexer_t*, const clap_preset_discovery_filetype_t*) {
            return true;
        },
        [](const clap_preset_discovery_indexer_t* indexer,
           const clap_preset_discovery_location_t* location) {
            if (!location) return false;
            static_cast<std::vector<Location>*>(indexer->indexer_data)
                ->push_back({location->kind, copied(location->location)});
            return true;
        },
        [](const clap_preset_discovery_indexer_t*, const clap_preset_discovery_soundpack_t*) {
            return true;
        },
        [](const clap_preset_discovery_indexer_t*, const char*) -> const void* { return nullptr; },
    };
}

void listProvider(const clap_preset_discovery_factory_t& factory, const char* providerId,
                  const char* pluginId, std::vector<ClapPreset>& presets) {
    std::vector<Location> locations;
    const clap_preset_discovery_indexer_t indexer = indexerFor(locations);
    const clap_preset_discovery_provider_t* provider =
        factory.create(&factory, &indexer, providerId);
    if (!provider) return;
    if (provider->init(provider)) {
        for (const Location& location : locations) {
            if (location.kind != CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN) continue;
            Receiving receiving{pluginId, location, {}};
            const clap_preset_discovery_metadata_receiver_t receiver = receiverFor(receiving);
            provider->get_metadata(provider, location.kind,
                                   location.location ? location.location->c_str() : nullptr,
                                   &receiver);
            for (Listed& listed : receiving.listed) {
                if (listed.forThisPlugin) presets.push_back(std::move(listed.preset));
            }
        }
    }
    provider->destroy(provider);
}

}  // namespace

std::vector<ClapPreset> discoverPresets(const clap_plugin_entry_t& entry, const char* pluginId) {
    auto* factory = static_cast<const clap_preset_discovery_factory_t*>(
        entry.get_factory(CLAP_PRESET_DISCOVERY_FACTORY_ID));
    if (!factory) {
        factory = static_cast<const clap_preset_discovery_factory_t*>(
            entry.get_factory(CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT));
    }
    std::vector<ClapPreset> presets;
    if (!factory) return presets;
    for (uint32_t index = 0; index < factory->count(factory); ++index) {
        const clap_preset_discovery_provider_descriptor_t* descriptor =
            factory->get_descriptor(factory, index);
        if (descriptor && descriptor->id) listProvider(*factory, descriptor->id, pluginId, presets);
    }
    return presets;
}

}  // namespace velmorin::host
