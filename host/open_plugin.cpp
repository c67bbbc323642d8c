#include "open_plugin.h"

#include "clap_plugin.h"
#include "hosted_plugin.h"
#include "vst3_plugin.h"

namespace velmorin::host {

std::unique_ptr<PluginInstance> openPlugin(const std::filesystem::path& path) {
    // A VST3 bundle is a folder with the module inside.
    if (path.extension() == ".vst3" && std::filesystem::is_directory(path))
        return std::make_unique<Vst3Plugin>(PluginLibrary(vst3ModuleOf(path)));
    PluginLibrary library(path);
    if (library.symbol("GetPluginFactory")) return std::make_unique<Vst3Plugin>(std::move(library));
    if (path.extension() == ".clap" || library.symbol("clap_entry")) {
        return std::make_unique<ClapPlugin>(std::move(library));
    }
    return std::make_unique<HostedPlugin>(std::move(library));
}

}  // namespace velmorin::host
