// A menu description as the MENU statement of a Windows resource script, so
// the module's menu resource is made from the same data the editor uses.
#pragma once

#include <string>

#include "platform/menu_description.h"

namespace velmorin::resources {

std::string menuScript(int resourceId, const platform::MenuDescription& menu);

}  // namespace velmorin::resources
