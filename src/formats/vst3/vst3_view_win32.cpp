// The VST3 editor's Win32 part: a child window of the host's HWND, drawn
// with GDI. The editor's own timer (SetTimer, as for the VST 2.4 editor) and
// USER32's painting run in the host's message loop: nothing to pump.
#include "formats/vst3/vst3_view.h"
#include "formats/win32/win32_editor_platform.h"

namespace velmorin::vst3 {

const char* const PlugView::kPlatformType = Steinberg_kPlatformTypeHWND;

const EditorPlatform& PlugView::services() {
    return Win32EditorPlatform::process().services;
}

std::unique_ptr<PlugView::Windowing> PlugView::makeWindowing() {
    return std::make_unique<Windowing>();
}

}  // namespace velmorin::vst3
