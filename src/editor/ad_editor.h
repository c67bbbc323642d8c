// The plug-in's editor as the host reaches it: a fixed 654 x 431 child window
// in a window of the host, drawn from the shared bitmaps, driven by its own
// timer. Its view state lives as long as the effect that owns the editor.
#pragma once

#include "editor/editor_platform.h"
#include "editor/editor_view.h"
#include "editor/information_window.h"
#include "shell/aeff_editor.h"

class ADelay;

namespace velmorin {

class ADEditor : public AEffEditor {
  public:
    // Attaches itself to the effect, which from then on announces an editor.
    ADEditor(ADelay& effect, const EditorPlatform& platform);
    // Closes the editor if the host left it open, so that no window or timer
    // outlives the effect its user data points to.
    ~ADEditor() override;

    bool getRect(ERect** rect) override;
    // False when the window class cannot be registered or the window cannot
    // be created; a second open while open keeps the open window.
    bool open(void* parentWindow) override;
    // Does nothing unless open.
    void close() override;
    // Open while the view holds its window, whatever parent the host gave.
    bool isOpen() const override { return static_cast<bool>(view_.window); }

    // Copies the stored parameter values into the controls; nothing while
    // closed.
    virtual void refresh();

    // Paints the window of an open editor; nothing while closed.
    void onPaint();
    // Runs the display tick of an open editor; nothing while closed.
    void onDisplayTick();

    const EditorView& view() const { return view_; }
    EditorView& view() { return view_; }
    ADelay& delay() const;
    const EditorPlatform& platform() const { return platform_; }
    // The effect's information window, which may outlive the editor window.
    InformationWindow& information() { return information_; }

  private:
    void deleteWavePens();

    EditorPlatform platform_;
    EditorView view_;
    InformationWindow information_;
};

}  // namespace velmorin
