// What the windows we draw ourselves (menus, dialogs, text fields) share: the
// editor's glyphs for text, the colours of a plain light panel, frames.
// Panels lay out in logical pixels with the 1.0 glyphs; on a scaled canvas
// their text is drawn with the glyphs rendered for its scale.
#pragma once

#include <string_view>

#include "platform/scale.h"
#include "platform/soft/soft_canvas.h"

namespace platform::x11 {

inline constexpr Colour kPanelFace = rgb(240, 240, 240);
inline constexpr Colour kPanelText = rgb(0, 0, 0);
inline constexpr Colour kPanelShade = rgb(160, 160, 160);
inline constexpr Colour kHighlight = rgb(0, 120, 215);
inline constexpr Colour kHighlightText = rgb(255, 255, 255);

// The editor's 14-pixel sans glyphs as rendered for `scale`; the panels need
// no other face.
const SoftFont& panelFont(Scale scale = Scale());

int textWidth(std::string_view text, const Font& font);
// The height of a line of panel text, in logical pixels.
inline constexpr int kLineHeight = 18;
// One line of text on device pixels with its left edge at x, in the cell
// from row top to bottom; `font` is drawn for those pixels.
void drawTextAt(Canvas& device, std::string_view text, int x, int top, int bottom, Colour colour,
                const Font& font);
// Panel text at a logical place, in the panel glyphs of the canvas's scale:
// its left edge at x and its cell's top at y, or centred in `rect`.
void drawPanelText(Canvas& canvas, std::string_view text, int x, int y, Colour colour);
void drawPanelTextCentred(Canvas& canvas, std::string_view text, const Rect& rect, Colour colour);
void fill(Canvas& canvas, const Rect& rect, Colour colour);
// A one-pixel outline just inside `rect`.
void frame(Canvas& canvas, const Rect& rect, Colour colour);
// A push button: face, outline, centred caption; `focused` draws it thicker.
void drawButton(Canvas& canvas, const Rect& rect, std::string_view caption, bool focused);

}  // namespace platform::x11
