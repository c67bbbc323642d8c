// The small pop-up with the product picture, two lines about the product and
// the credit line; its OK button closes it. An effect has at most one; it is
// owned by the editor window but outlives the editor's close. What all of
// them draw with is made when the first effect is built and freed when the
// last one goes.
#pragma once

#include "editor/editor_platform.h"

namespace velmorin {

struct InformationDrawing;

class InformationWindow {
  public:
    static constexpr const char* kWindowClass = "VelmorinAbout";

    // Counts one more live effect; the first also registers the window class
    // and makes the bitmaps, brush and font.
    explicit InformationWindow(const EditorPlatform& platform);
    // Destroys this effect's window, so no message reaches freed state; the
    // last effect also frees what all of them share.
    ~InformationWindow();
    InformationWindow(const InformationWindow&) = delete;
    InformationWindow& operator=(const InformationWindow&) = delete;

    // Restores and activates the window if it exists; otherwise opens it at
    // (118, 104) from the owner's top-left corner, kept on the screen, drawn
    // at `scale` (the owner's) with `graphics` of that scale.
    void show(platform::WindowHandle owner, platform::Graphics& graphics, platform::Scale scale);

    // None once the window is destroyed.
    platform::WindowHandle window() const;
    bool hoverOnOk() const { return hoverOnOk_; }

  private:
    static std::intptr_t procedure(platform::WindowHandle window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam);
    void paint();
    void drawOkButton(platform::Canvas& canvas) const;
    void onMouseMove(int x, int y);
    void onLeftButtonDown(int x, int y);

    platform::WindowServices& windows_;
    platform::WindowHandle window_;
    // What the open window draws with, at its scale.
    const InformationDrawing* drawing_ = nullptr;
    bool hoverOnOk_ = false;
};

}  // namespace velmorin
