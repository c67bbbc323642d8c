// Where the host looks for Velmorin when no --plugin is given.
#pragma once

#include <filesystem>

namespace velmorin::host {

// The plug-in beside this executable (the build tree), else where the install
// put it, else the folders Linux hosts search (~/.vst, /usr/local/lib/vst).
// When none exists, the path beside the executable, so that the error names
// where it was expected.
std::filesystem::path defaultPluginPath();

}  // namespace velmorin::host
