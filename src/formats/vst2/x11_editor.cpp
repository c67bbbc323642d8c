#include "formats/vst2/x11_editor.h"

#include "formats/vst2/adelay_edit.h"
#include "formats/vst2/vst2_editor.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/soft_graphics.h"
#include "platform/x11/x11_windows.h"
#include "resources/embedded_bitmaps.h"

namespace velmorin {
namespace {

// What every editor of the process shares; it outlives them all, as it is
// destroyed only when the library is unloaded.
struct X11Platform {
    platform::x11::X11Windows windows;
    platform::SoftGraphics graphics{findEmbeddedBitmap};
    platform::FilePreferenceStore preferences{platform::FilePreferenceStore::defaultLocation()};
    EditorPlatform services{graphics, windows, preferences};

    static X11Platform& process() {
        static X11Platform platform;
        return platform;
    }
};

class X11Editor : public Vst2Editor {
  public:
    explicit X11Editor(ADelayEdit& effect) : Vst2Editor(effect, X11Platform::process().services) {}

    bool open(void* parentWindow) override {
        const bool opened = Vst2Editor::open(parentWindow);
        // Shown at once, not only at the host's next idle call.
        X11Platform::process().windows.pump();
        return opened;
    }
    void idle() override { X11Platform::process().windows.pump(); }
};

}  // namespace

AEffEditor* makeX11Editor(ADelayEdit& effect) {
    return new X11Editor(effect);
}

}  // namespace velmorin
