// velmorin live on a JACK server of the test's own: what it plays equals
// velmorin render bit for bit once its reported latency is taken off,
// through a change of period size and after its settings went through the
// state file; a damaged state file is refused, kept, and the defaults used.
#include <gtest/gtest.h>
#include <signal.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <thread>

#include "audio_file.h"
#include "host_error.h"
#include "jack_test_rig.h"
#include "live/port_connections.h"
#include "live_state_file.h"
#include "open_plugin.h"
#include "render.h"
#include "run_velmorin.h"
#include "temp_folder.h"

using velmorin::host::AudioBuffer;
using velmorin::host::readAudioFile;
using velmorin::host::SampleFormat;
using velmorin::host::writeAudioFile;

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 64;
constexpr std::size_t kSignalFrames = kRate * 3 / 2;
// The effect's state settles within a few thousand frames of silence, and
// velmorin live runs on silence before the signal comes: the reference
// render starts with this much.
constexpr std::size_t kSilenceBefore = 8192;
// A program without dither (its noise depends on how long the effect has run)
// and without Normalize (which moves Output as it plays, and the state keeps
// where it went), so that two runs can be compared bit for bit.
constexpr const char* kProgram = "Preserve Attacks";
constexpr const char* kConnect = "player:out_1,player:out_2:recorder:in_1,recorder:in_2";

struct Format {
    const char* name;
    const char* plugin;
};

const Format kFormats[] = {{"vst2", VELMORIN_VST2_PATH}, {"clap", VELMORIN_CLAP_PATH}};

// A mix loud enough to keep every band's compressor and the limiter busy.
AudioBuffer testSignal(std::size_t silence) {
    AudioBuffer audio;
    audio.sampleRate = kRate;
    audio.resize(silence + kSignalFrames);
    uint32_t noise = 12345;
    for (std::size_t i = 0; i < kSignalFrames; ++i) {
        const float t = static_cast<float>(i) / kRate;
        noise = noise * 1664525u + 1013904223u;
        const float hiss = static_cast<float>(noise >> 8) / 16777216.0f - 0.5f;
        const float swell = 0.5f + 0.5f * std::sin(2.0f * 3.14159265f * 1.5f * t);
        audio.left[silence + i] =
            0.7f * swell * std::sin(2.0f * 3.14159265f * 110.0f * t) + 0.2f * hiss;
        audio.right[silence + i] =
            0.5f * std::sin(2.0f * 3.14159265f * 2500.0f * t) * swell + 0.3f * hiss;
    }
    return audio;
}

