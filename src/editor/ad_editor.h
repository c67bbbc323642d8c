// The plug-in's editor: a 654 x 431 child window in a window of the host (in
// logical pixels, drawn at the scale the user, host or system asks for),
// drawn from the shared bitmaps, driven by its own timer. It reaches its
// effect only through EffectControls; a format's glue owns it and hands the
// host's editor requests to it. Its view state lives as long as the editor.
#pragma once

#include <functional>
#include <optional>

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
    // be created; a second open while open keeps the open window. When the
    // window's place draws at another scale than scale() gave while closed,
    // the host is asked to fit it.
    virtual bool open(void* parentWindow);
    // Does nothing unless open.
    void close();
    // Open while the view holds its window, whatever parent the host gave.
    bool isOpen() const { return static_cast<bool>(view_.window); }

    // The scale the open editor is drawn at; while closed, the one it would
    // open at.
    platform::Scale scale() const;
    // Draws the open editor at the scale its size choice (in the view's
    // preferences) now gives: the host is asked to follow first, and the
    // drawing is made again at the new scale. False, with the editor as it
    // was, when the host refuses.
    bool followSizeChoice();
    // The factor the host asks the editor to draw at (LV2 ui:scaleFactor,
    // CLAP set_scale), or none; the user's size choice still comes first.
    // An open editor follows at once, without asking the host to resize.
    void setHostScaleFactor(std::optional<double> factor);
    // How the editor asks its host to fit the window it is in to a new
    // size in device pixels; true when the host did. Without one the editor
    // resizes alone.
    void setHostResize(std::function<bool(int width, int height)> resize) {
        hostResize_ = std::move(resize);
    }

    // Copies the stored parameter values into the controls; nothing while
    // closed.
    virtual void refresh();
    // The host's values arrived after opening (see applyHostValues);
    // nothing while closed.
    void takeHostValues();

    // Paints the window of an open editor; nothing while closed.
    void onPaint();
    // Runs the display tick of an open editor; nothing while closed.
    void onDisplayTick();

    const EditorView& view() const { return view_; }
    EditorView& view() { return view_; }
    EffectControls& effect() const { return effect_; }
    const void* windowUserData() const { return windowUserData_; }
    // The services, with the graphics of the scale the editor is drawn at.
    const EditorPlatform& platform() const { return *platform_; }
    // The effect's information window, which may outlive the editor window.
    InformationWindow& information() { return information_; }

  private:
    platform::Scale scaleOfChoice(std::int32_t storedChoice) const;
    void useScale(platform::Scale scale);
    void redrawAt(platform::Scale scale);
    // The drawing objects of the current scale: surfaces, controls, value
    // boxes and pens.
    void openDrawing();
    void closeDrawing();
    void deleteWavePens();

    EffectControls& effect_;
    const EditorPlatform base_;
    std::optional<EditorPlatform> platform_;
    platform::Scale scale_;
    std::optional<double> hostScaleFactor_;
    std::function<bool(int, int)> hostResize_;
    void* windowUserData_;
    EditorView view_;
    InformationWindow information_;
};

}  // namespace velmorin
