#include "snapshot/editor_snapshot.h"

#include <stdexcept>

#include "editor/ad_editor.h"
#include "editor/editor_timer.h"
#include "platform/soft/headless_windows.h"
#include "platform/soft/soft_graphics.h"
#include "resources/embedded_bitmaps.h"
#include "shell/adelay_edit.h"

namespace velmorin::snapshot {
namespace {

class DefaultPreferences : public platform::PreferenceStore {
  public:
    void read(platform::PreferenceRecord&) override {}
    void write(const platform::PreferenceRecord&) override {}
};

}  // namespace

platform::PixelBuffer snapshotEditor(const std::function<void(ADelayEdit&)>& prepare) {
    platform::HeadlessWindows windows;
    platform::SoftGraphics graphics(findEmbeddedBitmap);
    DefaultPreferences preferences;
    EditorPlatform platform{graphics, windows, preferences};
    int hostWindow = 0;

    // The effect goes before the services its editor uses.
    ADelayEdit effect(nullptr, [&](ADelayEdit& e) { return new ADEditor(e, platform); });
    prepare(effect);
    auto* editor = static_cast<ADEditor*>(effect.getEditor());
    if (!editor || !editor->open(&hostWindow))
        throw std::runtime_error("the editor could not be opened");
    const platform::WindowHandle window = editor->view().window;
    windows.advance(timerPeriodMs(editor->view().prefs.displaySpeed));
    windows.invalidate(window);
    windows.updateWindow(window);
    platform::PixelBuffer pixels = *windows.clientPixels(window);
    editor->close();
    return pixels;
}

}  // namespace velmorin::snapshot
