// The plug-in in a file, in the format the file is: VST3 for a .vst3 bundle
// folder or a library exporting GetPluginFactory, CLAP for a .clap file or a
// library exporting clap_entry, VST 2.4 otherwise.
#pragma once

#include <filesystem>
#include <memory>

#include "plugin_instance.h"

namespace velmorin::host {

// Throws HostError naming the file and what is wrong with it.
std::unique_ptr<PluginInstance> openPlugin(const std::filesystem::path& path);

}  // namespace velmorin::host
