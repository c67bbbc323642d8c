#include "editor/shared_drawing.h"

#include <algorithm>

namespace velmorin {
namespace {

// In the order an open loads them.
constexpr std::array<BitmapId, 15> kSharedBitmaps{
    kBitmapSkin,        kBitmapNormalizeLit,   kBitmapBandOnLit,     kBitmapDitherLit,
    kBitmapBypassLit,   kBitmapOutputMeterLit, kBitmapGainMeterLit,  kBitmapLookAheadLit,
    kBitmapCapStandard, kBitmapCapThreshold,   kBitmapCapLimiter,    kBitmapHighlight,
    kBitmapCapZoom,     kBitmapBandBypassLit,  kBitmapBandAttackLit,
};

const platform::FontRequest kEditorFont{"Arial", 14, 5, 400};

int slotOf(BitmapId id) {
    const auto it = std::find(kSharedBitmaps.begin(), kSharedBitmaps.end(), id);
    return it == kSharedBitmaps.end() ? -1 : static_cast<int>(it - kSharedBitmaps.begin());
}

}  // namespace

SharedDrawing::SharedDrawing(platform::Graphics& graphics, platform::WindowServices& windows) {
    for (std::size_t i = 0; i < kSharedBitmaps.size(); ++i)
        bitmaps_[i] = graphics.loadBitmap(kSharedBitmaps[i]);
    if (!bitmaps_[slotOf(kBitmapSkin)]) windows.messageBox({}, "Not enough memory !", "Error");
    // Like a device context without its bitmap, a missing bitmap draws nothing.
    for (auto& bitmap : bitmaps_)
        if (!bitmap) bitmap = graphics.createSurface(0, 0);
    cornerHighlight_ = CornerHighlight(highlightSource());

    font_ = graphics.createFont(kEditorFont);
    if (!font_) font_ = std::make_unique<platform::Font>(kEditorFont);
    redPen_ = graphics.createPen(platform::rgb(200, 0, 0));
    greenPen_ = graphics.createPen(platform::rgb(0, 160, 0));
    bluePen_ = graphics.createPen(platform::rgb(110, 131, 241));
    blackPen_ = graphics.createPen(platform::rgb(0, 0, 0));
    whiteBrush_ = graphics.createBrush(platform::rgb(255, 255, 255));
    blackBrush_ = graphics.createBrush(platform::rgb(0, 0, 0));
}

const platform::Canvas& SharedDrawing::bitmap(BitmapId id) const {
    return *bitmaps_[slotOf(id)];
}

}  // namespace velmorin
