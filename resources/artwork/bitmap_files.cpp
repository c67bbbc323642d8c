#include "artwork/bitmap_files.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "resources/pixel_codec.h"
#include "resources/prefix_code.h"

namespace artwork {
namespace {

// Pixel (x, y) of an image surface as 0xRRGGBB.
std::uint32_t pixelAt(cairo_surface_t* s, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

// The canvas keeps colours with red in the low byte.
std::uint32_t canvasColour(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::vector<platform::Colour> canvasPixels(cairo_surface_t* s) {
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s);
    const int h = cairo_image_surface_get_height(s);
    std::vector<platform::Colour> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(canvasColour(pixelAt(s, x, y)));
    return pixels;
}

void writeBytes(std::ostream& out, const std::string& name,
                const std::vector<std::uint8_t>& bytes) {
    out << "constexpr char " << name << "[] =";
    char octal[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(octal, sizeof octal, "\\%03o", bytes[i]);
        out << (i % 32 == 0 ? "\n    \"" : "") << octal << (i % 32 == 31 ? "\"" : "");
    }
    out << (bytes.size() % 32 != 0 ? "\"" : "") << (bytes.empty() ? " \"\"" : "") << ";\n";
}

// The encoded pictures of the scales above 1.0, as string literals: they
// compile much faster than long lists of numbers.
void writeEncoded(std::ostream& out, const std::vector<ScalePictures>& scales) {
    std::ostringstream table;
    for (const ScalePictures& set : scales) {
        if (set.scale.isIdentity()) continue;
        const std::string percent = std::to_string(set.scale.percent());
        std::vector<std::vector<std::uint8_t>> streams;
        for (const Picture& p : set.pictures)
            streams.push_back(velmorin::pixel_codec::encode(
                canvasPixels(p.surface), cairo_image_surface_get_width(p.surface),
                cairo_image_surface_get_height(p.surface)));
        const velmorin::prefix_code::Lengths lengths = velmorin::prefix_code::lengthsFor(streams);
        out << "constexpr prefix_code::Lengths kLengths" << percent << "{";
        for (int length : lengths) out << length << ",";
        out << "};\n";
        for (std::size_t i = 0; i < set.pictures.size(); ++i) {
            const Picture& p = set.pictures[i];
            const std::string name = "kEncoded" + percent + "_" + std::to_string(p.id);
            const auto packed = velmorin::prefix_code::pack(streams[i], lengths);
            writeBytes(out, name, packed);
            table << "    {" << set.scale.quarters() << ", " << p.id << ", "
                  << cairo_image_surface_get_width(p.surface) << ", "
                  << cairo_image_surface_get_height(p.surface)
                  << ", reinterpret_cast<const std::uint8_t*>(" << name << "), " << packed.size()
                  << ", " << streams[i].size() << ", &kLengths" << percent << "},\n";
        }
    }
    out << "\nconst EncodedBitmap kEncodedBitmaps[] = {\n" << table.str() << "};\n\n";
}

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Written beside the target and renamed, so an interrupted build never
// leaves half a file that looks finished.
bool writeWhole(const std::filesystem::path& file, const std::string& bytes) {
    const std::filesystem::path temporary = file.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    return !ec;
}

}  // namespace

bool writeBmp(const Picture& picture, const std::filesystem::path& file) {
    cairo_surface_flush(picture.surface);
    const int w = cairo_image_surface_get_width(picture.surface);
    const int h = cairo_image_surface_get_height(picture.surface);
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * h;
    std::string out;
    out += "BM";
    put32(out, 14 + 40 + imageBytes);
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));  // positive: rows bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixelAt(picture.surface, x, y);
            out += static_cast<char>(p & 0xFF);          // blue
            out += static_cast<char>((p >> 8) & 0xFF);   // green
            out += static_cast<char>((p >> 16) & 0xFF);  // red
        }
        out.append(static_cast<std::size_t>(rowBytes - w * 3), '\0');
    }
    return writeWhole(file, out);
}

bool writeTable(const std::vector<ScalePictures>& scales, const std::filesystem::path& file) {
    const std::vector<Picture>& pictures = scales.front().pictures;
    std::ostringstream out;
    out << "// Generated by make_artwork; do not edit.\n"
        << "#include \"resources/embedded_bitmaps.h\"\n"
        << "#include \"resources/encoded_bitmaps.h\"\n\nnamespace velmorin {\nnamespace {\n\n"
        // A module that takes 1.0 from its resources leaves the 1.0 table out.
        << "#ifndef VELMORIN_WITHOUT_UNSCALED_TABLE\n";
    char hex[16];
    for (const Picture& p : pictures) {
        cairo_surface_flush(p.surface);
        const int w = cairo_image_surface_get_width(p.surface);
        const int h = cairo_image_surface_get_height(p.surface);
        out << "constexpr platform::Colour kPixels" << p.id << "[] = {";
        for (int i = 0; i < w * h; ++i) {
            const std::uint32_t colour = canvasColour(pixelAt(p.surface, i % w, i / w));
            std::snprintf(hex, sizeof hex, "0x%06x,", colour);
            out << (i % 12 == 0 ? "\n" : "") << hex;
        }
        out << "\n};\n";
    }
    out << "\nconstexpr platform::BitmapImage kBitmaps[] = {\n";
    for (const Picture& p : pictures)
        out << "    {" << p.id << ", " << cairo_image_surface_get_width(p.surface) << ", "
            << cairo_image_surface_get_height(p.surface) << ", kPixels" << p.id << "},\n";
    out << "};\n#endif\n\n";
    writeEncoded(out, scales);
    out << "}  // namespace\n\n"
        << "std::span<const EncodedBitmap> encodedBitmaps() { return kEncodedBitmaps; }\n\n"
        << "#ifndef VELMORIN_WITHOUT_UNSCALED_TABLE\n"
        << "const platform::BitmapImage* findEmbeddedBitmap(int id) {\n"
        << "    for (const platform::BitmapImage& b : kBitmaps)\n"
        << "        if (b.id == id) return &b;\n"
        << "    return nullptr;\n}\n#endif\n\n}  // namespace velmorin\n";
    return writeWhole(file, out.str());
}

}  // namespace artwork
