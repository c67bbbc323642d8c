#include "editor/shared_editor_resources.h"

#include <algorithm>

namespace velmorin {
namespace {

// In the order the first open loads them.
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

SharedEditorResources& SharedEditorResources::process() {
    static SharedEditorResources resources;
    return resources;
}

bool SharedEditorResources::acquire(const EditorPlatform& platform,
                                    platform::WindowProcedure procedure) {
    if (openEditorCount_ > 0) {
        ++openEditorCount_;
        return true;
    }
    platform.windows.initCommonControls();
    if (!platform.windows.registerWindowClass(kWindowClass, procedure)) return false;
    openEditorCount_ = 1;
    windows_ = &platform.windows;
    create(platform);
    return true;
}

void SharedEditorResources::create(const EditorPlatform& platform) {
    for (std::size_t i = 0; i < kSharedBitmaps.size(); ++i)
        bitmaps_[i] = platform.graphics.loadBitmap(kSharedBitmaps[i]);
    if (!bitmaps_[slotOf(kBitmapSkin)])
        platform.windows.messageBox({}, "Not enough memory !", "Error");
    // Like a device context without its bitmap, a missing bitmap draws nothing.
    for (auto& bitmap : bitmaps_)
        if (!bitmap) bitmap = platform.graphics.createSurface(0, 0);
    cornerHighlight_ = CornerHighlight(highlightSource());

    font_ = platform.graphics.createFont(kEditorFont);
    if (!font_) font_ = std::make_unique<platform::Font>(kEditorFont);
    redPen_ = platform.graphics.createPen(platform::rgb(200, 0, 0));
    greenPen_ = platform.graphics.createPen(platform::rgb(0, 160, 0));
    bluePen_ = platform.graphics.createPen(platform::rgb(110, 131, 241));
    blackPen_ = platform.graphics.createPen(platform::rgb(0, 0, 0));
    whiteBrush_ = platform.graphics.createBrush(platform::rgb(255, 255, 255));
    blackBrush_ = platform.graphics.createBrush(platform::rgb(0, 0, 0));
}

void SharedEditorResources::release() {
    if (openEditorCount_ <= 0) return;
    if (--openEditorCount_ > 0) return;
    // Destroying a window may reach the window procedure, which still finds
    // the window services here.
    for (int slot = 0; slot <= highestSlot_; ++slot)
        if (windows_->isWindow(windowTable_[slot])) windows_->destroyWindow(windowTable_[slot]);
    // Every handle left is dead now; forgetting them keeps none that a later
    // window could share.
    windowTable_.fill({});
    highestSlot_ = 0;
    destroy();
}

void SharedEditorResources::destroy() {
    for (auto& bitmap : bitmaps_) bitmap.reset();
    cornerHighlight_ = CornerHighlight();
    font_.reset();
    redPen_.reset();
    greenPen_.reset();
    bluePen_.reset();
    blackPen_.reset();
    whiteBrush_.reset();
    blackBrush_.reset();
    windows_->unregisterWindowClass(kWindowClass);
    windows_ = nullptr;
}

bool SharedEditorResources::enterWindow(platform::WindowHandle window) {
    for (int slot = 0; slot < kWindowTableSize; ++slot) {
        if (windows_ && windows_->isWindow(windowTable_[slot])) continue;
        windowTable_[slot] = window;
        highestSlot_ = std::max(highestSlot_, slot);
        return true;
    }
    return false;
}

platform::WindowHandle SharedEditorResources::windowInSlot(int slot) const {
    return slot >= 0 && slot < kWindowTableSize ? windowTable_[slot] : platform::WindowHandle{};
}

const platform::Canvas& SharedEditorResources::bitmap(BitmapId id) const {
    return *bitmaps_[slotOf(id)];
}

}  // namespace velmorin
