// The editor's artwork, drawn with Cairo at build time. Each painter draws
// one picture with its top-left corner at the current origin, so the skin
// and the lit bitmaps share the same drawing code.
#pragma once

#include <cairo.h>

#include <string>

namespace artwork {

// A colour as 0xRRGGBB.
using Hex = unsigned;

void setColour(cairo_t* cr, Hex colour, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A recessed well: dark fill with a shadow above and a highlight below.
void well(cairo_t* cr, double x, double y, double w, double h, Hex fill);

enum class Align { Left, Centre, Right };
// One line of text with its vertical centre at y.
void text(cairo_t* cr, const std::string& s, double x, double y, double size, Hex colour,
          bool bold = false, Align align = Align::Centre, double spacing = 0.0);

// Pictures.
void paintSkin(cairo_t* cr);
void paintFaderCap(cairo_t* cr, int bitmapId);
void paintZoomCap(cairo_t* cr);
// A lamp button of the control table, lit or as the skin shows it, at the
// origin.
void paintLamp(cairo_t* cr, int bitmapId, int width, int height, bool lit);
// The output meter's two bars (31 x 289) or one lit bar (15 x 289).
void paintOutputMeter(cairo_t* cr, bool lit, int bars);
// A gain-reduction strip, 13 wide, `height` rows, growing down from the top.
void paintGainStrip(cairo_t* cr, bool lit, int height);
void paintHighlight(cairo_t* cr);
void paintInfoPicture(cairo_t* cr);
void paintOkButton(cairo_t* cr, bool hover);

}  // namespace artwork
