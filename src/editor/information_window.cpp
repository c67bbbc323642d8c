#include "editor/information_window.h"

#include <algorithm>
#include <map>
#include <memory>

#include "editor/bitmap_ids.h"
#include "platform/window_messages.h"

namespace velmorin {

// What an information window at one scale draws with.
struct InformationDrawing {
    std::unique_ptr<platform::Canvas> picture, okButton, okButtonLit;
    std::unique_ptr<platform::Brush> blackBrush;
    std::unique_ptr<platform::Font> font;

    explicit InformationDrawing(platform::Graphics& graphics)
        : picture(graphics.loadBitmap(kBitmapInfoPicture)),
          okButton(graphics.loadBitmap(kBitmapOkButton)),
          okButtonLit(graphics.loadBitmap(kBitmapOkButtonHover)),
          blackBrush(graphics.createBrush(platform::rgb(0, 0, 0))),
          font(graphics.createFont({"Arial", 15, 0, 700})) {}
};

namespace {

constexpr int kWidth = 398;
constexpr int kHeight = 224;
constexpr platform::Point kOffsetFromOwner{118, 104};
constexpr platform::Point kPicturePlace{173, 0};
constexpr platform::Point kOkPlace{7, 139};
constexpr platform::Colour kTextColour = platform::rgb(20, 115, 247);

// The part of the OK picture that acts, both bounds inclusive.
bool onOkButton(int x, int y) {
    return x >= 23 && x <= 117 && y >= 151 && y <= 175;
}

// What every information window of the process draws with, alive while any
// effect is: made at 1.0 with the first effect, at another scale when a
// window first opens at it.
struct SharedInformationResources {
    int liveEffects = 0;
    platform::WindowServices* windows = nullptr;
    bool classRegistered = false;
    std::map<int, std::unique_ptr<InformationDrawing>> byScale;  // by quarters

    void create(const EditorPlatform& platform, platform::WindowProcedure procedure) {
        windows = &platform.windows;
        classRegistered =
            platform.windows.registerWindowClass(InformationWindow::kWindowClass, procedure);
        drawingAt({}, platform.graphics);
    }
    const InformationDrawing& drawingAt(platform::Scale scale, platform::Graphics& graphics) {
        std::unique_ptr<InformationDrawing>& drawing = byScale[scale.quarters()];
        if (!drawing) drawing = std::make_unique<InformationDrawing>(graphics);
        return *drawing;
    }
    void destroy() {
        byScale.clear();
        if (classRegistered) windows->unregisterWindowClass(InformationWindow::kWindowClass);
        classRegistered = false;
        windows = nullptr;
    }
};

SharedInformationResources& shared() {
    static SharedInformationResources resources;
    return resources;
}

void drawBitmap(platform::Canvas& canvas, platform::Point at, const platform::Canvas* bitmap) {
    if (bitmap)
        canvas.copyFrom(at.x, at.y, bitmap->width(), bitmap->height(), *bitmap, 0, 0,
                        platform::RasterOp::Copy);
}

}  // namespace

InformationWindow::InformationWindow(const EditorPlatform& platform) : windows_(platform.windows) {
    if (shared().liveEffects++ == 0) shared().create(platform, procedure);
}

InformationWindow::~InformationWindow() {
    windows_.destroyWindow(window());
    if (--shared().liveEffects == 0) shared().destroy();
}

platform::WindowHandle InformationWindow::window() const {
    return windows_.isWindow(window_) ? window_ : platform::WindowHandle{};
}

void InformationWindow::show(platform::WindowHandle owner, platform::Graphics& graphics,
                             platform::Scale scale) {
    if (window()) {
        windows_.restoreAndActivate(window_);
        return;
    }
    const platform::Rect ownerRect = windows_.screenRect(owner);
    const int left = std::max(ownerRect.left, 0) + scale.device(kOffsetFromOwner.x);
    const int top = std::max(ownerRect.top, 0) + scale.device(kOffsetFromOwner.y);
    const platform::WindowHandle window = windows_.createPopupWindow(
        kWindowClass, "About Velmorin", owner, {left, top, left + kWidth, top + kHeight});
    if (!window) return;
    if (!scale.isIdentity()) windows_.resizeWindow(window, scale);
    drawing_ = &shared().drawingAt(scale, graphics);
    windows_.setUserData(window, this);
    hoverOnOk_ = false;
    window_ = window;
}

std::intptr_t InformationWindow::procedure(platform::WindowHandle window, std::uint32_t message,
                                           std::uintptr_t, std::intptr_t lParam) {
    platform::WindowServices* windows = shared().windows;
    auto* self = windows ? static_cast<InformationWindow*>(windows->userData(window)) : nullptr;
    if (!self || self->window_ != window) return 0;
    const platform::Point point = platform::pointOf(lParam);
    switch (message) {
        case platform::kMsgPaint:
            self->paint();
            break;
        case platform::kMsgMouseMove:
            self->onMouseMove(point.x, point.y);
            break;
        case platform::kMsgLeftButtonDown:
            self->onLeftButtonDown(point.x, point.y);
            break;
        case platform::kMsgDestroy:
            // Messages that still come find no window of ours.
            windows->setUserData(window, nullptr);
            self->window_ = {};
            break;
    }
    return 0;
}

void InformationWindow::paint() {
    const InformationDrawing& resources = *drawing_;
    auto canvas = windows_.beginPaint(window_);
    if (resources.blackBrush)
        canvas->fillRect({0, 0, canvas->width(), canvas->height()}, *resources.blackBrush);
    drawBitmap(*canvas, kPicturePlace, resources.picture.get());
    drawOkButton(*canvas);
    if (!resources.font) return;
    canvas->drawCentredText("Velmorin 1.5", {22, 18, 247, 36}, kTextColour, *resources.font);
    canvas->drawCentredText("Three-band mastering dynamics", {22, 38, 247, 56}, kTextColour,
                            *resources.font);
    canvas->drawCentredText("VST PlugIn Technology by Steinberg", {22, 58, 247, 76}, kTextColour,
                            *resources.font);
}

void InformationWindow::drawOkButton(platform::Canvas& canvas) const {
    const InformationDrawing& resources = *drawing_;
    drawBitmap(canvas, kOkPlace,
               hoverOnOk_ ? resources.okButtonLit.get() : resources.okButton.get());
}

void InformationWindow::onMouseMove(int x, int y) {
    const bool hover = onOkButton(x, y);
    if (hover == hoverOnOk_) return;
    hoverOnOk_ = hover;
    auto canvas = windows_.windowCanvas(window_);
    drawOkButton(*canvas);
}

void InformationWindow::onLeftButtonDown(int x, int y) {
    if (onOkButton(x, y)) windows_.destroyWindow(window_);
}

}  // namespace velmorin
