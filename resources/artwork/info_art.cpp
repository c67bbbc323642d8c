// The corner highlight shape, the information window's picture and its OK
// button.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "artwork/artwork.h"
#include "artwork/palette.h"

namespace artwork {

void paintHighlight(cairo_t* cr) {
    // Only the red channel counts: how strongly each pixel of a display's
    // top-left corner is lifted toward white. A soft quarter-ellipse glare.
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const int w = cairo_image_surface_get_width(target);
    const int h = cairo_image_surface_get_height(target);
    const double scale = deviceScale(cr);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5) / (42.0 * scale), dy = (y + 0.5) / (16.0 * scale);
            const double d = std::sqrt(dx * dx + dy * dy);
            const double strength = d >= 1 ? 0 : std::pow(1 - d, 1.6) * 70;
            const auto v = static_cast<std::uint32_t>(std::lround(strength));
            reinterpret_cast<std::uint32_t*>(data + y * stride)[x] =
                0xFF000000u | v << 16 | v << 8 | v;
        }
    }
    cairo_surface_mark_dirty(target);
}

void paintInfoPicture(cairo_t* cr) {
    setColour(cr, 0x000000);
    cairo_paint(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(112, 96, 10, 112, 112, 130);
    cairo_pattern_add_color_stop_rgb(glow, 0, 0.13, 0.16, 0.22);
    cairo_pattern_add_color_stop_rgb(glow, 1, 0.0, 0.0, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);

    // Three bands, three traces, each compressed a little more than the last.
    cairo_set_line_width(cr, 2.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int band = 0; band < 3; ++band) {
        const double centre = 70 + band * 34;
        const double cycles = 5.0 - band * 1.5;
        const double depth = 1.0 - band * 0.22;
        for (int x = 24; x <= 200; ++x) {
            const double t = (x - 24) / 176.0;
            const double envelope = std::sin(M_PI * t) * 15 * depth;
            const double yv = centre - envelope * std::sin(2 * M_PI * cycles * t) *
                                           std::tanh(1.6 * std::sin(M_PI * t));
            x == 24 ? cairo_move_to(cr, x, yv) : cairo_line_to(cr, x, yv);
        }
        setColour(cr, palette::kBandAccent[band]);
        cairo_stroke(cr);
    }
    text(cr, "VELMORIN", 112, 186, 17, palette::kHeading, true, Align::Centre, 2.5);
    text(cr, "THREE-BAND MASTERING DYNAMICS", 112, 204, 7, palette::kLabel, false, Align::Centre,
         0.8);
}

void paintOkButton(cairo_t* cr, bool hover) {
    setColour(cr, 0x000000);
    cairo_paint(cr);
    // The body covers the button's active area (16..110, 12..36).
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 12, 0, 37);
    const double lift = hover ? 0.06 : 0.0;
    cairo_pattern_add_color_stop_rgb(body, 0, 0.20 + lift, 0.23 + lift, 0.27 + lift);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.11 + lift, 0.13 + lift, 0.16 + lift);
    pixelOutline(cr, 16, 12, 95, 25, 4);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColour(cr, hover ? palette::kBandAccent[0] : 0x4A5460);
    cairo_stroke(cr);
    text(cr, "OK", 63.5, 24.5, 12, hover ? 0xFFFFFF : palette::kHeading, true, Align::Centre, 1);
}

}  // namespace artwork
