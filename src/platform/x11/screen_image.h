// Puts rectangles of a window's software-canvas pixels on the screen: through
// a shared-memory image when the server offers it and can reach our memory
// (a local server), by image requests over the socket otherwise.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/soft/pixel_buffer.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

class ScreenImage {
  public:
    ScreenImage(const Connection& connection, xcb_window_t window, int width, int height);
    ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    // Sends `rect` of `pixels` (clipped to both) to the same place in the
    // window. The request is queued; the connection's flush sends it.
    void put(const PixelBuffer& pixels, Rect rect);

    bool usesSharedMemory() const { return segment_ != 0; }

  private:
    void attachSharedMemory();
    void convert(const PixelBuffer& pixels, const Rect& rect, std::uint32_t* out, int stride) const;
    void putOverSocket(const PixelBuffer& pixels, const Rect& rect);

    const Connection& connection_;
    xcb_window_t window_;
    xcb_gcontext_t gc_;
    int width_;
    int height_;
    std::uint32_t segment_ = 0;  // the server's name for our shared memory
    std::uint32_t* shared_ = nullptr;
    std::vector<std::uint32_t> staging_;
};

}  // namespace platform::x11
