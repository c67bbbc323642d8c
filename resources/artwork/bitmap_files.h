// What the artwork becomes: .bmp files for the Windows resource script and a
// C++ table for builds that embed their bitmaps, with the pixels of 1.0 as
// they are and those of the larger scales encoded.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <vector>

#include "platform/scale.h"

namespace artwork {

struct Picture {
    int id;
    cairo_surface_t* surface;  // 24-bit image surface
};

struct ScalePictures {
    platform::Scale scale;
    std::vector<Picture> pictures;
};

bool writeBmp(const Picture& picture, const std::filesystem::path& file);
// `scales` starts with 1.0.
bool writeTable(const std::vector<ScalePictures>& scales, const std::filesystem::path& file);

}  // namespace artwork
