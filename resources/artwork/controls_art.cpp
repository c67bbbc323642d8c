// Fader caps and lamp buttons. Their corners carry the panel colour, so the
// opaque bitmaps sit on the skin without a visible box.
#include "artwork/artwork.h"
#include "artwork/palette.h"
#include "editor/bitmap_ids.h"
#include "editor/layout.h"

namespace artwork {
namespace {

using namespace palette;

struct CapLook {
    Hex top;
    Hex bottom;
    Hex indicator;
};

CapLook capLook(int bitmapId) {
    switch (bitmapId) {
        case velmorin::kBitmapCapThreshold:
            return {0xA9BCD9, 0x5D6F8C, 0xFFFFFF};
        case velmorin::kBitmapCapLimiter:
            return {0xD6A49C, 0x8A4E47, 0xFFFFFF};
        default:
            return {0xC3C9D1, 0x7A818B, 0x15181B};
    }
}

// A cap body of w x h with its value row at `valueRow`.
void paintCapBody(cairo_t* cr, int w, int h, int valueRow, const CapLook& look) {
    setColour(cr, kPanel);
    cairo_paint(cr);
    setColour(cr, 0x000000, 0.55);  // drop shadow
    roundedRect(cr, 1.5, 2.5, w - 2, h - 3, 2);
    cairo_fill(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 1, 0, h - 1);
    cairo_pattern_add_color_stop_rgb(body, 0, ((look.top >> 16) & 0xFF) / 255.0,
                                     ((look.top >> 8) & 0xFF) / 255.0, (look.top & 0xFF) / 255.0);
    cairo_pattern_add_color_stop_rgb(body, 1, ((look.bottom >> 16) & 0xFF) / 255.0,
                                     ((look.bottom >> 8) & 0xFF) / 255.0,
                                     (look.bottom & 0xFF) / 255.0);
    pixelRoundedRect(cr, 1, 1, w - 2, h - 3, 2);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Grip grooves above and below the indicator.
    for (int row : {valueRow - 9, valueRow - 6, valueRow + 6, valueRow + 9}) {
        if (row < 3 || row > h - 5) continue;
        setColour(cr, 0x000000, 0.28);
        pixelRect(cr, 2, row, w - 4, 1);
        cairo_fill(cr);
        setColour(cr, 0xFFFFFF, 0.25);
        pixelRect(cr, 2, row + 1, w - 4, 1);
        cairo_fill(cr);
    }
    setColour(cr, look.indicator);
    pixelRect(cr, 1, valueRow, w - 2, 1);
    cairo_fill(cr);
}

struct LampLook {
    const char* line1;
    const char* line2;  // empty for one line
    Hex light;
};

LampLook lampLook(int bitmapId) {
    switch (bitmapId) {
        case velmorin::kBitmapLookAheadLit:
            return {"LOOK", "AHEAD", kLampAttack};
        case velmorin::kBitmapNormalizeLit:
            return {"AUTO", "NORM", kLampOn};
        case velmorin::kBitmapDitherLit:
            return {"16 BIT", "DITHER", kLampBypass};
        case velmorin::kBitmapBypassLit:
            return {"BYPASS", "", kLampAlert};
        case velmorin::kBitmapBandOnLit:
            return {"ON", "", kLampOn};
        case velmorin::kBitmapBandBypassLit:
            return {"BYP", "", kLampBypass};
        default:
            return {"ATK", "", kLampAttack};
    }
}

void paintLight(cairo_t* cr, double x, double y, double w, double h, Hex colour, bool lit) {
    if (lit) {
        setColour(cr, colour, 0.28);  // glow
        roundedRect(cr, x - 1.5, y - 1.5, w + 3, h + 3, 2);
        cairo_fill(cr);
        setColour(cr, colour);
        pixelRect(cr, x, y, w, h);
        cairo_fill(cr);
        setColour(cr, 0xFFFFFF, 0.45);
        pixelRect(cr, x, y, w, 1);
        cairo_fill(cr);
    } else {
        setColour(cr, 0x07080A);
        pixelRect(cr, x, y, w, h);
        cairo_fill(cr);
        setColour(cr, colour, 0.16);
        pixelRect(cr, x, y, w, h);
        cairo_fill(cr);
    }
}

}  // namespace

void paintFaderCap(cairo_t* cr, int bitmapId) {
    paintCapBody(cr, velmorin::kFaderCapWidth, velmorin::kFaderCapHeight, velmorin::kFaderCapAbove,
                 capLook(bitmapId));
}

void paintZoomCap(cairo_t* cr) {
    paintCapBody(cr, velmorin::kSmallCapWidth, velmorin::kSmallCapHeight, velmorin::kSmallCapAbove,
                 {0xAEB5BE, 0x6C737C, 0x15181B});
}

void paintLamp(cairo_t* cr, int bitmapId, int width, int height, bool lit) {
    const LampLook look = lampLook(bitmapId);
    setColour(cr, kPanel);
    pixelRect(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, height);
    const double lift = lit ? 0.04 : 0.0;
    cairo_pattern_add_color_stop_rgb(body, 0, 0.235 + lift, 0.255 + lift, 0.29 + lift);
    cairo_pattern_add_color_stop_rgb(body, 1, 0.15 + lift, 0.165 + lift, 0.19 + lift);
    pixelOutline(cr, 0, 0, width, height, 2.5);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    setColour(cr, 0x07080A);
    cairo_stroke(cr);

    const Hex label = lit ? 0xF2F5F8 : kLabel;
    const bool small = height < 16;
    if (small) {
        paintLight(cr, 3, 3, 3, height - 6, look.light, lit);
        text(cr, look.line1, 16.5, height / 2.0, 7, label, true);
    } else {
        paintLight(cr, 5, 3, width - 10, 2, look.light, lit);
        if (*look.line2) {
            text(cr, look.line1, width / 2.0, 10, 6.5, label, true, Align::Centre, 0.3);
            text(cr, look.line2, width / 2.0, 16.5, 6.5, label, true, Align::Centre, 0.3);
        } else {
            text(cr, look.line1, width / 2.0, 13, 7, label, true, Align::Centre, 0.4);
        }
    }
}

}  // namespace artwork
