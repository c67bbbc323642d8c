// Meter bars: the output meter with a colour scale by level, and the
// gain-reduction strips that grow downward from their top.
#include <algorithm>
#include <cmath>

#include "artwork/artwork.h"
#include "artwork/palette.h"
#include "editor/layout.h"
#include "editor/meter_colours.h"

namespace artwork {
namespace {

using velmorin::meter_colours::outputColour;
using velmorin::meter_colours::reductionColour;
using velmorin::meter_colours::Rgb;
using velmorin::meter_colours::toRgb;

// Output level of a meter row in dB relative to full scale.
double outputRowLevel(int row) {
    return (velmorin::kOutputMeterHeight - row - velmorin::kOutputMeterFullScale) /
           velmorin::kOutputMeterPixelsPerDb;
}

// One row of a segmented bar: every third row is a gap between segments.
void paintBarRow(cairo_t* cr, double x, int row, double w, Rgb colour, bool lit, bool gap) {
    Rgb c = colour;
    if (gap)
        c = toRgb(velmorin::meter_colours::kMeterBackground);
    else if (!lit)
        c = velmorin::meter_colours::unlit(colour);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    pixelRect(cr, x, row, w, 1);
    cairo_fill(cr);
    if (lit && !gap) {  // a soft sheen down the middle of the lit bar
        cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
        pixelRect(cr, x + w / 2 - 1.5, row, 3, 1);
        cairo_fill(cr);
    }
}

}  // namespace

void paintOutputMeter(cairo_t* cr, bool lit, int bars) {
    const int width = bars == 2 ? velmorin::kOutputMeterWidth : velmorin::kOutputBarWidth;
    setColour(cr, velmorin::meter_colours::kMeterBackground);
    pixelRect(cr, 0, 0, width, velmorin::kOutputMeterHeight);
    cairo_fill(cr);
    for (int bar = 0; bar < bars; ++bar) {
        const double x = bar * velmorin::kOutputRightBarX + 1;
        for (int row = 0; row < velmorin::kOutputMeterHeight; ++row) {
            const bool gap = (velmorin::kOutputMeterHeight - 1 - row) % 3 == 2;
            paintBarRow(cr, x, row, velmorin::kOutputBarWidth - 2,
                        outputColour(outputRowLevel(row)), lit, gap);
        }
    }
}

void paintGainStrip(cairo_t* cr, bool lit, int height) {
    setColour(cr, velmorin::meter_colours::kMeterBackground);
    pixelRect(cr, 0, 0, velmorin::kGainStripWidth, height);
    cairo_fill(cr);
    for (int row = 0; row < height; ++row)
        paintBarRow(cr, 1, row, velmorin::kGainStripWidth - 2,
                    reductionColour(row / velmorin::kGainMeterPixelsPerDb), lit, row % 3 == 2);
}

}  // namespace artwork
