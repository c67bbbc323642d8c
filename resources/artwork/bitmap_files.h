// What the artwork becomes: .bmp files for the Windows resource script and a
// C++ table of pixels for builds that embed their bitmaps.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <vector>

namespace artwork {

struct Picture {
    int id;
    cairo_surface_t* surface;  // 24-bit image surface
};

bool writeBmp(const Picture& picture, const std::filesystem::path& file);
bool writeTable(const std::vector<Picture>& pictures, const std::filesystem::path& file);

}  // namespace artwork
