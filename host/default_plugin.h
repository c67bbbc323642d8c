// Where the host looks for Velmorin when no --plugin is given.
#pragma once

#include <filesystem>

namespace velmorin::host {

// The plug-in beside this executable, else where the install put it, else the
// folders Linux hosts search (~/.vst, /usr/local/lib/vst). When none exists,
// the path beside the executable, so the error names where it was expected.
std::filesystem::path defaultPluginPath();

}  // namespace velmorin::host
