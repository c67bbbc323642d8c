// Where Velmorin keeps what a user set on Linux: velmorin under
// $XDG_CONFIG_HOME, or under ~/.config when that is unset or relative.
#pragma once

#include <filesystem>

namespace platform {

// Empty when neither variable gives an absolute path.
std::filesystem::path configFolder();

}  // namespace platform
