// The presets a CLAP module lists for one of its plug-ins through its
// preset-discovery factory, in the order listed; loaded through preset-load.
#pragma once

#include <clap/entry.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmorin::host {

struct ClapPreset {
    std::string name;
    uint32_t locationKind;
    std::optional<std::string> location;  // none for presets inside the plug-in
    std::optional<std::string> loadKey;
};

// Presets inside the plug-in only: files in folders are not searched.
std::vector<ClapPreset> discoverPresets(const clap_plugin_entry_t& entry, const char* pluginId);

}  // namespace velmorin::host
