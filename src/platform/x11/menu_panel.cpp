#include "platform/x11/menu_panel.h"

#include <algorithm>

#include "platform/x11/panel_drawing.h"

namespace platform::x11 {
namespace {

constexpr int kBorder = 2;
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 24;
constexpr int kArrowColumn = 22;

using Kind = MenuItemDescription::Kind;

// Two pixels deep, down three columns and up six. Whole logical pixels
// rather than slanted lines: at a scale its strokes keep their thickness.
void drawCheck(Canvas& canvas, int x, int y, Colour colour) {
    for (int i = 0; i < 9; ++i) {
        const int top = i < 3 ? y + 4 + i : y + 10 - i;
        fill(canvas, {x + i, top, x + i + 1, top + 2}, colour);
    }
}

void drawArrow(Canvas& canvas, int x, int y, Colour colour) {
    const Pen pen(colour);
    for (int i = 0; i < 4; ++i) canvas.drawLine(x + i, y + i, x + i, y + 8 - i, pen);
}

}  // namespace

std::string menuLabel(const std::string& text) {
    std::string label;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        if (text[i] == '\t') break;
        label += text[i];
    }
    return label;
}

MenuPanel::MenuPanel(const std::vector<MenuItemDescription>& items,
                     const std::set<std::uint16_t>& checked)
    : items_(items), checked_(checked) {
    int textColumn = 0;
    int y = kBorder;
    for (const MenuItemDescription& item : items_) {
        tops_.push_back(y);
        y += item.kind == Kind::Separator ? kSeparatorHeight : kItemHeight;
        textColumn = std::max(textColumn, textWidth(menuLabel(item.text), panelFont()));
    }
    width_ = 2 * kBorder + kCheckColumn + textColumn + kArrowColumn;
    height_ = y + kBorder;
}

int MenuPanel::itemAt(int x, int y) const {
    if (x < kBorder || x >= width_ - kBorder) return -1;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int bottom = i + 1 < items_.size() ? tops_[i + 1] : height_ - kBorder;
        if (y >= tops_[i] && y < bottom)
            return items_[i].kind == Kind::Separator ? -1 : static_cast<int>(i);
    }
    return -1;
}

bool MenuPanel::setHover(int index) {
    if (index == hover_) return false;
    hover_ = index;
    return true;
}

int MenuPanel::neighbour(int step) const {
    const int count = static_cast<int>(items_.size());
    int index = hover_;
    for (int tries = 0; tries < count; ++tries) {
        index = hover_ < 0 && tries == 0 ? (step > 0 ? 0 : count - 1)
                                         : ((index + step) % count + count) % count;
        if (items_[static_cast<std::size_t>(index)].kind != Kind::Separator) return index;
    }
    return -1;
}

void MenuPanel::paint(Canvas& canvas) const {
    fill(canvas, {0, 0, width_, height_}, kPanelFace);
    frame(canvas, {0, 0, width_, height_}, kPanelShade);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItemDescription& item = items_[i];
        const int top = tops_[i];
        if (item.kind == Kind::Separator) {
            canvas.drawLine(kBorder + 4, top + 4, width_ - kBorder - 4, top + 4, Pen(kPanelShade));
            continue;
        }
        const bool lit = static_cast<int>(i) == hover_;
        const Colour ink = lit ? kHighlightText : kPanelText;
        if (lit) fill(canvas, {kBorder, top, width_ - kBorder, top + kItemHeight}, kHighlight);
        if (item.kind == Kind::Command && checked_.count(item.id))
            drawCheck(canvas, kBorder + 7, top + 6, ink);
        drawPanelText(canvas, menuLabel(item.text), kBorder + kCheckColumn, top + 3, ink);
        if (item.kind == Kind::Popup) drawArrow(canvas, width_ - kBorder - 12, top + 7, ink);
    }
}

}  // namespace platform::x11
