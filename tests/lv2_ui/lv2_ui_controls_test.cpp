// The UI's controls over the host's messages: the feed merges as the engine
// merges it, port values arrive in stored units, the user's changes leave in
// the ports' shown units inside touch gestures, and bad messages change
// nothing.
#include "formats/lv2/lv2_ui_controls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/effect.h"
#include "engine/parameter_mapping.h"
#include "formats/lv2/display_feed_writer.h"
#include "formats/lv2/followed_outputs.h"
#include "formats/lv2/lv2_identity.h"
#include "params/shown_value.h"

namespace velmorin::lv2 {
namespace {

struct UriMap {
    std::vector<std::string> uris;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle handle, const char* uri) {
                         auto& uris = static_cast<UriMap*>(handle)->uris;
                         for (size_t i = 0; i < uris.size(); ++i) {
                             if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
                         }
                         uris.emplace_back(uri);
                         return static_cast<LV2_URID>(uris.size());
                     }};
};

// What the host was told, in order: writes and touches.
struct HostCall {
    enum Kind { Write, Touch } kind;
    uint32_t port;
    float value;  // the value written; 1 or 0 for a touch grabbed or let go
    friend bool operator==(const HostCall&, const HostCall&) = default;
};

struct RecordingHost {
    std::vector<HostCall> calls;
    LV2UI_Touch touch{this, [](LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
                          static_cast<RecordingHost*>(handle)->calls.push_back(
                              {HostCall::Touch, port, grabbed ? 1.0f : 0.0f});
                      }};
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer) {
        ASSERT_EQ(size, sizeof(float));
        ASSERT_EQ(format, 0u);
        float value;
        std::memcpy(&value, buffer, sizeof value);
        static_cast<RecordingHost*>(controller)->calls.push_back({HostCall::Write, port, value});
    }
    UiHost ui() { return {write, this, &touch}; }
};

// One feed object as the plug-in writes it into its atom port.
struct FeedEvent {
    alignas(8) uint8_t buffer[1024];

    FeedEvent(LV2_URID_Map* map, const DisplayFeedValues& values) {
        auto* sequence = reinterpret_cast<LV2_Atom_Sequence*>(buffer);
        sequence->atom.size = sizeof buffer;
        DisplayFeedWriter(map).write(sequence, values);
    }
    const LV2_Atom* atom() const {
        const auto* sequence = reinterpret_cast<const LV2_Atom_Sequence*>(buffer);
        return &lv2_atom_sequence_begin(&sequence->body)->body;
    }
    uint32_t size() const { return sizeof(LV2_Atom) + atom()->size; }
};

LaneExtremes lanes(float scale) {
    LaneExtremes waves;
    for (int32_t i = 0; i < kNumLanes; ++i) {
        const float s = scale * static_cast<float>(i + 1);
        waves.lane[i] = {0.1f * s, -0.2f * s, 0.3f * s, -0.05f * s, 0.9f, 0.8f / s, 0.7f, 0.6f * s};
    }
    return waves;
}

void expectSameExtremes(const LaneExtremes& a, const LaneExtremes& b) {
    for (int32_t i = 0; i < kNumLanes; ++i) {
        EXPECT_EQ(std::memcmp(&a.lane[i], &b.lane[i], sizeof(WaveExtremes)), 0) << "lane " << i;
    }
}

// Feeds arriving between two takes, and what a take hands the editor.
struct FeedCase {
    const char* name;
    std::vector<DisplayFeedValues> feeds;
};

class Lv2UiFeed : public testing::TestWithParam<FeedCase> {};

TEST_P(Lv2UiFeed, ArrivesMergedAsTheEngineMergesIt) {
    UriMap uris;
    RecordingHost host;
    Lv2UiControls controls(&uris.map, host.ui());
    const LV2_URID transfer = uris.map.map(uris.map.handle, LV2_ATOM__eventTransfer);
    FeedMailbox<LaneExtremes> engineWaves;
    FeedMailbox<OutputSums> engineSums;
    bool relinked = false;
    for (const DisplayFeedValues& values : GetParam().feeds) {
        const FeedEvent event(&uris.map, values);
        controls.portEvent(kDisplayFeedPort, event.size(), transfer, event.atom());
        engineWaves.publish(values.waves);
        engineSums.publish(values.sums);
        relinked = relinked || values.outputRelinked;
    }
    expectSameExtremes(controls.takeWaveExtremes(), engineWaves.take());
    const OutputSums sums = controls.takeOutputSums(), expected = engineSums.take();
    EXPECT_EQ(sums.sumSqLeft, expected.sumSqLeft);
    EXPECT_EQ(sums.sumSqRight, expected.sumSqRight);
    EXPECT_EQ(sums.sampleCount, expected.sampleCount);
    EXPECT_EQ(controls.takeOutputRelinked(), relinked);
    EXPECT_EQ(controls.outputGain(), GetParam().feeds.back().outputGain);
    EXPECT_EQ(controls.limiterThresholdGain(), GetParam().feeds.back().limiterThresholdGain);
    // Each take starts afresh.
    expectSameExtremes(controls.takeWaveExtremes(), LaneExtremes{});
    EXPECT_EQ(controls.takeOutputSums().sampleCount, 0);
    EXPECT_FALSE(controls.takeOutputRelinked());
}

