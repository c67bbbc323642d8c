// --target-lufs lands within 0.5 LU of the target with the true peak at or
// under the ceiling, on a dense mix and on a quiet acoustic piece, through
// either format, and the settings it prints repeat the same file; a Mix trim under limiting lands
// as close as the search aims.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

// Plucked strings: decaying partials, a note every 1.5 s, peaking near -20 dBFS.
AudioBuffer quietAcousticPiece() {
    AudioBuffer audio;
    audio.resize(12 * 44100);
    const double notes[] = {196.0, 246.9, 293.7, 392.0, 329.6, 246.9, 220.0, 293.7};
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        const int note = static_cast<int>(t / 1.5);
        const double since = t - note * 1.5;
        double sample = 0.0;
        for (int partial = 1; partial <= 4; ++partial) {
            sample += std::sin(2 * M_PI * notes[note % 8] * partial * since) *
                      std::exp(-since * (1.5 + partial)) / partial;
        }
        audio.left[i] = static_cast<float>(0.06 * sample);
        audio.right[i] = static_cast<float>(0.055 * sample);
    }
    return audio;
}

// Splits the printed "repeat" line's options as a shell would.
std::vector<std::string> repeatOptions(const std::string& report) {
    const std::string marker = "velmorin render IN OUT ";
    const std::size_t start = report.find(marker);
    if (start == std::string::npos) return {};
    const std::string line =
        report.substr(start + marker.size(), report.find('\n', start) - start - marker.size());
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (char c : line) {
        if (c == '\'') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

struct Case {
    const char* plugin;
    const char* piece;
    const char* program;
    double lufs;
    double ceiling;
};

TEST(LoudnessTarget, LandsWithinHalfALoudnessUnitUnderTheCeiling) {
    TempFolder folder;
    writeAudioFile(folder / "mix.wav", synthesizeDemoMix(), SampleFormat::float32);
    writeAudioFile(folder / "acoustic.wav", quietAcousticPiece(), SampleFormat::pcm24);
    const char* vst = VELMORIN_PLUGIN_PATH;
    const char* clap = VELMORIN_CLAP_PATH;
    const Case cases[] = {{vst, "mix", "Mastering 1", -14.0, -1.0},
                          {vst, "mix", "Init", -23.0, -2.0},
                          {vst, "mix", "Mastering 1", -9.0, -1.0},
                          {vst, "acoustic", "Init", -16.0, -1.0},
                          {vst, "acoustic", "Mastering 1", -14.0, -1.5},
                          {clap, "mix", "Mastering 1", -14.0, -1.0},
                          // The Mix levels trimmed, from the values the CLAP build reports.
                          {clap, "mix", "Mastering 1", -24.0, -16.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.plugin) + " " + c.piece + " " + c.program + " " +
                     std::to_string(c.lufs));
        const auto input = folder / (std::string(c.piece) + ".wav");
        const auto output = folder / "out.wav";
        const CommandResult result = runVelmorin(
            {"render", input.string(), output.string(), "--plugin", c.plugin, "--program",
             c.program, "--target-lufs", std::to_string(c.lufs), "--true-peak-ceiling",
             std::to_string(c.ceiling), "--json", (folder / "r.json").string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const nlohmann::json file =
            nlohmann::json::parse(std::ifstream(folder / "r.json"))["files"][0];
        EXPECT_NEAR(file["output_loudness"]["integrated_lufs"].get<double>(), c.lufs, 0.5);
        EXPECT_LE(file["output_loudness"]["true_peak_dbtp"].get<double>(), c.ceiling);
        EXPECT_EQ(file["target"]["integrated_lufs"], c.lufs);

        // The printed settings repeat the file exactly.
        std::vector<std::string> repeat = {"render", input.string(),
                                           (folder / "repeat.wav").string()};
        const std::vector<std::string> options = repeatOptions(result.out);
        ASSERT_FALSE(options.empty()) << result.out;
        repeat.insert(repeat.end(), options.begin(), options.end());
        ASSERT_EQ(runVelmorin(repeat).exitCode, 0);
        EXPECT_EQ(fileBytes(folder / "repeat.wav"), fileBytes(output));
    }
}

// Below the untrimmed loudness under a tight ceiling, the trim lowers the Mix
// levels into a limiter still at work, so a pass moves the loudness by less
// than asked: the search goes on until it is as close as it aims (0.1 LU),
// the half unit being only what its last pass may settle for.
TEST(LoudnessTarget, TrimmingTheMixUnderLimitingLandsAsCloseAsTheSearchAims) {
    TempFolder folder;
    const auto input = folder / "mix.wav";
    writeAudioFile(input, synthesizeDemoMix(), SampleFormat::float32);
    const CommandResult result =
        runVelmorin({"render", input.string(), (folder / "out.wav").string(), "--program",
                     "Mastering 1", "--target-lufs", "-24", "--true-peak-ceiling", "-16", "--json",
                     (folder / "r.json").string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const nlohmann::json loudness =
        nlohmann::json::parse(std::ifstream(folder / "r.json"))["files"][0]["output_loudness"];
    EXPECT_NEAR(loudness["integrated_lufs"].get<double>(), -24.0, 0.1);
    EXPECT_LE(loudness["true_peak_dbtp"].get<double>(), -16.0);

    // The case meant: the limiter at work and the Mix levels trimmed.
    const std::vector<std::string> options = repeatOptions(result.out);
    const auto chosen = [&](const std::string& prefix) {
        return std::find_if(options.begin(), options.end(),
                            [&](const std::string& o) { return o.rfind(prefix, 0) == 0; });
    };
    EXPECT_NE(chosen("MixM="), options.end()) << result.out;
    ASSERT_NE(chosen("ThrLimiter="), options.end()) << result.out;
    EXPECT_NE(*chosen("ThrLimiter="), "ThrLimiter=0");
}

}  // namespace
