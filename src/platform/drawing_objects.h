// Pens, brushes and fonts: objects the editor creates once and draws with
// many times. A platform may derive from them to keep its own handle.
#pragma once

#include <string>
#include <utility>

#include "platform/colour.h"

namespace platform {

// A solid pen one pixel wide.
class Pen {
  public:
    explicit Pen(Colour colour) : colour_(colour) {}
    virtual ~Pen() = default;
    Colour colour() const { return colour_; }

  private:
    Colour colour_;
};

// A solid brush.
class Brush {
  public:
    explicit Brush(Colour colour) : colour_(colour) {}
    virtual ~Brush() = default;
    Colour colour() const { return colour_; }

  private:
    Colour colour_;
};

// What a font is asked for; a platform picks the face that matches best.
struct FontRequest {
    std::string face;
    int height = 0;  // cell height in pixels
    int width = 0;   // average character width in pixels, 0 for the face's own
    int weight = 400;
};

class Font {
  public:
    explicit Font(FontRequest request) : request_(std::move(request)) {}
    virtual ~Font() = default;
    const FontRequest& request() const { return request_; }

  private:
    FontRequest request_;
};

}  // namespace platform
