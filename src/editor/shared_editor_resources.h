// What all open editors of the process share: the window class, the drawing
// objects of each scale an editor is drawn at, and the table of editor
// windows. The first open registers the class and the close of the last open
// editor destroys it all, counted by openEditorCount over every effect
// instance.
#pragma once

#include <array>
#include <map>
#include <memory>

#include "editor/editor_platform.h"
#include "editor/shared_drawing.h"
#include "platform/scale.h"

namespace velmorin {

class SharedEditorResources {
  public:
    static constexpr int kWindowTableSize = 128;
    static constexpr const char* kWindowClass = "Velmorin";

    // The one instance the editors of this process share.
    static SharedEditorResources& process();

    SharedEditorResources() = default;
    SharedEditorResources(const SharedEditorResources&) = delete;
    SharedEditorResources& operator=(const SharedEditorResources&) = delete;

    int openEditorCount() const { return openEditorCount_; }

    // Counts one more open editor; the first also initialises the common
    // controls and registers the window class with `procedure`. False, with
    // the count as it was, when the class cannot be registered.
    bool acquire(const EditorPlatform& platform, platform::WindowProcedure procedure);
    // Counts one editor fewer; the last destroys every editor window still
    // alive in the table, then the drawing objects of every scale and the
    // class.
    void release();

    // Stores the window in the first slot that holds no live window. With
    // all slots live the window is not entered: false, and the table is
    // untouched (its windows are destroyed at the last close; this one goes
    // with its host window).
    bool enterWindow(platform::WindowHandle window);
    platform::WindowHandle windowInSlot(int slot) const;
    int highestSlotInUse() const { return highestSlot_; }

    // The window services the open editors' windows belong to; null while
    // no editor is open. The window and timer procedures reach them here.
    platform::WindowServices* windows() const { return windows_; }

    // The drawing objects of `scale`, made from `graphics` (which draws at
    // that scale) by the first editor drawn at it while any editor is open;
    // later editors share them.
    const SharedDrawing& drawingAt(platform::Scale scale, platform::Graphics& graphics);
    // Those an open editor made at `scale`.
    const SharedDrawing& drawing(platform::Scale scale) const;

  private:
    int openEditorCount_ = 0;
    std::array<platform::WindowHandle, kWindowTableSize> windowTable_{};
    int highestSlot_ = 0;
    platform::WindowServices* windows_ = nullptr;
    std::map<int, std::unique_ptr<SharedDrawing>> drawings_;  // by quarters
};

}  // namespace velmorin
