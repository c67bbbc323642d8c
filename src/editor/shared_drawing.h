// What every open editor at one scale draws with: the fifteen shared bitmaps
// drawn for that scale, the displays' corner highlight, the font, pens and
// brushes. Made from the graphics of that scale.
#pragma once

#include <array>
#include <memory>

#include "editor/bitmap_ids.h"
#include "editor/corner_highlight.h"
#include "editor/wave_pens.h"
#include "platform/canvas.h"
#include "platform/drawing_objects.h"
#include "platform/graphics.h"
#include "platform/window_services.h"

namespace velmorin {

class SharedDrawing {
  public:
    // Loads the bitmaps; a missing skin is reported in a message box and the
    // editor draws on without it.
    SharedDrawing(platform::Graphics& graphics, platform::WindowServices& windows);
    SharedDrawing(const SharedDrawing&) = delete;
    SharedDrawing& operator=(const SharedDrawing&) = delete;

    // `id` is one of the fifteen shared bitmaps. A bitmap the module lacks
    // is an empty canvas, which draws nothing.
    const platform::Canvas& bitmap(BitmapId id) const;
    const platform::Canvas& skin() const { return bitmap(kBitmapSkin); }
    const platform::Canvas& highlightSource() const { return bitmap(kBitmapHighlight); }
    // Computed from the highlight source; without the source bitmap the
    // displays get no highlight.
    const CornerHighlight& cornerHighlight() const { return cornerHighlight_; }
    const platform::Font& font() const { return *font_; }
    const platform::Pen& redPen() const { return *redPen_; }
    const platform::Pen& greenPen() const { return *greenPen_; }
    const platform::Pen& bluePen() const { return *bluePen_; }
    const platform::Pen& blackPen() const { return *blackPen_; }
    const platform::Brush& whiteBrush() const { return *whiteBrush_; }
    const platform::Brush& blackBrush() const { return *blackBrush_; }
    SurfaceInks surfaceInks() const { return {*blackBrush_, *whiteBrush_, *blackPen_}; }

  private:
    static constexpr int kBitmapCount = 15;

    std::array<std::unique_ptr<platform::Canvas>, kBitmapCount> bitmaps_;
    CornerHighlight cornerHighlight_;
    std::unique_ptr<platform::Font> font_;
    std::unique_ptr<platform::Pen> redPen_, greenPen_, bluePen_, blackPen_;
    std::unique_ptr<platform::Brush> whiteBrush_, blackBrush_;
};

}  // namespace velmorin
