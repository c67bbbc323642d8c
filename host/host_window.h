// The window `velmorin edit` gives a plug-in's editor: a top-level X window of
// the editor's size, on a connection of the host's own, as a DAW would.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <string>

namespace velmorin::host {

class HostWindow {
  public:
    // Throws HostError when there is no display to open.
    HostWindow(int width, int height, const std::string& title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    xcb_window_t id() const { return window_; }
    // Fits the window to its editor's new size.
    void resize(int width, int height);
    // Reads what arrived; true once the user closed the window or the X
    // server went away.
    bool closed();
    bool serverGone() const { return xcb_connection_has_error(connection_) != 0; }

  private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_ = 0;
    xcb_atom_t deleteWindow_ = 0;
    bool closed_ = false;
};

}  // namespace velmorin::host
