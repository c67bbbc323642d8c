// The edit box through which a fader's value is typed: created over the
// read-out, set up and hidden until a click on the read-out opens it.
#pragma once

#include "editor/layout.h"
#include "platform/drawing_objects.h"
#include "platform/window_services.h"

namespace velmorin {

platform::WindowHandle createValueBox(platform::WindowServices& windows,
                                      platform::WindowHandle editor, const platform::Font& font,
                                      const ValueBoxPlace& place);

}  // namespace velmorin