std::vector<std::string> joined(std::vector<std::string> first,
                                const std::vector<std::string>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

AudioBuffer withoutSilence(AudioBuffer audio) {
    audio.left.erase(audio.left.begin(), audio.left.begin() + kSilenceBefore);
    audio.right.erase(audio.right.begin(), audio.right.begin() + kSilenceBefore);
    return audio;
}

class LiveTest : public ::testing::TestWithParam<Format> {
  protected:
    std::string owner(const velmorin::host::PluginInstance& plugin) {
        return velmorin::host::liveStateOwner(plugin.name(), GetParam().plugin);
    }

    // `velmorin render` of the signal with its latency taken off.
    AudioBuffer reference(const std::vector<std::string>& options) {
        writeAudioFile(folder / "in.wav", testSignal(kSilenceBefore), SampleFormat::float32);
        const CommandResult rendered = runVelmorin(joined(
            {"render", (folder / "in.wav").string(), (folder / "ref.wav").string(), "--block",
             std::to_string(kPeriod), "--compensate-latency", "--plugin", GetParam().plugin},
            options));
        EXPECT_EQ(rendered.exitCode, 0) << rendered.err;
        return withoutSilence(readAudioFile(folder / "ref.wav"));
    }

    // The same render with the settings kept in the state file, loaded as
    // velmorin live loads them.
    AudioBuffer referenceFromState() {
        const auto plugin = velmorin::host::openPlugin(GetParam().plugin);
        const auto kept = velmorin::host::readLiveState(state, owner(*plugin));
        EXPECT_TRUE(kept.has_value());
        if (kept) plugin->loadState(*kept);
        plugin->prepare(kRate, kPeriod);
        return withoutSilence(
            velmorin::host::render(*plugin, testSignal(kSilenceBefore), true, {}).output);
    }

    std::unique_ptr<Spawned> startLive(const std::vector<std::string>& options,
                                       const std::filesystem::path& stateFile) {
        auto live = std::make_unique<Spawned>(
            VELMORIN_COMMAND_PATH,
            joined({"live", "--no-editor", "--name", "live", "--state", stateFile.string()},
                   joined({"--plugin", GetParam().plugin}, options)),
            folder.path());
        return live;
    }

    TempFolder folder;
    const std::filesystem::path state = folder / "live-state";
};

bool connected(jack_client_t* client, const char* port, const char* to) {
    jack_port_t* found = jack_port_by_name(client, port);
    return found && jack_port_connected_to(found, to);
}

// Plays the signal through velmorin live once it has connected to PLAYER
// and RECORDER, the period growing to 128 frames halfway; answers what it
// recorded from the signal's first frame on, with the latency the graph
// reported taken off.
AudioBuffer playThrough(TapClient& player, TapClient& recorder, int& reportedLatency) {
    jack_client_t* client = recorder.client();
    EXPECT_TRUE(waitFor(
        [&] {
            return connected(client, "live:out_2", "recorder:in_2") &&
                   connected(client, "player:out_2", "live:in_2");
        },
        20.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // longer than kSilenceBefore

    jack_latency_range_t range{};
    jack_port_get_latency_range(jack_port_by_name(client, "live:out_1"), JackCaptureLatency,
                                &range);
    reportedLatency = static_cast<int>(range.max);
    recorder.arm();
    player.arm();
    EXPECT_TRUE(waitFor([&] { return player.position() > kSignalFrames / 2; }, 60.0));
    EXPECT_EQ(jack_set_buffer_size(client, 2 * kPeriod), 0);
    // The recorder may have started a period before the player, never after.
    EXPECT_GE(player.firstFrame(), recorder.firstFrame());
    const std::size_t skip = player.firstFrame() - recorder.firstFrame() + reportedLatency;
    EXPECT_TRUE(waitFor([&] { return recorder.position() >= skip + kSignalFrames; }, 60.0));
    EXPECT_EQ(jack_set_buffer_size(client, kPeriod), 0);

    AudioBuffer recorded;
    if (recorder.position() < skip + kSignalFrames) return recorded;  // fails the comparison
    recorded.left.assign(recorder.left().begin() + skip,
                         recorder.left().begin() + skip + kSignalFrames);
    recorded.right.assign(recorder.right().begin() + skip,
                          recorder.right().begin() + skip + kSignalFrames);
    return recorded;
}

TEST_P(LiveTest, PlaysAsRenderDoesThroughAPeriodChangeAndAfterItsStateIsReloaded) {
    JackServer server(kPeriod);
    const AudioBuffer defaults = reference({});
    // The program is chosen by name the first time; the second run has only
    // the state file the first one left.
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "with --program" : "from the state file");
        const AudioBuffer expected =
            first ? reference({"--program", kProgram}) : referenceFromState();
        EXPECT_NE(expected.left, defaults.left);
        const AudioBuffer signal = testSignal(0);
        TapClient recorder("recorder", false, {}, {}, kSignalFrames + 4 * kRate);
        TapClient player("player", true, signal.left, signal.right, 0);
        auto live =
            startLive(first ? std::vector<std::string>{"--program", kProgram, "--connect", kConnect}
                            : std::vector<std::string>{"--connect", kConnect},
                      state);
        int latency = -1;
        const AudioBuffer recorded = playThrough(player, recorder, latency);
        EXPECT_GT(latency, 0);
        EXPECT_TRUE(recorded.left == expected.left && recorded.right == expected.right)
            << "latency " << latency;

        EXPECT_EQ(live->stop(SIGINT), 0) << live->err();
        EXPECT_TRUE(server.waitUntilGone("live"));
        const std::string out = live->out();
        std::smatch figures;
        ASSERT_TRUE(std::regex_search(
            out, figures,
            std::regex(
                R"((\d+) periods, (\d+) xruns; callback load mean ([\d.]+) %, max ([\d.]+) %)")))
            << out;
        EXPECT_GT(std::stoull(figures[1]), kSignalFrames / (2 * kPeriod));
        EXPECT_LE(std::stod(figures[3]), std::stod(figures[4]));
        std::printf("%s: %s", GetParam().name, figures[0].str().c_str());
        EXPECT_NE(out.find("settings saved to " + state.string()), std::string::npos) << out;
    }
}

TEST_P(LiveTest, ADamagedStateFileIsRefusedAndKeptAndTheDefaultsAreUsed) {
    JackServer server(kPeriod);
    // What a run from the defaults leaves.
    const std::filesystem::path fresh = folder / "fresh-state";
    {
        auto live = startLive({}, fresh);
        EXPECT_TRUE(waitFor([&] { return !live->out().empty(); }, 60.0));
        EXPECT_EQ(live->stop(SIGTERM), 0) << live->err();
        EXPECT_TRUE(server.waitUntilGone("live"));
    }

    // Settings the plug-in refuses in a sound file, then files damaged on disk.
    velmorin::host::writeLiveState(state, owner(*velmorin::host::openPlugin(GetParam().plugin)),
                                   {'n', 'o', 't', ' ', 'o', 'u', 'r', 's'});
    const std::string refused = fileBytes(state);
    const std::string header = "velmorin live state 1\nplugin Velmorin\nbytes 9\nfnv1a64 0\n\n";
    for (const std::string& damaged : {refused, header + "123456789", header + "short",
                                       std::string("\x7f"
                                                   "ELF not ours")}) {
        std::filesystem::remove_all(state.string() + ".damaged");
        std::ofstream(state, std::ios::binary) << damaged;
        auto live = startLive({}, state);
        EXPECT_TRUE(waitFor([&] { return !live->out().empty(); }, 60.0));
        EXPECT_EQ(live->stop(SIGINT), 0) << live->err();
        EXPECT_TRUE(server.waitUntilGone("live"));
        EXPECT_NE(live->err().find("the state file is refused: the plug-in starts from its "
                                   "defaults, and the file is kept as " +
                                   state.string() + ".damaged"),
                  std::string::npos)
            << live->err();
        EXPECT_EQ(fileBytes(state.string() + ".damaged"), damaged);
        EXPECT_EQ(fileBytes(state), fileBytes(fresh));
    }
}

// Port names hold a colon themselves: the separator is the one colon that
// leaves a client:port on each side.
TEST(PortConnections, FindTheOneColonBetweenInputsAndOutputs) {
    using velmorin::host::parsePortConnections;
    const struct {
        const char* text;
        std::vector<std::string> inputs;
        std::vector<std::string> outputs;
    } readable[] = {
        {"system:capture_1,system:capture_2:system:playback_1,system:playback_2",
         {"system:capture_1", "system:capture_2"},
         {"system:playback_1", "system:playback_2"}},
        {":system:playback_.*", {}, {"system:playback_.*"}},
        {"mixer:out_l,mixer:out_r:", {"mixer:out_l", "mixer:out_r"}, {}},
    };
    for (const auto& [text, inputs, outputs] : readable) {
        const auto connections = parsePortConnections(text);
        EXPECT_EQ(connections.inputs, inputs) << text;
        EXPECT_EQ(connections.outputs, outputs) << text;
    }
    for (const char* unreadable : {"system", "a:b:c", "a:b,c:d", "a:b:c:d:e:f"}) {
        EXPECT_THROW(parsePortConnections(unreadable), velmorin::host::HostError) << unreadable;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, LiveTest, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
