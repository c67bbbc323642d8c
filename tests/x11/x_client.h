// The test's own side of the X server: a host's parent window, the pixels
// the server shows, and real input sent through the XTEST extension.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/colour.h"

class XClient {
  public:
    XClient();  // connects to $DISPLAY
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return connection_ && !xcb_connection_has_error(connection_); }
    // A mapped top-level window, as a host makes for an editor.
    xcb_window_t createParent(int x, int y, int width, int height);
    void destroy(xcb_window_t window);
    // As a host sizes its window, or the plug-in's window inside it.
    void resize(xcb_window_t window, int width, int height);
    // What a window manager sends when the user closes a top-level window.
    void askToClose(xcb_window_t window);
    // What the server shows of the window, in the software canvas's colours.
    std::vector<platform::Colour> pixels(xcb_window_t window, int width, int height);
    xcb_window_t root() const { return screen_->root; }
    // Replaces the server's resource database, as xrdb -load does: the root
    // window's RESOURCE_MANAGER property.
    void loadResources(const std::string& database);
    std::vector<xcb_window_t> children(xcb_window_t window);
    // Width and height; 0 x 0 for a window the server does not know.
    std::pair<int, int> size(xcb_window_t window);
    // The top-level window pointer events at this screen point reach.
    xcb_window_t childAt(xcb_window_t parent, int x, int y);

    // Real input: the pointer moved to a screen point, buttons, keys (by key
    // symbol; Shift is pressed for symbols on the shifted level).
    void moveTo(int x, int y);
    void button(int button, bool press);
    void click(int which = 1) {
        button(which, true);
        button(which, false);
    }
    void key(std::uint32_t symbol, bool press);
    void tap(std::uint32_t symbol) {
        key(symbol, true);
        key(symbol, false);
    }
    void type(const std::string& text);
    // Waits until the server has handled everything this client sent.
    void sync();
    // Another client's requests may still wait at the server: asks again
    // for up to a second until `condition` holds.
    template <typename Condition>
    bool eventually(Condition condition) {
        for (int i = 0; i < 100; ++i) {
            sync();
            if (condition()) return true;
            waitBriefly();
        }
        return false;
    }

    // Whether the window comes to hold exactly one child of this size, as a
    // host's parent holds an embedded editor.
    bool holdsOneChildOfSize(xcb_window_t parent, std::pair<int, int> size) {
        return eventually([&] {
            const std::vector<xcb_window_t> inside = children(parent);
            return inside.size() == 1 && this->size(inside[0]) == size;
        });
    }

  private:
    static void waitBriefly();

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
};

inline constexpr std::uint32_t kSymReturn = 0xFF0D;
inline constexpr std::uint32_t kSymEscape = 0xFF1B;
inline constexpr std::uint32_t kSymBackSpace = 0xFF08;
inline constexpr std::uint32_t kSymShift = 0xFFE1;
inline constexpr std::uint32_t kSymControl = 0xFFE3;
inline constexpr std::uint32_t kSymDown = 0xFF54;
inline constexpr std::uint32_t kSymRight = 0xFF53;
