// PNG files keep every pixel, and a write or read that fails says so and
// leaves nothing behind.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

#include "host/temp_folder.h"
#include "snapshot/png_file.h"

namespace velmorin::snapshot {
namespace {

class PngFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
};

TEST_F(PngFileTest, PixelsSurviveTheRoundTrip) {
    platform::PixelBuffer pixels(7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) pixels.at(x, y) = platform::rgb(x * 36, y * 120, 255 - x - y);
    writePng(folder / "a.png", pixels);
    const platform::PixelBuffer read = readPng(folder / "a.png");
    EXPECT_EQ(read.width, 7);
    EXPECT_EQ(read.height, 3);
    EXPECT_EQ(read.pixels, pixels.pixels);
    EXPECT_FALSE(std::filesystem::exists(folder / "a.png.partial"));
}

TEST_F(PngFileTest, FailuresThrowAndLeaveNoFile) {
    std::ofstream(folder / "text.png") << "not a picture";
    EXPECT_THROW(readPng(folder / "text.png"), std::runtime_error);
    EXPECT_THROW(readPng(folder / "missing.png"), std::runtime_error);
    EXPECT_THROW(writePng(folder / "no-such-folder" / "b.png", platform::PixelBuffer(2, 2)),
                 std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(folder / "no-such-folder"));
}

}  // namespace
}  // namespace velmorin::snapshot
