// Meter bars: the output meter with a colour scale by level, and the
// gain-reduction strips that grow downward from their top.
#include <algorithm>
#include <cmath>

#include "artwork/artwork.h"
#include "artwork/palette.h"
#include "editor/layout.h"

namespace artwork {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb toRgb(Hex c) {
    return {((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0};
}

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Output level of a meter row in dB relative to full scale.
double outputRowLevel(int row) {
    return (velmorin::kOutputMeterHeight - row - velmorin::kOutputMeterFullScale) /
           velmorin::kOutputMeterPixelsPerDb;
}

Rgb outputColour(double db) {
    const Rgb green = toRgb(0x3FC97A), lime = toRgb(0x9AD85A), amber = toRgb(0xF2C14E),
              red = toRgb(0xF0574A);
    if (db > 0) return red;
    if (db > -6) return mix(lime, amber, (db + 6) / 6);
    return mix(toRgb(0x2E9A5E), green, (db + 21) / 15);
}

Rgb reductionColour(double db) {
    const Rgb yellow = toRgb(0xF4D35E), orange = toRgb(0xF39C38), red = toRgb(0xE8553F);
    return db < 6 ? mix(yellow, orange, db / 6) : mix(orange, red, (db - 6) / 6);
}

// One row of a segmented bar: every third row is a gap between segments.
void paintBarRow(cairo_t* cr, double x, int row, double w, Rgb colour, bool lit, bool gap) {
    Rgb c = colour;
    if (gap)
        c = toRgb(0x07080A);
    else if (!lit)
        c = mix(toRgb(0x0B0D10), colour, 0.17);
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
    setColour(cr, 0x07080A);
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
    setColour(cr, 0x07080A);
    pixelRect(cr, 0, 0, velmorin::kGainStripWidth, height);
    cairo_fill(cr);
    for (int row = 0; row < height; ++row)
        paintBarRow(cr, 1, row, velmorin::kGainStripWidth - 2,
                    reductionColour(row / velmorin::kGainMeterPixelsPerDb), lit, row % 3 == 2);
}

}  // namespace artwork
