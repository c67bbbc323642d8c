// What all open editors of the process share: the window class, the bitmaps
// with the skin, the font, pens and brushes, and the table of editor windows.
// The first open creates them and the close of the last open editor destroys
// them, counted by openEditorCount over every effect instance.
#pragma once

#include <array>
#include <memory>

#include "editor/bitmap_ids.h"
#include "editor/corner_highlight.h"
#include "editor/editor_platform.h"
#include "editor/wave_pens.h"
#include "platform/canvas.h"
#include "platform/drawing_objects.h"

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
    // controls, registers the window class with `procedure` and creates the
    // shared objects. False, with the count as it was, when the class cannot
    // be registered. Later editors share what the first one's platform made.
    bool acquire(const EditorPlatform& platform, platform::WindowProcedure procedure);
    // Counts one editor fewer; the last destroys every editor window still
    // alive in the table, then the shared objects and the class.
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

    // Valid while an editor is open; `id` is one of the fifteen shared
    // bitmaps. A bitmap the module lacks is an empty
    // canvas, which draws nothing.
    const platform::Canvas& bitmap(BitmapId id) const;
    const platform::Canvas& skin() const { return bitmap(kBitmapSkin); }
    const platform::Canvas& highlightSource() const { return bitmap(kBitmapHighlight); }
    // Computed from the highlight source at the first open; without the
    // source bitmap the displays get no highlight.
    const CornerHighlight& cornerHighlight() const { return cornerHighlight_; }
    const platform::Font& font() const { return *font_; }
    const platform::Pen& redPen() const { return *redPen_; }
    const platform::Pen& greenPen() const { return *greenPen_; }
    const platform::Pen& bluePen() const { return *bluePen_; }
    const platform::Pen& blackPen() const { return *blackPen_; }
    const platform::Brush& whiteBrush() const { return *whiteBrush_; }
    const platform::Brush& blackBrush() const { return *blackBrush_; }
    SurfaceInks surfaceInks() const { return {*blackBrush_, *whiteBrush_, *blackPen_}; }

  private:
    static constexpr int kBitmapCount = 15;

    void create(const EditorPlatform& platform);
    void destroy();

    int openEditorCount_ = 0;
    std::array<platform::WindowHandle, kWindowTableSize> windowTable_{};
    int highestSlot_ = 0;
    platform::WindowServices* windows_ = nullptr;

    std::array<std::unique_ptr<platform::Canvas>, kBitmapCount> bitmaps_;
    CornerHighlight cornerHighlight_;
    std::unique_ptr<platform::Font> font_;
    std::unique_ptr<platform::Pen> redPen_, greenPen_, bluePen_, blackPen_;
    std::unique_ptr<platform::Brush> whiteBrush_, blackBrush_;
};

}  // namespace velmorin
