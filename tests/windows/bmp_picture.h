// Pictures as plain pixels, read from and written to uncompressed .bmp files,
// for comparing the editor's real window with the software canvas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// 24- or 32-bit uncompressed files; an empty picture when the file is not one.
Picture readBmp(const std::string& path);
// A 24-bit file; false when it cannot be written.
bool writeBmp(const std::string& path, const Picture& picture);
