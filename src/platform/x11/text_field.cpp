#include "platform/x11/text_field.h"

#include "platform/scaled_canvas.h"

#include <algorithm>

#include "platform/x11/panel_drawing.h"

namespace platform::x11 {

void TextField::setText(std::string_view text) {
    text_ = std::string(text);
    anchor_ = caret_ = 0;
}

void TextField::select(int start, int end) {
    const int length = static_cast<int>(text_.size());
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    if (end < 0 || end > length) end = length;
    anchor_ = std::min(start, length);
    caret_ = end;
}

void TextField::replaceSelection(std::string_view with) {
    const int start = selectionStart();
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(selectionEnd() - start),
                  with);
    anchor_ = caret_ = start + static_cast<int>(with.size());
}

bool TextField::type(std::string_view characters) {
    std::string printable;
    for (char c : characters)
        if (static_cast<unsigned char>(c) >= 32 && c != 127) printable += c;
    if (printable.empty()) return false;
    replaceSelection(printable);
    return true;
}

bool TextField::press(Key key) {
    const int length = static_cast<int>(text_.size());
    const bool hasSelection = anchor_ != caret_;
    switch (key) {
        case Key::Enter:
            replaceSelection("\r\n");
            return true;
        case Key::Backspace:
            if (!hasSelection && caret_ == 0) return false;
            // A line break goes as a whole.
            if (!hasSelection)
                anchor_ =
                    caret_ - (caret_ >= 2 && text_.compare(caret_ - 2, 2, "\r\n") == 0 ? 2 : 1);
            replaceSelection("");
            return true;
        case Key::Delete:
            if (!hasSelection && caret_ == length) return false;
            if (!hasSelection) anchor_ = caret_ + (text_.compare(caret_, 2, "\r\n") == 0 ? 2 : 1);
            replaceSelection("");
            return true;
        case Key::Left:
            caret_ = hasSelection ? selectionStart() : std::max(caret_ - 1, 0);
            break;
        case Key::Right:
            caret_ = hasSelection ? selectionEnd() : std::min(caret_ + 1, length);
            break;
        case Key::Home:
            caret_ = 0;
            break;
        case Key::End:
            caret_ = length;
            break;
    }
    anchor_ = caret_;
    return false;
}

int TextField::lineCount() const {
    int lines = 1;
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n' ||
            (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')))
            ++lines;
    return lines;
}

void TextField::paint(Canvas& canvas, const Look& look) const {
    fill(canvas, {0, 0, canvas.width(), canvas.height()}, rgb(255, 255, 255));
    if (!look.font) return;
    // The font is drawn for the canvas's scale, its widths in device pixels:
    // the line is laid out on the device pixels.
    const Scale scale = scaleOf(canvas);
    Canvas& device = devicePixels(canvas);
    // The first line only: the owner takes the value as soon as a second
    // line starts.
    const std::size_t lineEnd = std::min(text_.find_first_of("\r\n"), text_.size());
    const std::string_view line(text_.data(), lineEnd);
    const Rect& f = look.formatting;
    const int areaLeft = scale.device(f.left + look.leftMargin);
    const int areaRight = scale.device(f.right - look.rightMargin);
    const int top = scale.device(f.top);
    const int cellBottom = scale.device(f.top + kLineHeight);
    const int markBottom = scale.device(f.top + 16);
    const int left = (areaLeft + areaRight - textWidth(line, *look.font)) / 2;
    const auto xAt = [&](int index) {
        return left + textWidth(line.substr(0, std::min<std::size_t>(index, lineEnd)), *look.font);
    };
    const int from = std::min<int>(selectionStart(), static_cast<int>(lineEnd));
    const int to = std::min<int>(selectionEnd(), static_cast<int>(lineEnd));
    drawTextAt(device, line, left, top, cellBottom, kPanelText, *look.font);
    if (look.focused && from < to) {
        fill(device, {xAt(from), top, xAt(to), markBottom}, kHighlight);
        drawTextAt(device, line.substr(from, to - from), xAt(from), top, cellBottom, kHighlightText,
                   *look.font);
    }
    // The caret as wide as a logical pixel.
    if (look.focused && from == to) {
        const int x = xAt(caret_);
        fill(device, {x, top, x + scale.device(1), markBottom}, kPanelText);
    }
}

}  // namespace platform::x11
