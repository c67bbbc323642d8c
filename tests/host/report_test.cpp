// What a render delivers besides its audio: the JSON report, which says what
// the text report says; the loudness plot, whose curves follow the audio; and
// a warning for input that ends before its header says.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "audio_file.h"
#include "demo_mix.h"
#include "loudness_plot.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

nlohmann::json readJson(const std::filesystem::path& path) {
    return nlohmann::json::parse(std::ifstream(path));
}

// The four figures of a row of the text report.
std::vector<double> textRow(const std::string& report, const std::string& name) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        double figures[4];
        if (line.rfind(name + " ", 0) == 0 &&
            std::sscanf(line.c_str() + name.size(), " %lf dBFS %lf dBFS %lf LUFS %lf LU",
                        &figures[0], &figures[1], &figures[2], &figures[3]) == 4) {
            return {figures, figures + 4};
        }
    }
    ADD_FAILURE() << "no row " << name << " in\n" << report;
    return {};
}

// The figures of the bench row of the plug-in NAME: ns/frame, x real time,
// spread.
std::vector<double> benchRow(const std::string& report, const std::string& name) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        double figures[3];
        if (line.rfind(name + " ", 0) == 0 &&
            std::sscanf(line.c_str() + name.size(), " %lf %lf %lf%%", &figures[0], &figures[1],
                        &figures[2]) == 3) {
            return {figures, figures + 3};
        }
    }
    ADD_FAILURE() << "no row " << name << " in\n" << report;
    return {};
}

// render and bench: the JSON parses and says what the text says.
TEST(JsonReport, ParsesAndSaysWhatTheTextReportSays) {
    TempFolder folder;
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(4 * audio.sampleRate);
    writeAudioFile(folder / "in.wav", audio, SampleFormat::float32);
    const std::vector<std::string> settings = {"--program", "Mastering 1", "--set", "ThrH=0.25"};
    std::vector<std::string> renderArguments = {"render", (folder / "in.wav").string(),
                                                (folder / "out.wav").string(), "--json",
                                                (folder / "render.json").string()};
    renderArguments.insert(renderArguments.end(), settings.begin(), settings.end());
    const CommandResult result = runVelmorin(renderArguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json report = readJson(folder / "render.json");
    EXPECT_EQ(report["command"], "render");
    ASSERT_EQ(report["files"].size(), 1u);
    const nlohmann::json& file = report["files"][0];
    EXPECT_EQ(file["input"], (folder / "in.wav").string());
    EXPECT_EQ(file["sample_rate"], 44100);
    EXPECT_EQ(file["frames"], audio.frames());
    int latency = 0;
    ASSERT_EQ(std::sscanf(result.out.substr(result.out.find("latency")).c_str(),
                          "latency %d samples", &latency),
              1);
    EXPECT_EQ(file["latency_samples"], latency);
    const char* const keys[] = {"sample_peak_dbfs", "true_peak_dbtp", "integrated_lufs",
                                "loudness_range_lu"};
    for (const char* side : {"input", "output"}) {
        const std::vector<double> text = textRow(result.out, side);
        ASSERT_EQ(text.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(file[std::string(side) + "_loudness"][keys[i]].get<double>(), text[i],
                        0.005)
                << side << " " << keys[i];
        }
    }

    std::vector<std::string> benchArguments = {
        "bench", "--seconds",          "0.5",    "--block",
        "256",   VELMORIN_PLUGIN_PATH, "--json", (folder / "bench.json").string()};
    benchArguments.insert(benchArguments.end(), settings.begin(), settings.end());
    const CommandResult bench = runVelmorin(benchArguments);
    ASSERT_EQ(bench.exitCode, 0) << bench.err;
    const nlohmann::json benchReport = readJson(folder / "bench.json");
    EXPECT_EQ(benchReport["command"], "bench");
    ASSERT_EQ(benchReport["plugins"].size(), 1u);
    const nlohmann::json& measured = benchReport["plugins"][0];
    const std::string name = std::filesystem::path(VELMORIN_PLUGIN_PATH).filename().string();
    EXPECT_EQ(measured["name"], name);
    EXPECT_EQ(measured["block_size"], 256);
    EXPECT_EQ(measured["frames"], 22050);
    const std::vector<double> row = benchRow(bench.out, name);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_NEAR(measured["ns_per_frame"].get<double>(), row[0], 0.05);
    EXPECT_NEAR(measured["speed_x_real_time"].get<double>(), row[1], 0.5);
    EXPECT_NEAR(measured["spread_percent"].get<double>(), row[2], 0.05);

    // Both name the program and show each setting as the effect does.
    for (const nlohmann::json* entry : {&file, &measured}) {
        EXPECT_EQ((*entry)["program"], "Mastering 1");
        EXPECT_EQ((*entry)["settings"][0]["parameter"], "ThrH");
        EXPECT_EQ((*entry)["settings"][0]["value"], 0.25);
        EXPECT_EQ((*entry)["settings"][0]["display"], "-9.0 dB");  // 18 half-decibel steps
    }
}

// The picture's pixels as 0xRRGGBB.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[y * width + x] & 0xffffff; }
};

