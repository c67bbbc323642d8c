// The CLAP editor's Win32 part: a child window of the host's HWND, drawn with
// GDI. The editor's own timer (SetTimer, as for the VST 2.4 editor) and
// USER32's painting run in the host's message loop: nothing to pump, and the
// host need offer no timers.
#include "formats/clap/clap_editor.h"
#include "formats/win32/win32_editor_platform.h"

namespace velmorin::clap_format {

namespace {

class Win32Windowing : public ClapEditor::Windowing {
  public:
    void* parent(const clap_window_t& window) const override { return window.win32; }
};

}  // namespace

const char* const ClapEditor::kWindowApi = CLAP_WINDOW_API_WIN32;
const bool ClapEditor::kTickedByHost = false;

const EditorPlatform& ClapEditor::services() {
    return Win32EditorPlatform::process().services;
}

std::unique_ptr<ClapEditor::Windowing> ClapEditor::makeWindowing(const HostServices&) {
    return std::make_unique<Win32Windowing>();
}

}  // namespace velmorin::clap_format
