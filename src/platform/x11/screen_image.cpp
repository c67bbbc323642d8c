#include "platform/x11/screen_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>

namespace platform::x11 {

ScreenImage::ScreenImage(const Connection& connection, xcb_window_t window, int width, int height)
    : connection_(connection),
      window_(window),
      gc_(connection.generateId()),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)) {
    const XcbLibrary& xcb = connection_.xcb();
    xcb.xcb_create_gc(connection_.raw(), gc_, window_, 0, nullptr);
    if (connection_.serverHasShm()) attachSharedMemory();
}

ScreenImage::~ScreenImage() {
    const XcbLibrary& xcb = connection_.xcb();
    if (connection_.alive()) {
        if (segment_) xcb.xcb_shm_detach(connection_.raw(), segment_);
        xcb.xcb_free_gc(connection_.raw(), gc_);
    }
    if (shared_) shmdt(shared_);
}

void ScreenImage::attachSharedMemory() {
    const std::size_t bytes = static_cast<std::size_t>(width_) * height_ * 4;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return;
    void* memory = shmat(id, nullptr, 0);
    const XcbLibrary& xcb = connection_.xcb();
    if (memory != reinterpret_cast<void*>(-1)) {
        const std::uint32_t segment = connection_.generateId();
        const auto cookie = xcb.xcb_shm_attach_checked(connection_.raw(), segment,
                                                       static_cast<std::uint32_t>(id), 0);
        // A remote server cannot attach our memory: images go over the socket.
        if (xcb_generic_error_t* error = xcb.xcb_request_check(connection_.raw(), cookie)) {
            std::free(error);
            shmdt(memory);
        } else {
            segment_ = segment;
            shared_ = static_cast<std::uint32_t*>(memory);
        }
    }
    // Marked for removal at once: the segment goes with its last user, even
    // when the host dies.
    shmctl(id, IPC_RMID, nullptr);
}

void ScreenImage::convert(const PixelBuffer& pixels, const Rect& rect, std::uint32_t* out,
                          int stride) const {
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* row = out + static_cast<std::size_t>(y - rect.top) * stride;
        for (int x = rect.left; x < rect.right; ++x)
            row[x - rect.left] = connection_.pixelOf(pixels.at(x, y));
    }
}

void ScreenImage::put(const PixelBuffer& pixels, Rect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min({rect.right, pixels.width, width_});
    rect.bottom = std::min({rect.bottom, pixels.height, height_});
    if (rect.empty() || !connection_.alive()) return;
    if (!segment_) {
        putOverSocket(pixels, rect);
        return;
    }
    // The shared image mirrors the whole window; only the rectangle changes.
    convert(pixels, rect, shared_ + static_cast<std::size_t>(rect.top) * width_ + rect.left,
            width_);
    connection_.xcb().xcb_shm_put_image(
        connection_.raw(), window_, gc_, static_cast<std::uint16_t>(width_),
        static_cast<std::uint16_t>(height_), static_cast<std::uint16_t>(rect.left),
        static_cast<std::uint16_t>(rect.top), static_cast<std::uint16_t>(rect.right - rect.left),
        static_cast<std::uint16_t>(rect.bottom - rect.top), static_cast<std::int16_t>(rect.left),
        static_cast<std::int16_t>(rect.top), connection_.depth(), XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
        segment_, 0);
}

void ScreenImage::putOverSocket(const PixelBuffer& pixels, const Rect& rect) {
    // As many rows per request as the server takes, leaving room for the
    // request's own header.
    const int w = rect.right - rect.left;
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(w) * 4;
    const int rowsPerRequest =
        std::max(1, static_cast<int>((connection_.maxRequestBytes() - 64) / rowBytes));
    for (int top = rect.top; top < rect.bottom; top += rowsPerRequest) {
        const Rect band{rect.left, top, rect.right, std::min(rect.bottom, top + rowsPerRequest)};
        const int rows = band.bottom - band.top;
        staging_.resize(static_cast<std::size_t>(w) * rows);
        convert(pixels, band, staging_.data(), w);
        connection_.xcb().xcb_put_image(
            connection_.raw(), XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
            static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(rows),
            static_cast<std::int16_t>(band.left), static_cast<std::int16_t>(band.top), 0,
            connection_.depth(), rowBytes * static_cast<std::uint32_t>(rows),
            reinterpret_cast<const std::uint8_t*>(staging_.data()));
    }
}

}  // namespace platform::x11
