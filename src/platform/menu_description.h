// A menu as data: the platform builds a real menu from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct MenuItemDescription {
    enum class Kind { Command, Popup, Separator };

    Kind kind = Kind::Command;
    std::string text;
    std::uint16_t id = 0;                       // commands only
    std::vector<MenuItemDescription> children;  // popups only
};

// The top level of a menu resource.
using MenuDescription = std::vector<MenuItemDescription>;

}  // namespace platform
