// The preset-discovery factory: one provider that lists the 18 factory
// programs under their names, each loaded through preset-load with its index
// as the load key.
#pragma once

#include <clap/factory/preset-discovery.h>

namespace velmorin::clap_format {

extern const clap_preset_discovery_factory_t kPresetDiscoveryFactory;

}  // namespace velmorin::clap_format
