// Window services on an X server. The editor's window is an X child of the
// host's window; its pixels live in a software canvas and only what was drawn
// since the last pass goes to the screen. Menus, value boxes, the message box
// and the colour chooser are windows we draw ourselves with the same glyphs,
// at the scale of the editor window they belong to.
//
// Nothing runs on a thread of its own: pump() (from effEditIdle) reads the
// server's events, fires timers, delivers posted messages, paints and sends
// the damaged pixels. One connection serves every window of the process; it
// opens with the first window and closes when the last one is gone.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/soft/pixel_buffer.h"
#include "platform/window_services.h"
#include "platform/x11/damage_region.h"
#include "platform/x11/dialog_panel.h"
#include "platform/x11/menu_panel.h"
#include "platform/x11/screen_image.h"
#include "platform/x11/text_field.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

class X11Windows : public WindowServices {
  public:
    X11Windows();
    ~X11Windows() override;

    // --- WindowServices ---
    void initCommonControls() override {}
    bool registerWindowClass(std::string_view name, WindowProcedure procedure) override;
    void unregisterWindowClass(std::string_view name) override;
    // `parent` carries the X id of the host's window; none for a null or
    // unknown id, or without a display.
    WindowHandle createChildWindow(std::string_view className, std::string_view title,
                                   NativeParent parent, int width, int height) override;
    // A top-level window the window manager keeps above its owner's.
    WindowHandle createPopupWindow(std::string_view className, std::string_view title,
                                   WindowHandle owner, const Rect& screenBounds) override;
    void restoreAndActivate(WindowHandle window) override;
    void destroyWindow(WindowHandle window) override;
    bool isWindow(WindowHandle window) const override { return find(window) != nullptr; }
    void setUserData(WindowHandle window, void* data) override;
    void* userData(WindowHandle window) const override;
    Rect screenRect(WindowHandle window) const override;
    Point screenToClient(WindowHandle window, Point screen) const override;
    void setFocus(WindowHandle window) override;
    void showWindow(WindowHandle window, bool visible) override;
    // Editor windows and the windows they own; the edit boxes made later
    // follow the scale.
    void resizeWindow(WindowHandle window, Scale scale) override;
    // Editor windows: the room is the window's background, which the server
    // paints on every expose. The host's window is the host's to paint, so
    // ours grows with it and covers all the room it gives.
    void setRoomColour(WindowHandle window, Colour colour) override;
    std::unique_ptr<Canvas> windowCanvas(WindowHandle window) override;
    std::unique_ptr<Canvas> beginPaint(WindowHandle window) override;
    void updateWindow(WindowHandle window) override;
    void setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                  TimerProcedure procedure) override;
    void killTimer(WindowHandle window, std::uintptr_t id) override;
    void postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    MenuHandle createMenu(const MenuDescription& description) override;
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
    // Both wait for the user, like the system dialogs: the connection's
    // events, timers and posted messages go on meanwhile.
    void messageBox(WindowHandle owner, std::string_view text, std::string_view caption) override;
    bool chooseColour(WindowHandle owner, Colour initial,
                      std::array<Colour, 16>& customColours) override;

    // How large the desktop of the display draws (see system_scale.h); 1.0
    // without a display.
    double systemScaleFactor() const;

    // One pass over everything that is due; never waits.
    void pump();
    // The connection's descriptor, for a host that calls pump() when the
    // server has news; -1 while there is no live connection.
    int connectionFd() const {
        return live() ? connection_->xcb().xcb_get_file_descriptor(connection_->raw()) : -1;
    }

    // --- what tests and the host look at ---
    bool connected() const { return connection_ != nullptr; }
    // False once the server has gone; the windows then live on in memory.
    bool serverAlive() const { return connection_ && connection_->alive(); }
    std::uint32_t nativeWindow(WindowHandle window) const;
    bool usesSharedMemory(WindowHandle window) const;
    // The open pop-up menu levels and dialog, outermost first.
    std::vector<WindowHandle> popupLevels() const { return popupLevels_; }
    WindowHandle openDialog() const { return dialog_; }

  private:
    // Editor and Owned windows have a window procedure; the others we draw.
    enum class Kind { Editor, Owned, EditBox, Popup, Dialog };
    struct Record {
        Kind kind = Kind::Editor;
        xcb_window_t xid = 0;
        bool xidGone = false;  // the server destroyed it already
        bool destroying = false;
        WindowProcedure procedure = nullptr;
        void* userData = nullptr;
        WindowHandle parent;  // an edit box's editor window, an owned window's owner
        Rect bounds;          // an edit box's place in its parent, logical
        // Editor windows, their edit boxes, menus and dialogs draw logical
        // pixels at a scale.
        Scale scale;
        Point logicalSize;
        // The window's size on the server, as last asked or reported; more
        // than its pixels where a host gives it room.
        Point windowSize;
        // An editor window's host window, and its size once the editor
        // fills the host's room.
        xcb_window_t host = 0;
        std::optional<Point> hostSize;
        bool visible = true;
        bool invalid = true;
        std::shared_ptr<PixelBuffer> pixels;
        std::shared_ptr<DamageRegion> damage;
        std::unique_ptr<ScreenImage> image;
        MenuHandle menu;
        std::string title;
        // Edit boxes.
        TextField field;
        TextField::Look look;
        // Pop-up levels and dialogs.
        std::unique_ptr<MenuPanel> panel;
        DialogPanel* dialog = nullptr;
    };
    struct Timer {
        std::uint32_t period;
        std::chrono::steady_clock::time_point due;
        TimerProcedure procedure;
    };
    struct Posted {
        WindowHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    struct Menu {
        MenuDescription description;
        std::set<std::uint16_t> checked;
    };
    struct Popup {
        MenuHandle menu;
        WindowHandle owner;
    };

    const Record* find(WindowHandle window) const;
    Record* find(WindowHandle window);
    WindowHandle byNativeWindow(xcb_window_t xid) const;
    bool live() const { return connection_ && connection_->alive(); }
    // Connects when no window needs the old connection; false without a
    // usable display.
    bool connect();
    void setTitle(xcb_window_t xid, const std::string& title);
    xcb_window_t topLevelOf(xcb_window_t xid) const;

    // Makes an X window with its pixels; `parentXid` 0 gives a top-level one.
    WindowHandle createNativeWindow(Kind kind, xcb_window_t parentXid, const Rect& bounds,
                                    bool overrideRedirect);
    // A top-level window for a panel of `size` logical pixels drawn at
    // `scale`, its corner at a point of the screen.
    WindowHandle createPanelWindow(Kind kind, Point screen, Point size, Scale scale);
    // 1.0 for a window that is gone or not drawn at a scale.
    Scale windowScale(WindowHandle window) const;
    void repaintOwnDrawn(WindowHandle window);
    // Its pixels, or the host's room where that is more.
    static Point fittingSize(const Record& record);
    // Asks the server for the fitting size unless the window has it.
    void fitWindow(Record& record);
    // Paints the room beyond the window's pixels in its background, over
    // whatever a larger drawing left there.
    void clearRoom(const Record& record);
    // The window's pixels in its logical pixels, recording what is drawn.
    static std::unique_ptr<Canvas> canvasOf(const Record& record);
    // The logical pixel under a device pixel of the window.
    static std::intptr_t logicalPoint(const Record& record, int x, int y);
    void present();
    void disconnectWhenUnused();

    // Events (x11_events.cpp).
    void handleEvent(const xcb_generic_event_t& event);
    void onButton(const xcb_button_press_event_t& event, bool press);
    void onMotion(const xcb_motion_notify_event_t& event);
    void onKey(const xcb_key_press_event_t& event);
    void onEditKey(WindowHandle edit, std::uint32_t symbol);
    void onDestroyed(xcb_window_t xid);
    void onConfigured(const xcb_configure_notify_event_t& event);
    void fireDueTimers();
    void dispatchPosted();
    void paintInvalidWindows();
    std::intptr_t send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam);

    // Pop-up menus (x11_popups.cpp).
    void openPopupLevel(const std::vector<MenuItemDescription>& items, Point screen);
    void closePopupLevelsFrom(std::size_t level);
    void closePopup();
    enum class PointerAction { Move, Press, Release };
    void popupPointer(WindowHandle level, int x, int y, PointerAction action);
    void popupKey(std::uint32_t symbol);
    void choosePopupItem(std::size_t level, int index);
    void openSubmenu(std::size_t level, int index);

    // Dialogs (x11_dialogs.cpp).
    // Drawn at the owner's scale.
    DialogPanel::Outcome runDialog(DialogPanel& panel, std::string_view caption,
                                   WindowHandle owner);
    void waitForEvents(std::chrono::milliseconds longest) const;

    std::unique_ptr<Connection> connection_;
    std::map<std::string, WindowProcedure, std::less<>> classes_;
    std::map<std::uintptr_t, Record> windows_;
    std::map<std::pair<std::uintptr_t, std::uintptr_t>, Timer> timers_;
    std::deque<Posted> posted_;
    std::map<std::uintptr_t, Menu> menus_;
    std::optional<Popup> popup_;
    std::vector<WindowHandle> popupLevels_;
    WindowHandle dialog_;
    WindowHandle focus_;
    std::uintptr_t nextHandle_ = 1;
    int pumpDepth_ = 0;
    // The button whose press closed a menu: its release is not the window's.
    static constexpr int kAnyButton = -1;
    int swallowRelease_ = 0;
};

}  // namespace platform::x11
