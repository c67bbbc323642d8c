#include "windows/bmp_picture.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::uint32_t read32(const std::vector<unsigned char>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void put32(std::string& out, std::uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), 4);
}

}  // namespace

Picture readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return {};
    const std::uint32_t offset = read32(bytes, 10);
    const auto width = static_cast<std::int32_t>(read32(bytes, 18));
    const auto height = static_cast<std::int32_t>(read32(bytes, 22));
    const int bits = bytes[28] | (bytes[29] << 8);
    const std::uint32_t compression = read32(bytes, 30);
    if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3) || width <= 0 ||
        height == 0)
        return {};
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    if (offset + stride * rows > bytes.size()) return {};
    Picture picture{width, rows,
                    std::vector<std::uint32_t>(static_cast<std::size_t>(width) * rows)};
    for (int y = 0; y < rows; ++y) {
        const std::size_t row = offset + stride * (height < 0 ? y : rows - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = bytes.data() + row + static_cast<std::size_t>(x) * (bits / 8);
            picture.pixels[static_cast<std::size_t>(y) * width + x] =
                (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
        }
    }
    return picture;
}

bool writeBmp(const std::string& path, const Picture& picture) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(picture.height);
    std::string out = "BM";
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(picture.width));
    put32(out, static_cast<std::uint32_t>(picture.height));
    put32(out, 1 | (24 << 16));  // one plane, 24 bits
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            out += static_cast<char>(p & 0xFF);
            out += static_cast<char>((p >> 8) & 0xFF);
            out += static_cast<char>((p >> 16) & 0xFF);
        }
        out.append(stride - static_cast<std::uint32_t>(picture.width) * 3, '\0');
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
