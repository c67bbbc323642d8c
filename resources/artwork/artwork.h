// The editor's artwork, drawn with Cairo at build time. Each painter draws
// one picture with its top-left corner at the current origin, so the skin
// and the lit bitmaps share the same drawing code. Painters work in logical
// pixels; the context's matrix scales them to the device pixels of a scale.
#pragma once

#include <cairo.h>

#include <string>

#include "artwork/palette.h"

namespace artwork {

void setColour(cairo_t* cr, Hex colour, double alpha = 1.0);
// Device pixels per logical pixel of the picture being drawn.
double deviceScale(cairo_t* cr);
// A rectangle of logical pixels with its edges on whole device pixels, so a
// one-pixel line stays crisp at every scale.
void pixelRect(cairo_t* cr, double x, double y, double w, double h);
// A rounded rectangle over a box of logical pixels with its straight edges
// on whole device pixels, `inset` device pixels inside the box.
void pixelRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r,
                      double inset = 0);
// The rounded outline of a box of logical pixels as a path whose stroke, one
// logical pixel wide (the line width is set too), covers whole device pixels
// just inside the box.
void pixelOutline(cairo_t* cr, double x, double y, double w, double h, double r);
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
