// A font rasterised at build time: coverage masks of the printable ASCII
// characters at one size, so text needs no font library at run time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct Glyph {
    std::int16_t advance;  // pen movement in pixels
    std::int16_t left;     // mask's left edge relative to the pen
    std::int16_t top;      // rows of the mask above the baseline
    std::uint16_t width;
    std::uint16_t height;
    std::uint32_t offset;  // first coverage byte of the mask, row by row
};

struct GlyphSet {
    std::string_view face;
    int height;  // cell height asked for
    int width;   // average width asked for
    int weight;
    int ascent;                     // baseline below the cell's top
    std::span<const Glyph> glyphs;  // characters 32 to 126
    std::span<const std::uint8_t> coverage;

    static constexpr unsigned char kFirst = 32;
    static constexpr unsigned char kLast = 126;

    // Characters outside the table are drawn as '?', as a font's default
    // character would stand in for them.
    const Glyph& glyph(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return glyphs[(u >= kFirst && u <= kLast ? u : '?') - kFirst];
    }
    int textWidth(std::string_view text) const {
        int w = 0;
        for (char c : text) w += glyph(c).advance;
        return w;
    }
};

// Every glyph set compiled into the program.
std::span<const GlyphSet* const> compiledGlyphSets();

// The coverage of a set compiled packed (those of the scales above 1.0, in
// the prefix code of resources/prefix_code.h); the set itself lists none.
struct PackedCoverage {
    const GlyphSet* set;
    const std::uint8_t* packed;
    std::size_t packedSize;
    std::size_t size;
    const std::array<std::uint8_t, 256>* lengths;
};
std::span<const PackedCoverage> packedCoverage();

// The set ready to draw: a packed one with its coverage unpacked at the
// first call and kept for the process, any other as it is.
const GlyphSet& unpackedGlyphSet(const GlyphSet& set);

}  // namespace platform
