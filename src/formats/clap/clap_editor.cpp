#include "formats/clap/clap_editor.h"

#include <cmath>

#include "editor/layout.h"
#include "formats/in_process/stored_settings.h"

namespace velmorin::clap_format {

void ClapEditor::takeStoredSettings(Effect& effect) {
    velmorin::takeStoredSettings(effect, services().preferences);
}

ClapEditor::ClapEditor(ClapEffect& effect)
    : windowing_(makeWindowing(effect.host())),
      controls_(effect.effect(), effect.gestures(), effect.host()),
      editor_(controls_, services()) {
    // The user's size choice: the host fits its window, or the editor stays.
    editor_.setHostResize([&host = effect.host()](int width, int height) {
        return host.requestResize(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    });
}

ClapEditor::~ClapEditor() {
    // The host stops ticking before the windows may go with the last editor.
    windowing_->closing();
    // A closed editor leaves its window to its host window, but a CLAP host
    // may keep that window for another editor: it goes now.
    platform::WindowServices& windows = editor_.platform().windows;
    const platform::WindowHandle window = editor_.view().window;
    editor_.close();
    if (windows.isWindow(window)) windows.destroyWindow(window);
    windowing_->changed();
}

bool ClapEditor::open(const clap_window_t& window) {
    if (editor_.isOpen()) return true;
    if (!editor_.open(windowing_->parent(window))) return false;
    windowing_->opened(editor_);
    // Shown at once, not only at the host's next tick.
    windowing_->changed();
    return true;
}

bool ClapEditor::show(bool visible) {
    if (!editor_.isOpen()) return false;
    editor_.platform().windows.showWindow(editor_.view().window, visible);
    windowing_->changed();
    return true;
}

bool ClapEditor::setScale(double factor) {
    if (services().scales == nullptr || !std::isfinite(factor) || factor <= 0.0) return false;
    editor_.setHostScaleFactor(factor);
    windowing_->changed();
    return true;
}

uint32_t ClapEditor::width() const {
    return static_cast<uint32_t>(editor_.scale().device(kEditorWidth));
}

uint32_t ClapEditor::height() const {
    return static_cast<uint32_t>(editor_.scale().device(kEditorHeight));
}

void ClapEditor::tick() {
    windowing_->tick(editor_);
}

}  // namespace velmorin::clap_format
