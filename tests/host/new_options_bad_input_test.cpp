// Bad input to batch, --json (bench's too), --plot and --target-lufs: one
// line naming the thing and the reason, a non-zero exit, and nothing written.
#include <gtest/gtest.h>

#include <fstream>

#include "audio_file.h"
#include "demo_mix.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using namespace velmorin::host;

namespace {

struct Refusal {
    std::vector<std::string> arguments;  // {in}, {silent}, {dir}, {file} stand for paths
    std::string mention;
};

TEST(NewOptionsBadInput, OneLineNonZeroExitNothingWritten) {
    TempFolder folder;
    AudioBuffer mix = synthesizeDemoMix();
    mix.resize(2 * mix.sampleRate);
    writeAudioFile(folder / "in.wav", mix, SampleFormat::float32);
    AudioBuffer silence;
    silence.resize(2 * 44100);
    writeAudioFile(folder / "silent.wav", silence, SampleFormat::float32);
    std::filesystem::create_directory(folder / "album");
    writeAudioFile(folder / "album" / "in.wav", mix, SampleFormat::float32);
    std::ofstream(folder / "plain") << "a file, not a folder";
    std::filesystem::create_directory(folder / "other");
    writeAudioFile(folder / "other" / "in.wav", mix, SampleFormat::float32);

    const Refusal refusals[] = {
        {{"batch", "--output-dir", "{dir}/out"}, "FILE is required"},
        {{"batch", "{in}", "--output-dir", "{file}/out"}, "output folder"},
        {{"batch", "{in}", "--output-dir", "{dir}/out", "--jobs", "0"}, "--jobs 0"},
        {{"batch", "{in}", "--output-dir", "{dir}/out", "--jobs", "-3"}, "--jobs -3"},
        {{"batch", "{in}", "{dir}/other/in.wav", "--output-dir", "{dir}/out"}, "same name"},
        {{"batch", "{in}", "--output-dir", "{dir}/album"}, "exists (--overwrite"},
        {{"batch", "{dir}/album/in.wav", "--output-dir", "{dir}/album", "--overwrite"},
         "is the input"},
        {{"batch", "{in}", "--output-dir", "{dir}/out", "--program", "Nothing"}, "no program"},
        {{"batch", "{in}", "--output-dir", "{dir}/out", "--target-lufs", "nan"}, "--target-lufs"},
        {{"render", "{in}", "{dir}/out.wav", "--target-lufs", "nan"}, "--target-lufs"},
        {{"render", "{in}", "{dir}/out.wav", "--target-lufs", "-90"}, "-70 to 0"},
        {{"render", "{in}", "{dir}/out.wav", "--target-lufs", "-14", "--true-peak-ceiling", "2"},
         "--true-peak-ceiling"},
        {{"render", "{in}", "{dir}/out.wav", "--true-peak-ceiling", "-1"}, "--target-lufs"},
        {{"render", "{silent}", "{dir}/out.wav", "--target-lufs", "-14"}, "silent"},
        {{"render", "{in}", "{dir}/out.wav", "--target-lufs", "-2"}, "louder than the limiter"},
        {{"render", "{in}", "{dir}/out.wav", "--json", "{dir}/absent/r.json"}, "--json"},
        {{"render", "{in}", "{dir}/out.wav", "--json", "{dir}"}, "is a folder"},
        {{"render", "{in}", "{dir}/out.wav", "--plot", "{dir}/plot.jpg"}, ".png"},
        {{"render", "{in}", "{dir}/out.wav", "--plot", "{file}/plot.png"}, "--plot"},
        {{"demo", "{dir}/album", "--json", "{dir}/absent/r.json"}, "--json"},
        {{"bench", "--seconds", "0.05", "--json", "{dir}/absent/b.json"}, "--json"},
        {{"bench", "--seconds", "0.05", "--json", "{dir}"}, "is a folder"},
    };
    const auto before = folder.names();
    const auto albumBefore = TempFolder::namesIn(folder / "album");
    for (const Refusal& refusal : refusals) {
        std::vector<std::string> arguments;
        for (std::string argument : refusal.arguments) {
            for (const auto& [key, path] : {std::pair{"{in}", folder / "in.wav"},
                                            {"{silent}", folder / "silent.wav"},
                                            {"{dir}", folder.path()},
                                            {"{file}", folder / "plain"}}) {
                if (const auto at = argument.find(key); at != std::string::npos) {
                    argument.replace(at, std::string(key).size(), path.string());
                }
            }
            arguments.push_back(argument);
        }
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const CommandResult result = runVelmorin(arguments);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
        EXPECT_NE(result.err.find(refusal.mention), std::string::npos) << result.err;
        EXPECT_EQ(folder.names(), before);
        EXPECT_EQ(TempFolder::namesIn(folder / "album"), albumBefore);
    }
}

}  // namespace
