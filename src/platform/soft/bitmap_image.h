// A bitmap compiled into the program: its size and its pixels, row by row
// from the top.
#pragma once

#include <functional>
#include <span>

#include "platform/colour.h"

namespace platform {

struct BitmapImage {
    int id;
    int width;
    int height;
    std::span<const Colour> pixels;
};

// Finds a bitmap by its resource identifier; null when there is none.
using BitmapLookup = std::function<const BitmapImage*(int id)>;

}  // namespace platform
