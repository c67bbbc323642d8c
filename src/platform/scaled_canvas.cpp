#include "platform/scaled_canvas.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// For each device pixel of the logical span [dst, dst + n): the device
// pixel of the source span [src, src + n) it takes, within the same logical
// pixel's cell.
std::vector<int> cellSources(Scale scale, int dst, int src, int n) {
    std::vector<int> sources;
    for (int i = 0; i < n; ++i) {
        const int srcStart = scale.device(src + i);
        const int srcLast = scale.device(src + i + 1) - 1;
        const int dstStart = scale.device(dst + i);
        for (int d = dstStart; d < scale.device(dst + i + 1); ++d)
            sources.push_back(std::min(srcStart + (d - dstStart), srcLast));
    }
    return sources;
}

// The same, with the source span moved whole: its device pixels keep their
// neighbours, and where the destination is a pixel longer the last repeats.
std::vector<int> shiftedSources(Scale scale, int dst, int src, int n) {
    const int srcStart = scale.device(src);
    const int srcLast = scale.device(src + n) - 1;
    const int dstStart = scale.device(dst);
    std::vector<int> sources;
    for (int d = dstStart; d < scale.device(dst + n); ++d)
        sources.push_back(std::min(srcStart + (d - dstStart), srcLast));
    return sources;
}

// Consecutive destination pixels whose sources are consecutive as well:
// each run is one device copy, so a device with costly pixel access (GDI)
// copies a few rectangles rather than every pixel.
struct Run {
    int first;   // in the destination span
    int source;  // its source pixel
    int length;
};

std::vector<Run> runsOf(const std::vector<int>& sources) {
    std::vector<Run> runs;
    for (int i = 0; i < static_cast<int>(sources.size()); ++i) {
        const int source = sources[static_cast<std::size_t>(i)];
        if (!runs.empty() && runs.back().source + runs.back().length == source)
            ++runs.back().length;
        else
            runs.push_back({i, source, 1});
    }
    return runs;
}

}  // namespace

ScaledCanvas::ScaledCanvas(std::unique_ptr<Canvas> device, Scale scale, int width, int height)
    : device_(std::move(device)), scale_(scale), width_(width), height_(height) {}

Rect ScaledCanvas::toDevice(const Rect& rect) const {
    return {scale_.device(rect.left), scale_.device(rect.top), scale_.device(rect.right),
            scale_.device(rect.bottom)};
}

void ScaledCanvas::copyFrom(int dstX, int dstY, int w, int h, const Canvas& source, int srcX,
                            int srcY, RasterOp op) {
    const auto* scaled = dynamic_cast<const ScaledCanvas*>(&source);
    if (!scaled || scaled->scale_ != scale_ || w <= 0 || h <= 0) return;
    if (!scale_.shiftsWhole(dstX - srcX) || !scale_.shiftsWhole(dstY - srcY)) {
        // A canvas copying onto itself scrolls its cells, which the editor
        // drew one logical pixel at a time; a picture copied elsewhere keeps
        // its device pixels together, as its glyphs and edges were drawn.
        const auto sources = scaled == this ? cellSources : shiftedSources;
        std::vector<Run> columns = runsOf(sources(scale_, dstX, srcX, w));
        std::vector<Run> rows = runsOf(sources(scale_, dstY, srcY, h));
        // Onto itself no run may read what an earlier one wrote: the runs
        // start on the side the block moves towards.
        if (scaled == this && dstX > srcX) std::reverse(columns.begin(), columns.end());
        if (scaled == this && dstY > srcY) std::reverse(rows.begin(), rows.end());
        const int left = scale_.device(dstX);
        const int top = scale_.device(dstY);
        for (const Run& row : rows)
            for (const Run& column : columns)
                device_->copyFrom(left + column.first, top + row.first, column.length, row.length,
                                  *scaled->device_, column.source, row.source, op);
        return;
    }
    const Rect dst = toDevice({dstX, dstY, dstX + w, dstY + h});
    device_->copyFrom(dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top,
                      *scaled->device_, scale_.device(srcX), scale_.device(srcY), op);
}

void ScaledCanvas::fillRect(const Rect& rect, const Brush& brush) {
    device_->fillRect(toDevice(rect), brush);
}

void ScaledCanvas::drawLine(int x0, int y0, int x1, int y1, const Pen& pen) {
    // The end point is not drawn: the logical span runs from the start up to
    // the end, in whichever direction the line goes.
    const auto span = [](int from, int to) {
        return from <= to ? std::pair{from, to} : std::pair{to + 1, from + 1};
    };
    if (x0 == x1 && y0 == y1) return;
    if (x0 != x1 && y0 != y1) {
        device_->drawLine(scale_.device(x0), scale_.device(y0), scale_.device(x1),
                          scale_.device(y1), pen);
        return;
    }
    const auto [left, right] = x0 == x1 ? std::pair{x0, x0 + 1} : span(x0, x1);
    const auto [top, bottom] = y0 == y1 ? std::pair{y0, y0 + 1} : span(y0, y1);
    device_->fillRect(toDevice({left, top, right, bottom}), Brush(pen.colour()));
}

Colour ScaledCanvas::pixel(int x, int y) const {
    return device_->pixel(scale_.device(x), scale_.device(y));
}

void ScaledCanvas::setPixel(int x, int y, Colour colour) {
    const Rect cell = toDevice({x, y, x + 1, y + 1});
    for (int dy = cell.top; dy < cell.bottom; ++dy)
        for (int dx = cell.left; dx < cell.right; ++dx) device_->setPixel(dx, dy, colour);
}

void ScaledCanvas::excludeClip(const Rect& rect) {
    device_->excludeClip(toDevice(rect));
}

void ScaledCanvas::removeClip() {
    device_->removeClip();
}

void ScaledCanvas::drawCentredText(std::string_view text, const Rect& rect, Colour colour,
                                   const Font& font) {
    device_->drawCentredText(text, toDevice(rect), colour, font);
}

const Canvas& devicePixels(const Canvas& canvas) {
    const auto* scaled = dynamic_cast<const ScaledCanvas*>(&canvas);
    return scaled ? scaled->device() : canvas;
}

Canvas& devicePixels(Canvas& canvas) {
    auto* scaled = dynamic_cast<ScaledCanvas*>(&canvas);
    return scaled ? scaled->device() : canvas;
}

Scale scaleOf(const Canvas& canvas) {
    const auto* scaled = dynamic_cast<const ScaledCanvas*>(&canvas);
    return scaled ? scaled->scale() : Scale();
}

}  // namespace platform
