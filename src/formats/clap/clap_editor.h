// One instance's editor in a window of its host. What every platform shares
// is here: the editor with its door (ClapControls), opened in the host's
// window, shown, hidden, and its window gone with it. What differs is the
// platform's part (Windowing), one per editor:
// - X11 (clap_editor_x11.cpp): no thread of ours pumps the module's X
//   windows. The host's timer (at the editor's timer period) and its watch
//   on the X connection do, through timer-support and posix-fd-support, as
//   effEditIdle does for VST 2.4; a host with neither gets nothing pumped
//   beyond the calls of the gui extension itself.
// - Win32 (clap_editor_win32.cpp): the editor ticks itself with its own Win32
//   timer, run by the host's message loop as for the VST 2.4 editor; the
//   host need not offer timer-support.
#pragma once

#include <clap/ext/gui.h>

#include <memory>

#include "editor/ad_editor.h"
#include "formats/clap/clap_controls.h"
#include "formats/clap/clap_effect.h"

namespace velmorin::clap_format {

class ClapEditor : public ClapEffect::EditorState {
  public:
    // The platform's part of one editor.
    class Windowing {
      public:
        virtual ~Windowing() = default;
        // The host's window as the platform's window services name a parent.
        virtual void* parent(const clap_window_t& window) const = 0;
        // The editor's window has opened / is about to close.
        virtual void opened(const ADEditor&) {}
        virtual void closing() {}
        // The editor's windows changed: what keeps them going shows it now.
        virtual void changed() {}
        // The host's timer or descriptor fired.
        virtual void tick(const ADEditor&) {}
    };

    // The window API the editor embeds in on this platform (CLAP_WINDOW_API_*).
    static const char* const kWindowApi;
    // Whether the host drives the editor through timer-support and
    // posix-fd-support (X11), so the plug-in offers those extensions.
    static const bool kTickedByHost;

    // A new instance's normalize target and DC removal: the ones the user
    // last chose in an editor's menu. A session's state replaces them.
    static void takeStoredSettings(Effect& effect);

    explicit ClapEditor(ClapEffect& effect);
    ~ClapEditor() override;

    // In the host's window of the platform's API; false when no window can
    // be made. A second call while open keeps the open window.
    bool open(const clap_window_t& window);
    bool show(bool visible);
    void tick();
    // The host's scale factor; false where the editor draws at one scale
    // only (Windows, for now) or the factor is no scale.
    bool setScale(double factor);
    // The editor's size in pixels at the scale it is (or will be) drawn at.
    uint32_t width() const;
    uint32_t height() const;

  private:
    // Each platform's file defines these two.
    static const EditorPlatform& services();
    static std::unique_ptr<Windowing> makeWindowing(const HostServices& host);

    std::unique_ptr<Windowing> windowing_;
    ClapControls controls_;
    ADEditor editor_;
};

}  // namespace velmorin::clap_format
