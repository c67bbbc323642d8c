// The generated artwork keeps the identifiers, sizes and places the editor
// relies on, and the .bmp files hold the same pixels as the embedded table
// at every scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "editor/bitmap_ids.h"
#include "editor/layout.h"
#include "platform/scale.h"
#include "resources/embedded_bitmaps.h"
#include "resources/encoded_bitmaps.h"
#include "resources/pixel_codec.h"

namespace velmorin {
namespace {

using platform::Colour;

struct Expected {
    BitmapId id;
    int width;
    int height;
};

constexpr Expected kExpected[] = {
    {kBitmapSkin, 654, 431},        {kBitmapNormalizeLit, 44, 21},
    {kBitmapBandOnLit, 28, 13},     {kBitmapDitherLit, 44, 21},
    {kBitmapBypassLit, 44, 21},     {kBitmapOutputMeterLit, 15, 289},
    {kBitmapGainMeterLit, 13, 257}, {kBitmapLookAheadLit, 44, 21},
    {kBitmapCapStandard, 16, 34},   {kBitmapCapThreshold, 16, 34},
    {kBitmapCapLimiter, 16, 34},    {kBitmapHighlight, 44, 18},
    {kBitmapCapZoom, 13, 21},       {kBitmapBandBypassLit, 28, 13},
    {kBitmapBandAttackLit, 28, 13}, {kBitmapInfoPicture, 224, 224},
    {kBitmapOkButton, 117, 47},     {kBitmapOkButtonHover, 117, 47},
};

Colour at(const platform::BitmapImage& b, int x, int y) {
    return b.pixels[y * b.width + x];
}

const platform::BitmapImage& skin() {
    return *findEmbeddedBitmap(kBitmapSkin);
}

int brightness(Colour c) {
    return platform::redOf(c) + platform::greenOf(c) + platform::blueOf(c);
}

TEST(Artwork, EveryBitmapExistsWithItsSize) {
    for (const Expected& e : kExpected) {
        const platform::BitmapImage* b = findEmbeddedBitmap(e.id);
        ASSERT_NE(b, nullptr) << e.id;
        EXPECT_EQ(b->width, e.width) << e.id;
        EXPECT_EQ(b->height, e.height) << e.id;
        EXPECT_EQ(b->pixels.size(), static_cast<std::size_t>(e.width) * e.height) << e.id;
    }
    EXPECT_EQ(findEmbeddedBitmap(0), nullptr);
    EXPECT_EQ(findEmbeddedBitmap(119), nullptr);
}

TEST(Artwork, LampsOnTheSkinAreUnlitVersionsOfTheirLitBitmaps) {
    for (const ControlPlace& c : kControlPlaces) {
        if (c.kind != ControlKind::LampButton) continue;
        const platform::BitmapImage& lit = *findEmbeddedBitmap(c.bitmap);
        ASSERT_EQ(lit.width, c.travel);
        ASSERT_EQ(lit.height, c.height);
        long litSum = 0, skinSum = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.travel; ++x) {
                litSum += brightness(at(lit, x, y));
                skinSum += brightness(at(skin(), c.x + x, c.y + y));
            }
        EXPECT_GT(litSum, skinSum) << "lamp at " << c.x << ", " << c.y;
        // The corners blend into the panel, lit or not.
        EXPECT_EQ(at(lit, 0, 0), at(skin(), c.x, c.y));
    }
}

TEST(Artwork, GainStripsAreIdenticalSoEveryStripRestoresFromTheMasterOne) {
    // The window restores all four strips from the Master strip's pixels.
    const Place source = kGainStripSkinSource;
    for (const Place& p : kGainStripPlaces)
        for (int y = 0; y < kGainStripHeight; ++y)
            for (int x = 0; x < kGainStripWidth; ++x)
                ASSERT_EQ(at(skin(), p.x + x, p.y + y), at(skin(), source.x + x, source.y + y))
                    << "strip at " << p.x << ", " << p.y;
}

TEST(Artwork, LitMetersOutshineTheirUnlitRows) {
    const platform::BitmapImage& out = *findEmbeddedBitmap(kBitmapOutputMeterLit);
    const platform::BitmapImage& gain = *findEmbeddedBitmap(kBitmapGainMeterLit);
    const Place meter = kOutputMeterPlace;
    for (int row = 0; row < kOutputMeterHeight; row += 7) {
        EXPECT_GE(brightness(at(out, 7, row)), brightness(at(skin(), meter.x + 7, meter.y + row)));
        EXPECT_GE(brightness(at(out, 7, row)),
                  brightness(at(skin(), meter.x + kOutputRightBarX + 7, meter.y + row)));
    }
    // Overs are red: the row of +3 dB is redder than the row of -12 dB.
    const int over = kOutputMeterHeight - kOutputMeterFullScale - 32;
    const int quiet = kOutputMeterHeight - kOutputMeterFullScale + 128;
    const auto redness = [&](int row) {
        const Colour c = at(out, 7, row + (row % 3 == 0 ? 1 : 0));
        return int{platform::redOf(c)} - platform::greenOf(c);
    };
    EXPECT_GT(redness(over), redness(quiet));
    const Place strip = kGainStripSkinSource;
    for (int row = 0; row < kGainStripHeight; row += 3)
        EXPECT_GT(brightness(at(gain, 6, row)), brightness(at(skin(), strip.x + 6, strip.y + row)));
}

TEST(Artwork, HighlightShapeIsGreyAndFadesFromTheCorner) {
    const platform::BitmapImage& h = *findEmbeddedBitmap(kBitmapHighlight);
    for (Colour c : h.pixels) {
        EXPECT_EQ(platform::redOf(c), platform::greenOf(c));
        EXPECT_EQ(platform::redOf(c), platform::blueOf(c));
    }
    EXPECT_GT(platform::redOf(at(h, 0, 0)), platform::redOf(at(h, 20, 8)));
    EXPECT_EQ(platform::redOf(at(h, 43, 17)), 0);  // outside the 42 x 16 corner nothing is lifted
}

// Reads a 24-bit bottom-up .bmp as the Windows resource compiler takes it.
std::vector<Colour> readBmp(const std::string& file, int& width, int& height) {
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    const auto u32 = [&](std::size_t at) {
        return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
               std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || bytes[28] != 24) return {};
    width = static_cast<int>(u32(18));
    height = static_cast<int>(u32(22));
    const std::size_t rowBytes = (width * 3 + 3) & ~3u;
    if (bytes.size() < u32(10) + rowBytes * height) return {};
    std::vector<Colour> pixels;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = u32(10) + rowBytes * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &bytes[row + 3 * x];
            pixels.push_back(platform::rgb(p[2], p[1], p[0]));
        }
    }
    return pixels;
}

