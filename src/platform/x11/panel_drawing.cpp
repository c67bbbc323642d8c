#include "platform/x11/panel_drawing.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/scaled_canvas.h"
#include "platform/scaled_graphics.h"
#include "platform/soft/soft_graphics.h"

namespace platform::x11 {
namespace {

// Centred in a box exactly as wide as the text is drawn from its left edge;
// one pixel spare on the right keeps the last glyph's overhang.
void drawFromLeft(Canvas& canvas, std::string_view text, int left, int top, int bottom,
                  Colour colour, const Font& font) {
    canvas.drawCentredText(text, {left, top, left + textWidth(text, font) + 1, bottom}, colour,
                           font);
}

}  // namespace

const SoftFont& panelFont(Scale scale) {
    // Made at the first use of each scale: a scale's glyphs are unpacked then.
    static std::mutex guard;
    static std::map<int, std::unique_ptr<Font>> fonts;  // by quarters
    const std::lock_guard lock(guard);
    std::unique_ptr<Font>& font = fonts[scale.quarters()];
    if (!font) {
        SoftGraphics device(nullptr);
        font = ScaledGraphics(device, scale).createFont(FontRequest{"Arial", 14, 5, 400});
    }
    return static_cast<const SoftFont&>(*font);
}

int textWidth(std::string_view text, const Font& font) {
    const auto* soft = dynamic_cast<const SoftFont*>(&font);
    return soft ? soft->glyphs().textWidth(text) : 0;
}

void drawTextAt(Canvas& device, std::string_view text, int x, int top, int bottom, Colour colour,
                const Font& font) {
    drawFromLeft(device, text, x, top, bottom, colour, font);
}

void drawPanelText(Canvas& canvas, std::string_view text, int x, int y, Colour colour) {
    // On the device pixels, so the scaled glyphs start exactly at the
    // mapped left edge whatever their width.
    const Scale scale = scaleOf(canvas);
    drawFromLeft(devicePixels(canvas), text, scale.device(x), scale.device(y),
                 scale.device(y + kLineHeight), colour, panelFont(scale));
}

void drawPanelTextCentred(Canvas& canvas, std::string_view text, const Rect& rect, Colour colour) {
    canvas.drawCentredText(text, rect, colour, panelFont(scaleOf(canvas)));
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
    drawPanelTextCentred(canvas, caption, {rect.left, textTop, rect.right, rect.bottom},
                         kPanelText);
}

}  // namespace platform::x11
