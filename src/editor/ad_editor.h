// The plug-in's editor: a fixed 654 x 431 child window in a window of the
// host, drawn from the shared bitmaps, driven by its own timer. It reaches its
// effect only through EffectControls; a format's glue owns it and hands the
// host's editor requests to it. Its view state lives as long as the editor.
#pragma once

#include "editor/editor_platform.h"
#include "editor/editor_view.h"
#include "editor/effect_controls.h"
#include "editor/information_window.h"

namespace velmorin {

class ADEditor {
  public:
    // Both must outlive the editor. The editor window's user data is
    // `windowUserData` (a format may promise its host what it finds there),
    // else the editor itself.
    ADEditor(EffectControls& effect, const EditorPlatform& platform,
             void* windowUserData = nullptr);
    // Closes the editor if the host left it open, so that no window or timer
    // outlives the editor its user data points to.
    virtual ~ADEditor();
    ADEditor(const ADEditor&) = delete;
    ADEditor& operator=(const ADEditor&) = delete;

    // False when the window class cannot be registered or the window cannot
    // be created; a second open while open keeps the open window.
    virtual bool open(void* parentWindow);
    // Does nothing unless open.
    void close();
    // Open while the view holds its window, whatever parent the host gave.
    bool isOpen() const { return static_cast<bool>(view_.window); }

    // Copies the stored parameter values into the controls; nothing while
    // closed.
    virtual void refresh();

    // Paints the window of an open editor; nothing while closed.
    void onPaint();
    // Runs the display tick of an open editor; nothing while closed.
    void onDisplayTick();

    const EditorView& view() const { return view_; }
    EditorView& view() { return view_; }
    EffectControls& effect() const { return effect_; }
    const void* windowUserData() const { return windowUserData_; }
    const EditorPlatform& platform() const { return platform_; }
    // The effect's information window, which may outlive the editor window.
    InformationWindow& information() { return information_; }

  private:
    void deleteWavePens();

    EffectControls& effect_;
    EditorPlatform platform_;
    void* windowUserData_;
    EditorView view_;
    InformationWindow information_;
};

}  // namespace velmorin
