#include "editor/shared_editor_resources.h"

#include <algorithm>

namespace velmorin {

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
    return true;
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
    drawings_.clear();
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

const SharedDrawing& SharedEditorResources::drawingAt(platform::Scale scale,
                                                      platform::Graphics& graphics) {
    std::unique_ptr<SharedDrawing>& drawing = drawings_[scale.quarters()];
    if (!drawing) drawing = std::make_unique<SharedDrawing>(graphics, *windows_);
    return *drawing;
}

const SharedDrawing& SharedEditorResources::drawing(platform::Scale scale) const {
    return *drawings_.at(scale.quarters());
}

}  // namespace velmorin
