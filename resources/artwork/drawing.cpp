#include <algorithm>
#include <cmath>

#include "artwork/artwork.h"

namespace artwork {

void setColour(cairo_t* cr, Hex c, double alpha) {
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                          (c & 0xFF) / 255.0, alpha);
}

double deviceScale(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return m.xx;
}

namespace {

// The device edge nearest to a logical one, halves up as the editor's
// scaled canvas rounds them.
double snapped(double device) {
    return std::floor(device + 0.5);
}

// The logical box's corners on whole device pixels, in device space.
void deviceBox(cairo_t* cr, double x, double y, double w, double h, double& left, double& top,
               double& right, double& bottom) {
    left = x, top = y, right = x + w, bottom = y + h;
    cairo_user_to_device(cr, &left, &top);
    cairo_user_to_device(cr, &right, &bottom);
    left = snapped(left), top = snapped(top), right = snapped(right), bottom = snapped(bottom);
}

}  // namespace

void pixelRect(cairo_t* cr, double x, double y, double w, double h) {
    double left, top, right, bottom;
    deviceBox(cr, x, y, w, h, left, top, right, bottom);
    // The path keeps device coordinates, so it outlives the matrix change.
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_restore(cr);
}

void pixelRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r, double inset) {
    double left, top, right, bottom;
    deviceBox(cr, x, y, w, h, left, top, right, bottom);
    const double scale = deviceScale(cr);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    roundedRect(cr, left + inset, top + inset, right - left - 2 * inset, bottom - top - 2 * inset,
                r * scale);
    cairo_restore(cr);
}

void pixelOutline(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double line = std::max(1.0, snapped(deviceScale(cr)));
    pixelRoundedRect(cr, x, y, w, h, r, line / 2);
    cairo_set_line_width(cr, line / deviceScale(cr));
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void well(cairo_t* cr, double x, double y, double w, double h, Hex fill) {
    // Highlight one pixel below and right, shadow above and left: the well
    // reads as cut into the panel under light from above.
    setColour(cr, 0x3A414A);
    pixelRect(cr, x - 1, y - 1, w + 2, h + 2);
    cairo_fill(cr);
    setColour(cr, 0x07080A);
    pixelRect(cr, x - 1, y - 1, w + 1, h + 1);
    cairo_fill(cr);
    setColour(cr, fill);
    pixelRect(cr, x, y, w, h);
    cairo_fill(cr);
}

void text(cairo_t* cr, const std::string& s, double x, double y, double size, Hex colour, bool bold,
          Align align, double spacing) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    // Fixed rendering options: the same pictures on every build machine,
    // whatever its font configuration says.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, s.c_str(), &ext);
    const double width = ext.x_advance + spacing * (s.empty() ? 0 : s.size() - 1);
    double penX = align == Align::Left ? x : align == Align::Centre ? x - width / 2 : x - width;
    // Cap height of this face is about 0.72 of the size; the baseline sits
    // on a whole device row.
    double baseline = y + size * 0.36, unused = 0;
    cairo_user_to_device(cr, &unused, &baseline);
    baseline = std::round(baseline);
    cairo_device_to_user(cr, &unused, &baseline);
    setColour(cr, colour);
    if (spacing == 0) {
        cairo_move_to(cr, penX, baseline);
        cairo_show_text(cr, s.c_str());
        return;
    }
    for (char c : s) {
        const char one[2] = {c, 0};
        cairo_move_to(cr, penX, baseline);
        cairo_show_text(cr, one);
        cairo_text_extents(cr, one, &ext);
        penX += ext.x_advance + spacing;
    }
}

}  // namespace artwork
