#include "platform/config_folder.h"

#include <cstdlib>

namespace platform {

std::filesystem::path configFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && std::filesystem::path(config).is_absolute())
        return std::filesystem::path(config) / "velmorin";
    if (home && std::filesystem::path(home).is_absolute())
        return std::filesystem::path(home) / ".config" / "velmorin";
    return {};
}

}  // namespace platform
