#include "editor/value_box.h"

namespace velmorin {

platform::WindowHandle createValueBox(platform::WindowServices& windows,
                                      platform::WindowHandle editor, const platform::Font& font,
                                      const ValueBoxPlace& place) {
    const platform::WindowHandle box = windows.createEditBox(
        editor, {place.x, place.y, place.x + kReadoutWidth, place.y + kReadoutHeight}, "---");
    if (!box) return box;
    windows.setEditFont(box, font);
    windows.setEditMargins(box, 1, 1);
    windows.showWindow(box, false);
    // Wider and taller than the box: typed text never wraps, so only Enter
    // starts a second line.
    windows.setEditFormattingRect(box, {0, 0, 47, 30});
    return box;
}

}  // namespace velmorin
