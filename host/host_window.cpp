#include "host_window.h"

#include <cstdlib>
#include <cstring>

#include "host_error.h"

namespace velmorin::host {
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

}  // namespace

HostWindow::HostWindow(int width, int height, const std::string& title) {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        const char* display = std::getenv("DISPLAY");
        throw HostError(std::string("display ") + (display ? display : "(DISPLAY is not set)"),
                        "cannot be opened");
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    const xcb_screen_t& screen = *screens.data;

    window_ = xcb_generate_id(connection_);
    const std::uint32_t values[] = {screen.black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen.root, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen.root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(title.size()), title.data());
    const xcb_atom_t protocols = internAtom(connection_, "WM_PROTOCOLS");
    deleteWindow_ = internAtom(connection_, "WM_DELETE_WINDOW");
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, protocols, XCB_ATOM_ATOM, 32,
                        1, &deleteWindow_);
    xcb_map_window(connection_, window_);
    xcb_flush(connection_);
}

HostWindow::~HostWindow() {
    if (!serverGone()) xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
    xcb_disconnect(connection_);
}

void HostWindow::resize(int width, int height) {
    const std::uint32_t values[] = {static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height)};
    xcb_configure_window(connection_, window_, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection_);
}

bool HostWindow::closed() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const auto type = event->response_type & 0x7F;
        if (type == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == deleteWindow_)
            closed_ = true;
        if (type == XCB_DESTROY_NOTIFY) closed_ = true;
        std::free(event);
    }
    return closed_ || serverGone();
}

}  // namespace velmorin::host
