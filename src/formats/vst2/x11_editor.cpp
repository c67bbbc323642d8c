#include "formats/vst2/x11_editor.h"

#include "formats/vst2/adelay_edit.h"
#include "formats/vst2/vst2_editor.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin {
namespace {

class X11Editor : public Vst2Editor {
  public:
    explicit X11Editor(ADelayEdit& effect)
        : Vst2Editor(effect, X11EditorPlatform::process().services) {}

    bool open(void* parentWindow) override {
        const bool opened = Vst2Editor::open(parentWindow);
        // Shown at once, not only at the host's next idle call.
        X11EditorPlatform::process().windows.pump();
        return opened;
    }
    void idle() override { X11EditorPlatform::process().windows.pump(); }
};

}  // namespace

AEffEditor* makeX11Editor(ADelayEdit& effect) {
    return new X11Editor(effect);
}

}  // namespace velmorin
