// Window services over USER32: window classes whose procedure is the
// editor's, child windows of the host's window drawn at a scale, timer 1,
// posted messages, menus, EDIT controls, message boxes and the colour dialog. All of it runs
// on the thread that owns the windows.
#pragma once

#include "platform/window_services.h"

namespace platform::win32 {

class Win32Windows : public WindowServices {
  public:
    // COMCTL32's initialisation, imported by ordinal 17.
    void initCommonControls() override;
    bool registerWindowClass(std::string_view name, WindowProcedure procedure) override;
    void unregisterWindowClass(std::string_view name) override;
    // None for a null or dead parent: a child window needs a live one.
    WindowHandle createChildWindow(std::string_view className, std::string_view title,
                                   NativeParent parent, int width, int height) override;
    // WS_EX_APPWINDOW with WS_POPUPWINDOW, WS_DLGFRAME and WS_VISIBLE.
    WindowHandle createPopupWindow(std::string_view className, std::string_view title,
                                   WindowHandle owner, const Rect& screenBounds) override;
    void restoreAndActivate(WindowHandle window) override;
    void destroyWindow(WindowHandle window) override;
    bool isWindow(WindowHandle window) const override;
    void setUserData(WindowHandle window, void* data) override;
    void* userData(WindowHandle window) const override;
    Rect screenRect(WindowHandle window) const override;
    Point screenToClient(WindowHandle window, Point screen) const override;
    void setFocus(WindowHandle window) override;
    void showWindow(WindowHandle window, bool visible) override;
    // An editor window takes the device size of its logical size at
    // `scale`; from then on it paints, and its mouse messages and edit boxes
    // are placed, through that scale.
    void resizeWindow(WindowHandle window, Scale scale) override;
    // Painted when the window's background is erased. A host that gives its
    // own window more room paints that room itself, as Windows asks it to.
    void setRoomColour(WindowHandle window, Colour colour) override;
    // The window's DPI over 96 (window_dpi.h).
    double systemScaleFactor(WindowHandle window) const;
    std::unique_ptr<Canvas> windowCanvas(WindowHandle window) override;
    std::unique_ptr<Canvas> beginPaint(WindowHandle window) override;
    void updateWindow(WindowHandle window) override;
    void setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                  TimerProcedure procedure) override;
    void killTimer(WindowHandle window, std::uintptr_t id) override;
    void postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    MenuHandle createMenu(const MenuDescription& description) override;
    // The menu resource of the plug-in module.
    MenuHandle loadMenu(int resourceId, const MenuDescription& description) override;
    void destroyMenu(MenuHandle menu) override;
    void setWindowMenu(WindowHandle window, MenuHandle menu) override;
    void checkMenuItem(MenuHandle menu, std::uint16_t id, bool checked) override;
    void trackPopupMenu(MenuHandle menu, int index, WindowHandle owner, Point screen) override;
    WindowHandle createEditBox(WindowHandle parent, const Rect& bounds,
                               std::string_view text) override;
    void setEditFont(WindowHandle edit, const Font& font) override;
    void setEditMargins(WindowHandle edit, int left, int right) override;
    void setEditFormattingRect(WindowHandle edit, const Rect& rect) override;
    void setText(WindowHandle window, std::string_view text) override;
    std::string text(WindowHandle window) const override;
    int editLineCount(WindowHandle edit) const override;
    void setEditSelection(WindowHandle edit, int start, int end) override;
    void messageBox(WindowHandle owner, std::string_view text, std::string_view caption) override;
    bool chooseColour(WindowHandle owner, Colour initial,
                      std::array<Colour, 16>& customColours) override;
};

}  // namespace platform::win32