Picture readPng(const std::filesystem::path& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    Picture picture;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface) / 4;
        const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
        for (int y = 0; y < picture.height; ++y) {
            picture.pixels.insert(picture.pixels.end(), data + y * stride,
                                  data + y * stride + picture.width);
        }
    }
    cairo_surface_destroy(surface);
    return picture;
}

bool near(uint32_t pixel, uint32_t colour) {
    for (int shift : {0, 8, 16}) {
        const int a = (pixel >> shift) & 0xff, b = (colour >> shift) & 0xff;
        if (std::abs(a - b) > 24) return false;
    }
    return true;
}

// The lowest point (largest y) of COLOUR in the loudness panel over the
// columns from FROM to TO (fractions of the width): the quietest the curve gets
// there, since the integrated line and labels of that colour sit higher.
int lowestOf(const Picture& picture, uint32_t colour, double from, double to) {
    int lowest = -1;
    for (int x = static_cast<int>(from * picture.width); x < to * picture.width; ++x) {
        for (int y = kPlotLoudnessTop; y < kPlotLoudnessBottom; ++y) {
            if (near(picture.at(x, y), colour)) lowest = std::max(lowest, y);
        }
    }
    return lowest;
}

TEST(LoudnessPlot, IsAPngOfItsSizeWhoseCurvesFollowTheAudio) {
    TempFolder folder;
    AudioBuffer audio;
    audio.resize(20 * 44100);
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        const float level = i < audio.frames() / 2 ? 0.02f : 0.5f;  // -34 dBFS, then -6
        audio.left[i] = audio.right[i] = level * std::sin(2 * M_PI * 440.0 * i / 44100.0);
    }
    writeAudioFile(folder / "in.wav", audio, SampleFormat::float32);
    const auto plot = folder / "plot.png";
    const CommandResult result =
        runVelmorin({"render", (folder / "in.wav").string(), (folder / "out.wav").string(),
                     "--target-lufs", "-16", "--plot", plot.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Picture picture = readPng(plot);
    ASSERT_EQ(picture.width, kPlotWidth);
    ASSERT_EQ(picture.height, kPlotHeight);
    // About 4.4 pixels per LU: a 28 dB step moves each curve by far more than 40.
    for (uint32_t colour : {kPlotInputColour, kPlotOutputColour}) {
        SCOPED_TRACE(colour);
        const int quiet = lowestOf(picture, colour, 0.25, 0.45);
        const int loud = lowestOf(picture, colour, 0.75, 0.95);
        ASSERT_GT(loud, 0);
        EXPECT_GT(quiet - loud, 40);
    }
}

// A WAV file whose header announces more audio than it holds.
TEST(TruncatedInput, RendersWhatIsThereAndWarns) {
    TempFolder folder;
    AudioBuffer audio = synthesizeDemoMix();
    audio.resize(44100);
    for (SampleFormat format : {SampleFormat::float32, SampleFormat::pcm16}) {
        const auto input = folder / "cut.wav";
        writeAudioFile(input, audio, format);
        const int bytesPerFrame = format == SampleFormat::float32 ? 8 : 4;
        const auto size = std::filesystem::file_size(input);
        std::filesystem::resize_file(input, size - 30000 * bytesPerFrame);
        const CommandResult result =
            runVelmorin({"render", input.string(), (folder / "out.wav").string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.err.find("warning: input " + input.string() +
                                  " ends early: 14100 of the 44100 frames"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(readAudioFile(folder / "out.wav").frames(), 14100u);
    }
}

}  // namespace
