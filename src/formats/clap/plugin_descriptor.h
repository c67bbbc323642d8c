// Who the plug-in is to a CLAP host: id, names, version and features.
#pragma once

#include <clap/plugin.h>

namespace velmorin::clap_format {

extern const clap_plugin_descriptor_t kDescriptor;

}  // namespace velmorin::clap_format
