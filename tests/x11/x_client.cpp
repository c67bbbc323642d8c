#include "x11/x_client.h"

#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

XClient::XClient() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) return;
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
}

XClient::~XClient() {
    xcb_disconnect(connection_);
}

xcb_window_t XClient::createParent(int x, int y, int width, int height) {
    const xcb_window_t window = xcb_generate_id(connection_);
    const std::uint32_t values[] = {screen_->white_pixel, 1};  // override-redirect: placed exactly
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen_->root,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection_, window);
    sync();
    return window;
}

void XClient::loadResources(const std::string& database) {
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, screen_->root,
                        XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(database.size()), database.data());
    sync();
}

void XClient::destroy(xcb_window_t window) {
    xcb_destroy_window(connection_, window);
    sync();
}

void XClient::resize(xcb_window_t window, int width, int height) {
    const std::uint32_t size[] = {static_cast<std::uint32_t>(width),
                                  static_cast<std::uint32_t>(height)};
    xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    sync();
}

void XClient::askToClose(xcb_window_t window) {
    const auto atom = [this](const char* name) {
        const auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return found;
    };
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
    sync();
}

std::vector<platform::Colour> XClient::pixels(xcb_window_t window, int width, int height) {
    std::vector<platform::Colour> out;
    const auto cookie =
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), ~0u);
    xcb_get_image_reply_t* reply = xcb_get_image_reply(connection_, cookie, nullptr);
    if (!reply) return out;
    const auto* data = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(reply));
    const int length = xcb_get_image_data_length(reply) / 4;
    for (int i = 0; i < length && i < width * height; ++i)
        out.push_back(platform::rgb(static_cast<std::uint8_t>(data[i] >> 16),
                                    static_cast<std::uint8_t>(data[i] >> 8),
                                    static_cast<std::uint8_t>(data[i])));
    std::free(reply);
    return out;
}

std::vector<xcb_window_t> XClient::children(xcb_window_t window) {
    std::vector<xcb_window_t> out;
    xcb_query_tree_reply_t* reply =
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr);
    if (!reply) return out;
    const xcb_window_t* list = xcb_query_tree_children(reply);
    out.assign(list, list + xcb_query_tree_children_length(reply));
    std::free(reply);
    return out;
}

std::pair<int, int> XClient::size(xcb_window_t window) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
    if (!reply) return {0, 0};
    const std::pair<int, int> size{reply->width, reply->height};
    std::free(reply);
    return size;
}

xcb_window_t XClient::childAt(xcb_window_t parent, int x, int y) {
    const auto cookie =
        xcb_translate_coordinates(connection_, screen_->root, parent, static_cast<std::int16_t>(x),
                                  static_cast<std::int16_t>(y));
    xcb_translate_coordinates_reply_t* reply =
        xcb_translate_coordinates_reply(connection_, cookie, nullptr);
    const xcb_window_t child = reply ? reply->child : XCB_NONE;
    std::free(reply);
    return child;
}

void XClient::moveTo(int x, int y) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, screen_->root,
                        static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0);
    sync();
}

void XClient::button(int button, bool press) {
    xcb_test_fake_input(connection_, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE,
                        static_cast<std::uint8_t>(button), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync();
}

void XClient::key(std::uint32_t symbol, bool press) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr);
    if (!map) return;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(map);
    const int perCode = map->keysyms_per_keycode;
    for (int code = 0; code < count; ++code) {
        for (int level = 0; level < 2 && level < perCode; ++level) {
            if (symbols[code * perCode + level] != symbol) continue;
            const auto keycode = static_cast<std::uint8_t>(setup->min_keycode + code);
            const bool shift = level == 1 && symbols[code * perCode] != symbol;
            std::free(map);
            if (shift && press) key(kSymShift, true);
            xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                                XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
            sync();
            if (shift && !press) key(kSymShift, false);
            return;
        }
    }
    std::free(map);
}

void XClient::type(const std::string& text) {
    for (char c : text) tap(static_cast<unsigned char>(c));
}

void XClient::waitBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void XClient::sync() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}
