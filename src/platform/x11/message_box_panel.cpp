#include "platform/x11/dialog_panel.h"

#include <algorithm>
#include <string>

#include "platform/x11/panel_drawing.h"

namespace platform::x11 {

MessageBoxPanel::MessageBoxPanel(std::string_view text)
    : text_(text), width_(std::max(200, textWidth(text, panelFont()) + 60)) {}

Rect MessageBoxPanel::okButton() const {
    return {(width_ - 80) / 2, 56, (width_ + 80) / 2, 82};
}

void MessageBoxPanel::paint(Canvas& canvas) const {
    fill(canvas, {0, 0, width_, height()}, kPanelFace);
    drawPanelTextCentred(canvas, text_, {0, 20, width_, 40}, kPanelText);
    drawButton(canvas, okButton(), "OK", true);
}

void MessageBoxPanel::click(int x, int y) {
    if (okButton().contains(x, y)) confirm();
}

}  // namespace platform::x11
