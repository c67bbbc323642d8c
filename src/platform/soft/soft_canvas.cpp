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
    // Only the part inside both canvases moves; the display tick copies a
    // lot, so rows are read whole and the clip is asked only when there is
    // one.
    const int left = std::max({0, -srcX, -dstX});
    const int top = std::max({0, -srcY, -dstY});
    const int right = std::min({w, src.width - srcX, target_->width - dstX});
    const int bottom = std::min({h, src.height - srcY, target_->height - dstY});
    if (left >= right || top >= bottom) return;
    const int columns = right - left;
    // Read the whole source block first: a canvas may copy onto itself.
    std::vector<Colour> block(static_cast<std::size_t>(columns) * (bottom - top));
    for (int y = top; y < bottom; ++y)
        std::copy_n(
            src.pixels.begin() + static_cast<std::ptrdiff_t>(srcY + y) * src.width + srcX + left,
            columns, block.begin() + static_cast<std::ptrdiff_t>(y - top) * columns);

    const bool clipped = !excluded_.empty();
    const Colour* read = block.data();
    for (int y = dstY + top; y < dstY + bottom; ++y) {
        Colour* row = &target_->at(0, y);
        for (int x = dstX + left; x < dstX + right; ++x, ++read) {
            const Colour s = *read;
            if (s == kInvalidColour || (clipped && !drawable(x, y))) continue;
            Colour& d = row[x];
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
    const bool clipped = !excluded_.empty();
    for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, target_->height); ++y)
        for (int x = std::max(rect.left, 0); x < std::min(rect.right, target_->width); ++x)
            if (!clipped || drawable(x, y)) target_->at(x, y) = brush.colour();
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
