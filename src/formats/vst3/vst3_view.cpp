#include "formats/vst3/vst3_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "editor/layout.h"
#include "formats/in_process/stored_settings.h"
#include "formats/vst3/vst3_controller.h"

namespace velmorin::vst3 {

void PlugView::takeStoredSettings(Effect& effect) {
    velmorin::takeStoredSettings(effect, services().preferences);
}

PlugView::PlugView(Controller& controller)
    : controller_(controller),
      controls_(controller),
      editor_(controls_, services()),
      windowing_(makeWindowing()) {
    static const Steinberg_IPlugViewVtbl view = {
        queryFace, addRefFace, releaseFace, supported, attached, removed,   onWheel,  onKey,
        onKey,     getSize,    onSize,      onFocus,   setFrame, canResize, checkSize};
    static const Steinberg_IPlugViewContentScaleSupportVtbl scale = {queryFace, addRefFace,
                                                                     releaseFace, setScale};
    view_ = {&view, this};
    scale_ = {&scale, this};
    // The view may outlive the host's last reference to the controller.
    controller_.addRef();
    // The user's size choice: the host fits its window, or the editor stays.
    editor_.setHostResize([this](int, int) { return askResize(); });
}

PlugView::~PlugView() {
    close();
    controller_.release();
}

void* PlugView::faceFor(const Steinberg_TUID iid) {
    if (sameId(iid, Steinberg_IPlugView_iid)) return &view_;
    if (sameId(iid, Steinberg_IPlugViewContentScaleSupport_iid)) return &scale_;
    return nullptr;
}

Steinberg_tresult PlugView::supported(void*, Steinberg_FIDString type) {
    return type != nullptr && std::strcmp(type, kPlatformType) == 0 ? Steinberg_kResultTrue
                                                                    : Steinberg_kResultFalse;
}

Steinberg_tresult PlugView::attached(void* face, void* parent, Steinberg_FIDString type) {
    PlugView& self = ownerOf<PlugView>(face);
    if (parent == nullptr || supported(face, type) != Steinberg_kResultTrue)
        return Steinberg_kInvalidArgument;
    if (self.editor_.isOpen()) return Steinberg_kResultFalse;
    if (!self.editor_.open(self.windowing_->parent(parent))) return Steinberg_kResultFalse;
    self.windowing_->opened(self.frame_, self.editor_);
    // Shown at once, not only at the host's next tick.
    self.windowing_->changed();
    return Steinberg_kResultOk;
}

Steinberg_tresult PlugView::removed(void* face) {
    PlugView& self = ownerOf<PlugView>(face);
    if (!self.editor_.isOpen()) return Steinberg_kResultFalse;
    self.close();
    return Steinberg_kResultOk;
}

Steinberg_tresult PlugView::onWheel(void*, float) {
    return Steinberg_kResultFalse;
}

Steinberg_tresult PlugView::onKey(void*, Steinberg_char16, Steinberg_int16, Steinberg_int16) {
    return Steinberg_kResultFalse;
}

Steinberg_tresult PlugView::getSize(void* face, Steinberg_ViewRect* rect) {
    if (rect == nullptr) return Steinberg_kInvalidArgument;
    *rect = ownerOf<PlugView>(face).size();
    return Steinberg_kResultOk;
}

// The editor's size follows its scale, never a host's drag: only that size
// is taken.
Steinberg_tresult PlugView::onSize(void* face, Steinberg_ViewRect* rect) {
    if (rect == nullptr) return Steinberg_kInvalidArgument;
    const Steinberg_ViewRect own = ownerOf<PlugView>(face).size();
    // In 64 bits: a host's corners may lie anywhere.
    const int64_t width = int64_t{rect->right} - rect->left;
    const int64_t height = int64_t{rect->bottom} - rect->top;
    return width == own.right && height == own.bottom ? Steinberg_kResultOk
                                                      : Steinberg_kResultFalse;
}

Steinberg_tresult PlugView::onFocus(void*, Steinberg_TBool) {
    return Steinberg_kResultOk;
}

Steinberg_tresult PlugView::setFrame(void* face, Steinberg_IPlugFrame* frame) {
    ownerOf<PlugView>(face).frame_ = frame;
    return Steinberg_kResultOk;
}

Steinberg_tresult PlugView::canResize(void*) {
    return Steinberg_kResultFalse;
}

Steinberg_tresult PlugView::checkSize(void* face, Steinberg_ViewRect* rect) {
    if (rect == nullptr) return Steinberg_kInvalidArgument;
    const Steinberg_ViewRect own = ownerOf<PlugView>(face).size();
    // The corner stays where the host put it, unless the size would not fit.
    rect->left = std::min(rect->left, INT32_MAX - own.right);
    rect->top = std::min(rect->top, INT32_MAX - own.bottom);
    rect->right = rect->left + own.right;
    rect->bottom = rect->top + own.bottom;
    return Steinberg_kResultOk;
}

// Sets the scale where the user's "Size" choice is Automatic; the host is
// asked to fit its window when the size moves.
Steinberg_tresult PlugView::setScale(void* face, float factor) {
    PlugView& self = ownerOf<PlugView>(face);
    if (services().scales == nullptr || !std::isfinite(factor) || factor <= 0.0f)
        return Steinberg_kResultFalse;
    const Steinberg_ViewRect before = self.size();
    self.editor_.setHostScaleFactor(factor);
    const Steinberg_ViewRect after = self.size();
    if (self.editor_.isOpen() && (after.right != before.right || after.bottom != before.bottom))
        self.askResize();
    self.windowing_->changed();
    return Steinberg_kResultOk;
}

Steinberg_ViewRect PlugView::size() const {
    return {0, 0, static_cast<Steinberg_int32>(editor_.scale().device(kEditorWidth)),
            static_cast<Steinberg_int32>(editor_.scale().device(kEditorHeight))};
}

void PlugView::close() {
    if (!editor_.isOpen()) return;
    // The host stops ticking before the windows may go with the last editor.
    windowing_->closing();
    // A closed editor leaves its window to its host window, but the host may
    // keep that window for another view: it goes now.
    platform::WindowServices& windows = editor_.platform().windows;
    const platform::WindowHandle window = editor_.view().window;
    editor_.close();
    if (windows.isWindow(window)) windows.destroyWindow(window);
    windowing_->changed();
}

bool PlugView::askResize() {
    if (frame_ == nullptr) return false;
    Steinberg_ViewRect rect = size();
    return call(frame_, &Steinberg_IPlugFrameVtbl::resizeView, view(), &rect) ==
           Steinberg_kResultOk;
}

}  // namespace velmorin::vst3
