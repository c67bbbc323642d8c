// The editor as an IPlugView (with IPlugViewContentScaleSupport), embedded
// in the host's window. What every platform shares is here; the platform's
// part (Windowing) is one file each:
// - X11 (vst3_view_x11.cpp): in the host's X11EmbedWindowID; no thread of
//   ours pumps the module's X windows: the host's Linux::IRunLoop does, with
//   a timer at the editor's timer period and a handler on the X connection.
// - Win32 (vst3_view_win32.cpp): a child window of the host's HWND, ticked
//   by its own Win32 timer in the host's message loop.
#pragma once

#include <vst3_c_api.h>

#include <memory>

#include "editor/ad_editor.h"
#include "formats/vst3/vst3_controls.h"
#include "formats/vst3/vst3_object.h"

namespace velmorin::vst3 {

class Controller;

class PlugView final : public Object {
  public:
    // The platform's part of one attached editor.
    class Windowing {
      public:
        virtual ~Windowing() = default;
        // The host's window as the platform's window services name a parent.
        virtual void* parent(void* hostWindow) const { return hostWindow; }
        // The editor's window has opened (its frame offers the host's
        // services) / is about to close.
        virtual void opened(Steinberg_IPlugFrame*, const ADEditor&) {}
        virtual void closing() {}
        // The editor's windows changed: what keeps them going shows it now.
        virtual void changed() {}
    };

    // The platform type the editor embeds in (kPlatformType*).
    static const char* const kPlatformType;

    // A new instance's normalize target and DC removal, as the user last
    // chose them; the processor and the controller both start from them.
    static void takeStoredSettings(Effect& effect);

    explicit PlugView(Controller& controller);
    ~PlugView() override;

    Steinberg_IPlugView* view() { return view_.as<Steinberg_IPlugView>(); }

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    // Each platform's file defines these two.
    static const EditorPlatform& services();
    static std::unique_ptr<Windowing> makeWindowing();

    static Steinberg_tresult SMTG_STDMETHODCALLTYPE supported(void*, Steinberg_FIDString);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE attached(void*, void*, Steinberg_FIDString);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE removed(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE onWheel(void*, float);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE onKey(void*, Steinberg_char16, Steinberg_int16,
                                                          Steinberg_int16);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE getSize(void*, Steinberg_ViewRect*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE onSize(void*, Steinberg_ViewRect*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE onFocus(void*, Steinberg_TBool);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setFrame(void*, Steinberg_IPlugFrame*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE canResize(void*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE checkSize(void*, Steinberg_ViewRect*);
    static Steinberg_tresult SMTG_STDMETHODCALLTYPE setScale(void*, float);

    Steinberg_ViewRect size() const;
    void close();
    // Asks the host to fit its window to the editor's size.
    bool askResize();

    Controller& controller_;
    Vst3Controls controls_;
    ADEditor editor_;
    std::unique_ptr<Windowing> windowing_;
    Steinberg_IPlugFrame* frame_ = nullptr;

    Face view_;
    Face scale_;
};

}  // namespace velmorin::vst3
