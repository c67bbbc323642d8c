// The editor's bitmaps at the scales above 1.0, compiled into the plug-in in
// the compact form of pixel_codec.h, its bytes in the prefix code of their
// scale (prefix_code.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/colour.h"
#include "resources/prefix_code.h"

namespace velmorin {

struct EncodedBitmap {
    int quarters;  // the scale, in quarters
    int id;
    int width;  // device pixels
    int height;
    const std::uint8_t* packed;
    std::size_t packedSize;
    std::size_t streamSize;  // bytes of the pixel code
    const prefix_code::Lengths* lengths;
};

std::span<const EncodedBitmap> encodedBitmaps();

// The pixels, or none when the embedded code is damaged.
std::vector<platform::Colour> decodeBitmap(const EncodedBitmap& bitmap);

}  // namespace velmorin
