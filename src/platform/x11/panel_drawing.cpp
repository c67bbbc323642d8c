#include "platform/x11/panel_drawing.h"

#include <memory>

#include "platform/soft/soft_graphics.h"

namespace platform::x11 {

const SoftFont& panelFont() {
    static const std::unique_ptr<Font> font =
        SoftGraphics(nullptr).createFont(FontRequest{"Arial", 14, 5, 400});
    return static_cast<const SoftFont&>(*font);
}

int textWidth(std::string_view text, const Font& font) {
    const auto* soft = dynamic_cast<const SoftFont*>(&font);
    return soft ? soft->glyphs().textWidth(text) : 0;
}

void drawTextAt(Canvas& canvas, std::string_view text, int x, int y, Colour colour,
                const Font& font) {
    // Centred in a box exactly as wide as the text is drawn from its left
    // edge; one pixel spare on the right keeps the last glyph's overhang.
    const int w = textWidth(text, font);
    canvas.drawCentredText(text, {x, y, x + w + 1, y + 18}, colour, font);
}

void fill(Canvas& canvas, const Rect& rect, Colour colour) {
    canvas.fillRect(rect, Brush(colour));
}

void frame(Canvas& canvas, const Rect& rect, Colour colour) {
    const Pen pen(colour);
    const int r = rect.right - 1;
    const int b = rect.bottom - 1;
    canvas.drawLine(rect.left, rect.top, r, rect.top, pen);
    canvas.drawLine(r, rect.top, r, b, pen);
    canvas.drawLine(r, b, rect.left, b, pen);
    canvas.drawLine(rect.left, b, rect.left, rect.top, pen);
}

void drawButton(Canvas& canvas, const Rect& rect, std::string_view caption, bool focused) {
    fill(canvas, rect, rgb(225, 225, 225));
    frame(canvas, rect, focused ? kHighlight : kPanelShade);
    if (focused)
        frame(canvas, {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, kHighlight);
    const int textTop = (rect.top + rect.bottom - 16) / 2;
    canvas.drawCentredText(caption, {rect.left, textTop, rect.right, rect.bottom}, kPanelText,
                           panelFont());
}

}  // namespace platform::x11
