// The process's one connection to the X server, shared by every editor
// window: the screen, the pixel layout the server wants, the atoms and the
// keyboard map. Once the server has gone every call is refused, never fatal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/x11/xcb_library.h"

namespace platform::x11 {

class Connection {
  public:
    // Connects to $DISPLAY; null when the library, the display or a 24-bit
    // true-colour screen with 32-bit pixels is missing.
    static std::unique_ptr<Connection> open();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const XcbLibrary& xcb() const { return xcb_; }
    xcb_connection_t* raw() const { return connection_; }
    // False once the server has closed the connection or it broke.
    bool alive() const;

    const xcb_screen_t& screen() const { return *screen_; }
    xcb_visualid_t visual() const { return screen_->root_visual; }
    std::uint8_t depth() const { return screen_->root_depth; }
    // Pixels carry red in bits 16 to 23 and blue in bits 0 to 7.
    bool redHigh() const { return redHigh_; }
    // A colour as the server's pixels carry it.
    std::uint32_t pixelOf(Colour c) const {
        return redHigh_
                   ? (std::uint32_t{redOf(c)} << 16) | (std::uint32_t{greenOf(c)} << 8) | blueOf(c)
                   : c & 0xFFFFFFu;
    }
    // Bytes a single request may carry.
    std::uint32_t maxRequestBytes() const { return maxRequestBytes_; }
    bool serverHasShm() const { return serverHasShm_; }

    xcb_atom_t wmProtocols() const { return wmProtocols_; }
    xcb_atom_t wmDeleteWindow() const { return wmDeleteWindow_; }
    xcb_atom_t utf8String() const { return utf8String_; }
    xcb_atom_t netWmName() const { return netWmName_; }

    // The root window's RESOURCE_MANAGER property, the settings xrdb loaded;
    // empty when there is none or the server has gone.
    std::string resourceDatabase() const;

    // The key symbol of a key code: column 0 plain, column 1 with Shift.
    std::uint32_t keySymbol(xcb_keycode_t code, bool shifted) const;

    std::uint32_t generateId() const { return xcb_.xcb_generate_id(connection_); }
    void flush() const;

  private:
    Connection(const XcbLibrary& xcb, xcb_connection_t* connection, const xcb_screen_t* screen);
    bool checkPixelLayout();
    void loadAtoms();
    void loadKeyboardMap();
    xcb_atom_t atom(const char* name) const;

    const XcbLibrary& xcb_;
    xcb_connection_t* connection_;
    const xcb_screen_t* screen_;
    bool redHigh_ = true;
    std::uint32_t maxRequestBytes_ = 0;
    bool serverHasShm_ = false;
    xcb_atom_t wmProtocols_ = 0, wmDeleteWindow_ = 0, utf8String_ = 0, netWmName_ = 0;
    xcb_keycode_t firstKeyCode_ = 0;
    int symbolsPerCode_ = 0;
    std::vector<std::uint32_t> keySymbols_;
};

}  // namespace platform::x11
