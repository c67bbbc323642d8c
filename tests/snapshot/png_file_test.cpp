// PNG files keep every pixel, and a write or read that fails says so and
// leaves nothing behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "snapshot/png_file.h"

namespace velmorin::snapshot {
namespace {

class PngFileTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    // Each test runs in a process of its own, side by side with the others:
    // a folder per process keeps one test's clean-up out of another's files.
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velmorin-png-test-" + std::to_string(getpid()));
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
