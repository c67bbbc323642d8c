#include "snapshot/png_file.h"

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmorin::snapshot {
namespace {

std::runtime_error pngError(const std::filesystem::path& path, const png_image& image) {
    return std::runtime_error(path.string() + ": " + image.message);
}

}  // namespace

void writePng(const std::filesystem::path& path, const platform::PixelBuffer& pixels) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels.pixels.size() * 3);
    for (const platform::Colour c : pixels.pixels) {
        rgb.push_back(platform::redOf(c));
        rgb.push_back(platform::greenOf(c));
        rgb.push_back(platform::blueOf(c));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixels.width);
    image.height = static_cast<png_uint_32>(pixels.height);
    image.format = PNG_FORMAT_RGB;

    std::filesystem::path partial = path;
    partial += ".partial";
    if (!png_image_write_to_file(&image, partial.c_str(), 0, rgb.data(), 0, nullptr)) {
        std::filesystem::remove(partial);
        throw pngError(path, image);
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial);
        throw std::runtime_error(path.string() + ": " + error.message());
    }
}

platform::PixelBuffer readPng(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) throw pngError(path, image);
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw pngError(path, image);
    }
    platform::PixelBuffer pixels(static_cast<int>(image.width), static_cast<int>(image.height));
    for (std::size_t i = 0; i < pixels.pixels.size(); ++i)
        pixels.pixels[i] = platform::rgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    return pixels;
}

}  // namespace velmorin::snapshot
