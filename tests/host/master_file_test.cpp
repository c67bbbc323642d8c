// Where one mastered piece is written, and what is left when a step fails:
// the order render, batch and demo rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "host_error.h"
#include "master_file.h"
#include "temp_folder.h"

namespace velmorin::host {
namespace {

AudioBuffer shortTone() {
    AudioBuffer audio;
    audio.resize(4410);
    for (std::size_t i = 0; i < audio.frames(); ++i)
        audio.left[i] = audio.right[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
    return audio;
}

TEST(MasterToFiles, WritesWhatItIsGivenAndStopsAtTheFirstFailure) {
    const struct {
        const char* what;
        const char* plugin;  // nullptr: Velmorin
        bool outputIsAFolder;
        bool fails;
        std::set<std::string> names;  // in the folder afterwards
    } cases[] = {
        {"all files", nullptr, false, false, {"copy.wav", "out.wav", "out.png"}},
        {"output unwritable", nullptr, true, true, {"copy.wav", "out.wav"}},
        {"plug-in missing", "/nonexistent/plugin.so", false, true, {}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        if (c.outputIsAFolder) std::filesystem::create_directory(folder / "out.wav");
        RenderJob job;
        job.plugin = c.plugin ? c.plugin : VELMORIN_PLUGIN_PATH;
        const MasteredFiles files{.output = folder / "out.wav",
                                  .format = SampleFormat::pcm16,
                                  .plot = folder / "out.png",
                                  .inputCopy = folder / "copy.wav"};
        if (c.fails) {
            EXPECT_THROW(masterToFiles(job, std::nullopt, shortTone(), "tone", files, {}),
                         HostError)
                << c.what;
        } else {
            const RenderReport report =
                masterToFiles(job, std::nullopt, shortTone(), "tone", files, {});
            EXPECT_EQ(report.input, "tone");
            EXPECT_EQ(report.output, files.output.string());
        }
        EXPECT_EQ(folder.names(), c.names) << c.what;
    }
}

}  // namespace
}  // namespace velmorin::host
