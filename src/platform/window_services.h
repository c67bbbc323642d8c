// What the editor asks of the windowing system: its child window with user
// data, the information pop-up, timer 1, posted messages, the context menu,
// value edit boxes, a message box and the colour dialog.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "platform/colour.h"
#include "platform/geometry.h"
#include "platform/menu_description.h"
#include "platform/scale.h"

namespace platform {

// A window or edit box; zero is none. A handle stays unique after its
// window is destroyed, so a stale handle is recognised as dead.
struct WindowHandle {
    std::uintptr_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(WindowHandle, WindowHandle) = default;
};

struct MenuHandle {
    std::uintptr_t value = 0;
    explicit operator bool() const { return value != 0; }
    friend bool operator==(MenuHandle, MenuHandle) = default;
};

// The host's window the editor is opened in.
using NativeParent = void*;

using WindowProcedure = std::intptr_t (*)(WindowHandle window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam);
using TimerProcedure = void (*)(WindowHandle window, std::uint32_t message, std::uintptr_t timerId,
                                std::uint32_t time);

class WindowServices {
  public:
    virtual ~WindowServices() = default;

    virtual void initCommonControls() = 0;
    virtual bool registerWindowClass(std::string_view name, WindowProcedure procedure) = 0;
    virtual void unregisterWindowClass(std::string_view name) = 0;

    // A visible child window of `parent`, origin at the parent's client
    // origin; none when the class is unknown or the window cannot be made.
    virtual WindowHandle createChildWindow(std::string_view className, std::string_view title,
                                           NativeParent parent, int width, int height) = 0;
    // A visible top-level window at `screenBounds` with a task-bar button of
    // its own; it stays above `owner` and is destroyed with it. None when the
    // class is unknown or the window cannot be made.
    virtual WindowHandle createPopupWindow(std::string_view className, std::string_view title,
                                           WindowHandle owner, const Rect& screenBounds) = 0;
    // Shows a minimised or hidden window again and makes it the active one.
    virtual void restoreAndActivate(WindowHandle window) = 0;
    // Destroys the window and its edit boxes; the window procedure gets the
    // destroy message first.
    virtual void destroyWindow(WindowHandle window) = 0;
    virtual bool isWindow(WindowHandle window) const = 0;
    virtual void setUserData(WindowHandle window, void* data) = 0;
    virtual void* userData(WindowHandle window) const = 0;
    virtual Rect screenRect(WindowHandle window) const = 0;
    virtual Point screenToClient(WindowHandle window, Point screen) const = 0;
    virtual void setFocus(WindowHandle window) = 0;
    virtual void showWindow(WindowHandle window, bool visible) = 0;
    // Draws the window's logical size at `scale`: its device size becomes
    // the logical size times the scale, and its canvases and the pointer map
    // between the two. What it showed is gone; its owner paints it again.
    virtual void resizeWindow(WindowHandle window, Scale scale) = 0;
    // A host may give a child window more room than it draws (its device
    // size): the drawing stays at the top left and every expose shows the
    // room in `colour`, never what the screen showed before. A platform
    // whose windows never get more room ignores it.
    virtual void setRoomColour(WindowHandle /*window*/, Colour /*colour*/) {}

    // Drawing into the client area; releasing the canvas releases the
    // context. A dead window gives a canvas that draws nowhere.
    virtual std::unique_ptr<Canvas> windowCanvas(WindowHandle window) = 0;
    // The same between begin and end of painting, clipped to what is invalid.
    virtual std::unique_ptr<Canvas> beginPaint(WindowHandle window) = 0;
    virtual void updateWindow(WindowHandle window) = 0;

    // A timer replaces any earlier timer with the same id on that window.
    virtual void setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                          TimerProcedure procedure) = 0;
    virtual void killTimer(WindowHandle window, std::uintptr_t id) = 0;
    virtual void postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;

    virtual MenuHandle createMenu(const MenuDescription& description) = 0;
    // The module's menu resource `resourceId`; a platform without resources
    // builds it from its description.
    virtual MenuHandle loadMenu(int /*resourceId*/, const MenuDescription& description) {
        return createMenu(description);
    }
    virtual void destroyMenu(MenuHandle menu) = 0;
    virtual void setWindowMenu(WindowHandle window, MenuHandle menu) = 0;
    virtual void checkMenuItem(MenuHandle menu, std::uint16_t id, bool checked) = 0;
    // Shows popup `index` of the menu at a screen point; a chosen command
    // reaches the owner as a command message.
    virtual void trackPopupMenu(MenuHandle menu, int index, WindowHandle owner, Point screen) = 0;

    // A multi-line edit box with centred text, created visible; its control
    // identifier is 0.
    virtual WindowHandle createEditBox(WindowHandle parent, const Rect& bounds,
                                       std::string_view text) = 0;
    virtual void setEditFont(WindowHandle edit, const Font& font) = 0;
    virtual void setEditMargins(WindowHandle edit, int left, int right) = 0;
    virtual void setEditFormattingRect(WindowHandle edit, const Rect& rect) = 0;
    virtual void setText(WindowHandle window, std::string_view text) = 0;
    virtual std::string text(WindowHandle window) const = 0;
    virtual int editLineCount(WindowHandle edit) const = 0;
    // end -1 selects to the end of the text.
    virtual void setEditSelection(WindowHandle edit, int start, int end) = 0;

    virtual void messageBox(WindowHandle owner, std::string_view text,
                            std::string_view caption) = 0;
    // The system colour dialog, fully open, starting at `initial`, editing the
    // 16 custom colours; true when the user confirmed.
    virtual bool chooseColour(WindowHandle owner, Colour initial,
                              std::array<Colour, 16>& customColours) = 0;
};

}  // namespace platform
