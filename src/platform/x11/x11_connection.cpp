#include "platform/x11/x11_connection.h"

#include <cstdlib>
#include <cstring>

namespace platform::x11 {
namespace {

template <typename Reply>
struct ReplyDeleter {
    void operator()(Reply* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, ReplyDeleter<Reply>>;

}  // namespace

std::unique_ptr<Connection> Connection::open() {
    const XcbLibrary* xcb = XcbLibrary::get();
    if (!xcb) return nullptr;
    int screenNumber = 0;
    xcb_connection_t* raw = xcb->xcb_connect(nullptr, &screenNumber);
    if (!raw) return nullptr;
    if (xcb->xcb_connection_has_error(raw)) {
        xcb->xcb_disconnect(raw);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb->xcb_setup_roots_iterator(xcb->xcb_get_setup(raw));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb->xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb->xcb_disconnect(raw);
        return nullptr;
    }
    std::unique_ptr<Connection> connection(new Connection(*xcb, raw, screens.data));
    if (!connection->checkPixelLayout()) return nullptr;
    connection->maxRequestBytes_ = xcb->xcb_get_maximum_request_length(raw) * 4;
    if (xcb->hasShm()) {
        const xcb_query_extension_reply_t* shm =
            xcb->xcb_get_extension_data(raw, xcb->shmExtension);
        connection->serverHasShm_ = shm && shm->present;
    }
    connection->loadAtoms();
    connection->loadKeyboardMap();
    return connection->alive() ? std::move(connection) : nullptr;
}

Connection::Connection(const XcbLibrary& xcb, xcb_connection_t* connection,
                       const xcb_screen_t* screen)
    : xcb_(xcb), connection_(connection), screen_(screen) {}

Connection::~Connection() {
    xcb_.xcb_disconnect(connection_);
}

bool Connection::alive() const {
    return xcb_.xcb_connection_has_error(connection_) == 0;
}

std::string Connection::resourceDatabase() const {
    if (!alive()) return {};
    // A database is a few kilobytes; a megabyte leaves room for any desktop.
    constexpr std::uint32_t kLongWords = 1 << 18;
    const auto cookie = xcb_.xcb_get_property(
        connection_, 0, screen_->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, kLongWords);
    ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_.xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply || reply->type != XCB_ATOM_STRING || reply->format != 8) return {};
    return std::string(static_cast<const char*>(xcb_.xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_.xcb_get_property_value_length(reply.get())));
}

void Connection::flush() const {
    if (alive()) xcb_.xcb_flush(connection_);
}

bool Connection::checkPixelLayout() {
    // The software canvas is 8 bits a channel: the screen must take 24-bit
    // colour in 32-bit little-endian pixels, as every current server does.
    const xcb_setup_t* setup = xcb_.xcb_get_setup(connection_);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool bits32 = false;
    const xcb_format_t* formats = xcb_.xcb_setup_pixmap_formats(setup);
    for (int i = 0; i < xcb_.xcb_setup_pixmap_formats_length(setup); ++i)
        if (formats[i].depth == screen_->root_depth) bits32 = formats[i].bits_per_pixel == 32;
    if (!bits32) return false;

    for (auto depths = xcb_.xcb_screen_allowed_depths_iterator(screen_); depths.rem;
         xcb_.xcb_depth_next(&depths)) {
        const xcb_visualtype_t* visuals = xcb_.xcb_depth_visuals(depths.data);
        for (int i = 0; i < xcb_.xcb_depth_visuals_length(depths.data); ++i) {
            if (visuals[i].visual_id != screen_->root_visual) continue;
            if (visuals[i]._class != XCB_VISUAL_CLASS_TRUE_COLOR) return false;
            if (visuals[i].red_mask == 0xFF0000 && visuals[i].blue_mask == 0xFF) return true;
            if (visuals[i].red_mask == 0xFF && visuals[i].blue_mask == 0xFF0000) {
                redHigh_ = false;
                return true;
            }
            return false;
        }
    }
    return false;
}

xcb_atom_t Connection::atom(const char* name) const {
    const auto cookie =
        xcb_.xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_.xcb_intern_atom_reply(connection_, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void Connection::loadAtoms() {
    wmProtocols_ = atom("WM_PROTOCOLS");
    wmDeleteWindow_ = atom("WM_DELETE_WINDOW");
    utf8String_ = atom("UTF8_STRING");
    netWmName_ = atom("_NET_WM_NAME");
}

void Connection::loadKeyboardMap() {
    const xcb_setup_t* setup = xcb_.xcb_get_setup(connection_);
    firstKeyCode_ = setup->min_keycode;
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const auto cookie = xcb_.xcb_get_keyboard_mapping(connection_, firstKeyCode_, count);
    ReplyPtr<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_.xcb_get_keyboard_mapping_reply(connection_, cookie, nullptr));
    if (!reply) return;
    symbolsPerCode_ = reply->keysyms_per_keycode;
    const xcb_keysym_t* symbols = xcb_.xcb_get_keyboard_mapping_keysyms(reply.get());
    keySymbols_.assign(symbols, symbols + reply->length);
}

std::uint32_t Connection::keySymbol(xcb_keycode_t code, bool shifted) const {
    if (code < firstKeyCode_ || symbolsPerCode_ == 0) return 0;
    const std::size_t row = static_cast<std::size_t>(code - firstKeyCode_) * symbolsPerCode_;
    if (row >= keySymbols_.size()) return 0;
    const std::uint32_t plain = keySymbols_[row];
    const std::uint32_t shift =
        symbolsPerCode_ > 1 && row + 1 < keySymbols_.size() ? keySymbols_[row + 1] : 0;
    return shifted && shift ? shift : plain;
}

}  // namespace platform::x11
