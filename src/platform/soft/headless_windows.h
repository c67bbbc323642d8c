// Window services without a display: windows are pixel buffers, time moves
// only when a test advances it, and the test answers menus and dialogs.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/scale.h"
#include "platform/soft/pixel_buffer.h"
#include "platform/window_services.h"

namespace platform {

class HeadlessWindows : public WindowServices {
  public:
    // Windows keep the sizes they are asked for in logical pixels; their
    // pixels are `scale` times as many (until resizeWindow gives a window
    // another), and their canvases map between.
    explicit HeadlessWindows(Scale scale = {}) : scale_(scale) {}

    // --- WindowServices ---
    void initCommonControls() override { ++commonControlsInits_; }
    bool registerWindowClass(std::string_view name, WindowProcedure procedure) override;
    void unregisterWindowClass(std::string_view name) override;
    WindowHandle createChildWindow(std::string_view className, std::string_view title,
                                   NativeParent parent, int width, int height) override;
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
    void resizeWindow(WindowHandle window, Scale scale) override;
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
    void messageBox(WindowHandle owner, std::string_view text, std::string_view caption) override;
    bool chooseColour(WindowHandle owner, Colour initial,
                      std::array<Colour, 16>& customColours) override;

    // --- what a test drives ---
    struct Failures {
        bool classRegistration = false;
        bool windowCreation = false;
    };
    Failures failures;

    // Lets `ms` milliseconds pass: every timer that falls due fires in time
    // order, and the messages it posted are dispatched right after it.
    void advance(std::uint32_t ms);
    void dispatchPostedMessages();
    // Mouse messages carry device pixels, as a pointer on the screen gives
    // them; the window procedure hears the logical pixel under the pointer.
    std::intptr_t send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam);
    // The host destroys its window and with it the children.
    void destroyChildrenOf(NativeParent parent);
    void invalidate(WindowHandle window);
    void placeOnScreen(WindowHandle window, Point origin);
    // The user minimises a window; it is no longer the active one.
    void minimize(WindowHandle window);
    // Replaces an edit box's text as typing would and notifies its parent.
    void type(WindowHandle edit, std::string_view text);
    // Picks a command of the open popup menu: the owner gets the command
    // message. False when no popup is open or it has no such command.
    bool chooseMenuCommand(std::uint16_t id);

    // The colour dialog's user: edits the custom colours, answers OK or not.
    // Without one the dialog is cancelled.
    std::function<bool(std::array<Colour, 16>&)> colourDialogUser;

    // --- what a test observes ---
    struct EditBoxState {
        Rect bounds;
        Rect formatting;
        int leftMargin = 0;
        int rightMargin = 0;
        const Font* font = nullptr;
        int selectionStart = 0;
        int selectionEnd = 0;
    };
    struct PopupRequest {
        MenuHandle menu;
        int index = 0;
        WindowHandle owner;
        Point screen;
    };
    struct MessageBoxShown {
        WindowHandle owner;
        std::string text;
        std::string caption;
    };

    std::shared_ptr<const PixelBuffer> clientPixels(WindowHandle window) const;
    bool isClassRegistered(std::string_view name) const;
    bool isVisible(WindowHandle window) const;
    WindowHandle focus() const { return focus_; }
    WindowHandle activeWindow() const { return active_; }
    bool isMinimized(WindowHandle window) const;
    // The owner a pop-up was created with; none for other windows.
    WindowHandle owner(WindowHandle window) const;
    std::optional<std::uint32_t> timerPeriod(WindowHandle window, std::uintptr_t id) const;
    bool isMenu(MenuHandle menu) const { return menus_.count(menu.value) != 0; }
    MenuHandle windowMenu(WindowHandle window) const;
    bool isMenuItemChecked(MenuHandle menu, std::uint16_t id) const;
    const std::optional<PopupRequest>& openPopup() const { return popup_; }
    const EditBoxState* editBox(WindowHandle edit) const;
    const std::vector<MessageBoxShown>& messageBoxes() const { return messageBoxes_; }
    int colourDialogsShown() const { return colourDialogsShown_; }
    Colour lastColourDialogInitial() const { return colourDialogInitial_; }
    int commonControlsInits() const { return commonControlsInits_; }

  private:
    struct WindowRecord {
        WindowProcedure procedure = nullptr;  // none for edit boxes
        NativeParent hostParent = nullptr;
        WindowHandle parent;  // the window an edit box belongs to
        WindowHandle owner;   // the window a pop-up stays above
        Point screenOrigin;
        Point size;  // logical
        Scale scale;
        std::shared_ptr<PixelBuffer> client;
        void* userData = nullptr;
        bool visible = true;
        bool minimized = false;
        bool invalid = true;
        MenuHandle menu;
        std::string text;
        std::optional<EditBoxState> edit;
    };
    struct Timer {
        std::uint32_t period;
        std::uint64_t due;
        TimerProcedure procedure;
    };
    struct Posted {
        WindowHandle window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    void makeClient(WindowRecord& record, int width, int height) const;
    const WindowRecord* find(WindowHandle window) const;
    WindowRecord* find(WindowHandle window);
    WindowHandle newHandle() { return WindowHandle{nextHandle_++}; }

    Scale scale_;
    std::map<std::string, WindowProcedure, std::less<>> classes_;
    std::map<std::uintptr_t, WindowRecord> windows_;
    std::map<std::pair<std::uintptr_t, std::uintptr_t>, Timer> timers_;
    std::deque<Posted> posted_;
    std::map<std::uintptr_t, std::pair<MenuDescription, std::set<std::uint16_t>>> menus_;
    std::optional<PopupRequest> popup_;
    std::vector<MessageBoxShown> messageBoxes_;
    std::uintptr_t nextHandle_ = 1;
    std::uint64_t now_ = 0;
    WindowHandle focus_;
    WindowHandle active_;
    int colourDialogsShown_ = 0;
    Colour colourDialogInitial_ = 0;
    int commonControlsInits_ = 0;
};

}  // namespace platform
