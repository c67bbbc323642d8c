#include "platform/soft/soft_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

SoftCanvas::SoftCanvas(std::shared_ptr<PixelBuffer> target)
    : target_(target ? std::move(target) : std::make_shared<PixelBuffer>(0, 0)) {}

bool SoftCanvas::drawable(int x, int y) const {
    if (!target_->inside(x, y)) return false;
    return std::none_of(excluded_.begin(), excluded_.end(),
                        [x, y](const Rect& r) { return r.contains(x, y); });
}

void SoftCanvas::copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX,
                          int srcY, RasterOp op) {
    const auto* soft = dynamic_cast<const SoftCanvas*>(&source);
    if (!soft || w <= 0 || h <= 0) return;
    const PixelBuffer& src = soft->pixels();
    // Read the whole source block first: a canvas may copy onto itself.
    std::vector<Colour> block(static_cast<std::size_t>(w) * h, kInvalidColour);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (src.inside(srcX + x, srcY + y)) block[y * w + x] = src.at(srcX + x, srcY + y);

    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Colour s = block[y * w + x];
            if (s == kInvalidColour || !drawable(dstX + x, dstY + y)) continue;
            Colour& d = target_->at(dstX + x, dstY + y);
            switch (op) {
                case RasterOp::Copy:
                    d = s;
                    break;
                case RasterOp::And:
                    d &= s;
                    break;
                case RasterOp::Or:
                    d |= s;
                    break;
            }
        }
    }
}

void SoftCanvas::fillRect(const Rect& rect, const Brush& brush) {
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (drawable(x, y)) target_->at(x, y) = brush.colour();
}

void SoftCanvas::drawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    // Bresenham, stopping before the end point as the Windows line does.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        if (drawable(x, y)) target_->at(x, y) = pen.colour();
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

Colour SoftCanvas::pixel(int x, int y) const {
    return drawable(x, y) ? target_->at(x, y) : kInvalidColour;
}

void SoftCanvas::setPixel(int x, int y, Colour colour) {
    if (drawable(x, y)) target_->at(x, y) = colour & 0x00FFFFFFu;
}

void SoftCanvas::excludeClip(const Rect& rect) {
    if (!rect.empty()) excluded_.push_back(rect);
}

void SoftCanvas::removeClip() {
    excluded_.clear();
}

void SoftCanvas::blend(int x, int y, Colour colour, std::uint8_t coverage) {
    if (coverage == 0 || !drawable(x, y)) return;
    Colour& d = target_->at(x, y);
    const auto mix = [coverage](std::uint8_t fg, std::uint8_t bg) {
        return static_cast<std::uint8_t>((fg * coverage + bg * (255 - coverage) + 127) / 255);
    };
    d = rgb(mix(redOf(colour), redOf(d)), mix(greenOf(colour), greenOf(d)),
            mix(blueOf(colour), blueOf(d)));
}

void SoftCanvas::drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                                 const Font& font) {
    const auto* soft = dynamic_cast<const SoftFont*>(&font);
    if (!soft) return;
    const GlyphSet& set = soft->glyphs();
    int penX = (rect.left + rect.right - set.textWidth(text)) / 2;
    const int baseline = rect.top + set.ascent;
    for (char c : text) {
        const Glyph& g = set.glyph(c);
        const std::uint8_t* mask = set.coverage.data() + g.offset;
        for (int row = 0; row < g.height; ++row) {
            for (int col = 0; col < g.width; ++col) {
                const int x = penX + g.left + col;
                const int y = baseline - g.top + row;
                if (rect.contains(x, y)) blend(x, y, colour, mask[row * g.width + col]);
            }
        }
        penX += g.advance;
    }
}

}  // namespace platform