INSTANTIATE_TEST_SUITE_P(
    Feeds, Lv2UiFeed,
    testing::Values(FeedCase{"one", {{lanes(1.0f), {2.5f, 3.5f, 64}, 0.5f, 0.25f, false}}},
                    FeedCase{"louderThenQuieter",
                             {{lanes(2.0f), {1.0f, 2.0f, 512}, 2.0f, 0.5f, true},
                              {lanes(0.5f), {0.25f, 0.5f, 1}, 1.5f, 0.75f, false}}},
                    FeedCase{"quieterThenLouder",
                             {{lanes(0.5f), {0.25f, 0.5f, 1}, 1.0f, 1.0f, false},
                              {lanes(3.0f), {4.0f, 8.0f, 64}, 0.9f, 0.1f, false},
                              {lanes(1.0f), {1.0f, 1.0f, 64}, 0.8f, 0.2f, true}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A user's change to a parameter or setting, and what the host hears.
struct WriteCase {
    const char* name;
    int32_t parameter;  // -1: the normalize target, -2: DC removal
    float value;        // stored units, or the setting
    std::vector<HostCall> heard;
    float parameterAfter;  // what the editor then reads back
};

class Lv2UiWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(Lv2UiWrite, LeavesInShownUnitsInsideATouch) {
    UriMap uris;
    RecordingHost host;
    Lv2UiControls controls(&uris.map, host.ui());
    const WriteCase& c = GetParam();
    if (c.parameter >= 0) {
        const auto index = static_cast<ParameterIndex>(c.parameter);
        controls.beginGesture(index);
        controls.changeParameter(index, c.value);
        controls.endGesture(index);
        EXPECT_EQ(controls.parameter(index), c.parameterAfter);
    } else if (c.parameter == -1) {
        controls.setNormalizeTarget(static_cast<int32_t>(c.value));
        EXPECT_EQ(controls.normalizeTarget(), c.parameterAfter);
    } else {
        controls.setDcRemoval(static_cast<int32_t>(c.value));
        EXPECT_EQ(controls.dcRemoval(), c.parameterAfter);
    }
    EXPECT_EQ(host.calls, c.heard);
}

using enum HostCall::Kind;
INSTANTIATE_TEST_SUITE_P(
    Changes, Lv2UiWrite,
    testing::Values(
        WriteCase{"highThreshold",
                  kThrH,
                  12.0f,
                  {{Touch, kThrH, 1}, {Write, kThrH, -6.0f}, {Touch, kThrH, 0}},
                  12.0f},
        WriteCase{"bypass",
                  kBypass,
                  1.0f,
                  {{Touch, kBypass, 1}, {Write, kBypass, 1.0f}, {Touch, kBypass, 0}},
                  1.0f},
        WriteCase{"output",
                  kOutput,
                  18000.0f,
                  {{Touch, kOutput, 1}, {Write, kOutput, 6.0f}, {Touch, kOutput, 0}},
                  18000.0f},
        WriteCase{"outputAboveRange",
                  kOutput,
                  1e9f,
                  {{Touch, kOutput, 1}, {Write, kOutput, 0.0f}, {Touch, kOutput, 0}},
                  24000.0f},
        WriteCase{"normalizeTargetClamped", -1, 7.0f, {{Write, kNormalizeTargetPort, 3.0f}}, 3},
        WriteCase{"dcRemovalAnyNonZero", -2, 5.0f, {{Write, kDcRemovalPort, 1.0f}}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Every program's values, sent as the host sends the ports', read back in
// stored units exactly as the plug-in holds them.
class Lv2UiPortValues : public testing::TestWithParam<int32_t> {};

TEST_P(Lv2UiPortValues, ArriveInStoredUnits) {
    UriMap uris;
    RecordingHost host;
    Lv2UiControls controls(&uris.map, host.ui());
    Effect effect;
    effect.setProgram(GetParam());
    EXPECT_TRUE(controls.takeParametersChanged());
    for (int32_t index = 0; index < kNumParameters; ++index) {
        const float port = shownValueOf(index, effect.storedValue(index));
        controls.portEvent(static_cast<uint32_t>(index), sizeof port, 0, &port);
    }
    EXPECT_TRUE(controls.takeParametersChanged());
    for (int32_t index = 0; index < kNumParameters; ++index) {
        EXPECT_EQ(controls.parameter(static_cast<ParameterIndex>(index)), effect.storedValue(index))
            << parameterInfo(index).symbol;
    }
    EXPECT_TRUE(host.calls.empty()) << "a host's value is not sent back";
}

INSTANTIATE_TEST_SUITE_P(Programs, Lv2UiPortValues, testing::Range(0, kNumPrograms));

// Messages a careless host or another process could send: none changes what
// the editor reads.
TEST(Lv2UiBadMessages, ChangeNothing) {
    UriMap uris;
    RecordingHost host;
    Lv2UiControls controls(&uris.map, host.ui());
    const LV2_URID transfer = uris.map.map(uris.map.handle, LV2_ATOM__eventTransfer);
    const FeedEvent event(&uris.map, {lanes(1.0f), {1.0f, 1.0f, 8}, 0.5f, 0.5f, true});
    FeedEvent negativeCount(&uris.map, {lanes(1.0f), {1.0f, 1.0f, -8}, 0.5f, 0.5f, true});
    FeedEvent zeroGain(&uris.map, {lanes(1.0f), {1.0f, 1.0f, 8}, 0.0f, 0.5f, true});
    const float threshold = 12.0f, nan = std::numeric_limits<float>::quiet_NaN();
    const float before = controls.parameter(kThrH);
    struct Message {
        uint32_t port, size, format;
        const void* buffer;
    };
    const Message messages[] = {
        {kDisplayFeedPort, event.size() - 4, transfer, event.atom()},    // cut short
        {kDisplayFeedPort, 4, transfer, event.atom()},                   // not even a header
        {kDisplayFeedPort, event.size(), transfer + 100, event.atom()},  // unknown format
        {kThrH, event.size(), transfer, event.atom()},                   // feed to a control
        {kDisplayFeedPort, negativeCount.size(), transfer, negativeCount.atom()},
        {kDisplayFeedPort, zeroGain.size(), transfer, zeroGain.atom()},
        {kDisplayFeedPort, event.size(), transfer, nullptr},
        {kThrH, 2, 0, &threshold},  // a float cut short
        {kNumPorts + 5, 4, 0, &threshold},
    };
    for (const Message& m : messages) controls.portEvent(m.port, m.size, m.format, m.buffer);
    expectSameExtremes(controls.takeWaveExtremes(), LaneExtremes{});
    EXPECT_EQ(controls.takeOutputSums().sampleCount, 0);
    EXPECT_FALSE(controls.takeOutputRelinked());
    EXPECT_EQ(controls.parameter(kThrH), before);
    // A NaN in a port lands inside its range, as in the plug-in.
    controls.portEvent(kThrH, sizeof nan, 0, &nan);
    EXPECT_EQ(controls.parameter(kThrH), storedOfShownValue(kThrH, nan));
    EXPECT_TRUE(host.calls.empty());
}

// Under Normalize the Output value follows the gain the feed reports, once
// for each new gain, and again after a restart; the host's port is written
// once for each new value, outside any gesture.
TEST(Lv2UiNormalizer, OutputFollowsTheReportedGainAndIsWrittenToTheHost) {
    UriMap uris;
    RecordingHost host;
    Lv2UiControls controls(&uris.map, host.ui());
    const LV2_URID transfer = uris.map.map(uris.map.handle, LV2_ATOM__eventTransfer);
    const float on = 1.0f;
    controls.portEvent(kNormalize, sizeof on, 0, &on);
    const FeedEvent event(&uris.map, {{}, {}, 0.5f, 1.0f, false});
    controls.portEvent(kDisplayFeedPort, event.size(), transfer, event.atom());
    ASSERT_EQ(controls.followNormalizer(), outputValueFor(0.5f));
    EXPECT_EQ(controls.parameter(kOutput), static_cast<float>(outputValueFor(0.5f)));
    EXPECT_EQ(controls.followNormalizer(), std::nullopt);
    controls.restartNormalizerFollow();
    EXPECT_EQ(controls.followNormalizer(), outputValueFor(0.5f));
    const FeedEvent lower(&uris.map, {{}, {}, 0.25f, 1.0f, false});
    controls.portEvent(kDisplayFeedPort, lower.size(), transfer, lower.atom());
    EXPECT_EQ(controls.followNormalizer(), outputValueFor(0.25f));
    const auto written = [](float gain) {
        return HostCall{HostCall::Write, kOutput,
                        shownValueOf(kOutput, static_cast<float>(outputValueFor(gain)))};
    };
    EXPECT_EQ(host.calls, (std::vector<HostCall>{written(0.5f), written(0.25f)}));
}

// The plug-in's record of the Output values it followed keeps the latest 64,
// however many came before.
TEST(FollowedOutputs, KeepsTheLatest64) {
    for (const int32_t count : {64, 65, 100}) {
        SCOPED_TRACE(count);
        FollowedOutputs followed;
        for (int32_t output = 1; output <= count; ++output) followed.add(output);
        EXPECT_TRUE(followed.contains(count));
        EXPECT_TRUE(followed.contains(count - 63));
        EXPECT_FALSE(followed.contains(count - 64));
        EXPECT_FALSE(followed.contains(count + 1));
    }
    EXPECT_FALSE(FollowedOutputs{}.contains(0));
}

}  // namespace
}  // namespace velmorin::lv2
