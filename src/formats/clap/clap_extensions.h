// The plug-in's extension tables: audio-ports, params, state, latency, tail,
// render, preset-load and gain-adjustment-metering, each a thin table over
// ClapEffect, then the editor's (clap_gui.h).
#pragma once

namespace velmorin::clap_format {

// Null for an extension the plug-in does not offer.
const void* extensionTable(const char* id);

}  // namespace velmorin::clap_format
