#include "open_plugin.h"

#include "clap_plugin.h"
#include "hosted_plugin.h"

namespace velmorin::host {

std::unique_ptr<PluginInstance> openPlugin(const std::filesystem::path& path) {
    PluginLibrary library(path);
    if (path.extension() == ".clap" || library.symbol("clap_entry")) {
        return std::make_unique<ClapPlugin>(std::move(library));
    }
    return std::make_unique<HostedPlugin>(std::move(library));
}

}  // namespace velmorin::host
