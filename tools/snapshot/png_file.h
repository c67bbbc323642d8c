// A window's pixels as an 8-bit RGB PNG file, and back.
#pragma once

#include <filesystem>

#include "platform/soft/pixel_buffer.h"

namespace velmorin::snapshot {

// Written under a temporary name beside `path` and renamed when complete, so
// a failed write leaves no half file. Throws std::runtime_error.
void writePng(const std::filesystem::path& path, const platform::PixelBuffer& pixels);

// Throws std::runtime_error when the file cannot be read as PNG.
platform::PixelBuffer readPng(const std::filesystem::path& path);

}  // namespace velmorin::snapshot