// At 1.0 the .bmp files are the Windows resources and the table holds the
// pixels as they are; at the other scales the table holds them encoded, so
// this is the codec's round trip over every picture the generator drew.
TEST(Artwork, EveryScaleEmbedsExactlyThePixelsDrawnForIt) {
    for (platform::Scale scale : platform::kEditorScales) {
        const std::string dir = std::string(VELMORIN_BITMAP_DIR) +
                                (scale.isIdentity() ? "" : "/" + std::to_string(scale.percent()));
        for (const Expected& e : kExpected) {
            SCOPED_TRACE("bitmap " + std::to_string(e.id) + " at " +
                         std::to_string(scale.percent()) + "%");
            int width = 0, height = 0;
            const auto pixels = readBmp(dir + "/" + std::to_string(e.id) + ".bmp", width, height);
            const platform::BitmapImage* b = findScaledBitmap(e.id, scale);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->width, scale.device(e.width));
            EXPECT_EQ(b->height, scale.device(e.height));
            ASSERT_EQ(width, b->width);
            ASSERT_EQ(height, b->height);
            EXPECT_TRUE(
                std::equal(pixels.begin(), pixels.end(), b->pixels.begin(), b->pixels.end()));
        }
        EXPECT_EQ(findScaledBitmap(119, scale), nullptr);
    }
}

TEST(Artwork, AStreamCutShortOrPaddedDecodesToNothing) {
    const platform::Scale scale = platform::Scale::ofQuarters(8);
    const platform::BitmapImage& skin = *findScaledBitmap(kBitmapSkin, scale);
    const std::vector<std::uint8_t> stream =
        pixel_codec::encode(skin.pixels, skin.width, skin.height);
    EXPECT_EQ(pixel_codec::decode(stream, skin.width, skin.height).size(), skin.pixels.size());
    const std::span<const std::uint8_t> whole(stream);
    EXPECT_TRUE(
        pixel_codec::decode(whole.first(whole.size() - 1), skin.width, skin.height).empty());
    std::vector<std::uint8_t> padded = stream;
    padded.push_back(0);
    EXPECT_TRUE(pixel_codec::decode(padded, skin.width, skin.height).empty());

    // The same for the bits the bytes are packed in.
    int found = 0;
    for (const EncodedBitmap& e : encodedBitmaps()) {
        if (e.quarters != scale.quarters() || e.id != kBitmapSkin) continue;
        ++found;
        EXPECT_EQ(decodeBitmap(e).size(), skin.pixels.size());
        EncodedBitmap cut = e;
        --cut.packedSize;
        EXPECT_TRUE(decodeBitmap(cut).empty());
        EncodedBitmap longer = e;
        ++longer.streamSize;
        EXPECT_TRUE(decodeBitmap(longer).empty());
    }
    EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace velmorin
