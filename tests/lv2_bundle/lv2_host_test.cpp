// The LV2 bundle loaded from the build tree through lilv, as hosts load it:
// its ports and presets, its latency, its output against the VST 2.4 build's,
// its state, the Output value its UI follows the normalizer to, and what it
// makes of values no host should send.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <lv2/atom/util.h>

#include "dense_mix.h"
#include "editor/meters.h"
#include "engine/parameter_mapping.h"
#include "formats/lv2/display_feed_reader.h"
#include "formats/lv2/inline_display.h"
#include "formats/lv2/lv2_identity.h"
#include "formats/lv2/lv2_ui_controls.h"
#include "lv2_bundle/lilv_host.h"
#include "params/parameter_table.h"
#include "params/parameter_unit.h"
#include "params/program_bank.h"
#include "params/shown_value.h"
#include "snapshot/png_file.h"
#include "support/loaded_plugin.h"
#include "support/vst2_render.h"

using namespace velmorin;

namespace {

constexpr const char* kUnitsDb = "http://lv2plug.in/ns/extensions/units#db";
constexpr int kFrames = 22050;

LilvBundle& bundle() {
    static LilvBundle loaded;
    return loaded;
}

std::string vstProgramName(int32_t program) {
    Plugin vst;
    vst.selectProgram(program);
    return vst.programName();
}

struct Rendered {
    std::vector<float> left, right;
};

Rendered renderVst(int32_t program, const StereoSignal& in, size_t block) {
    Plugin vst;
    vst.selectProgram(program);
    std::vector<float> left = in.left, right = in.right;
    Rendered out{std::vector<float>(left.size()), std::vector<float>(left.size())};
    for (size_t start = 0; start < left.size(); start += block) {
        const auto frames = static_cast<int32_t>(std::min(block, left.size() - start));
        vst.process(&left[start], &right[start], &out.left[start], &out.right[start], frames);
    }
    return out;
}

Rendered renderLv2(LilvEffect& effect, const StereoSignal& in, size_t block, bool inPlace) {
    std::vector<float> left = in.left, right = in.right;
    Rendered out;
    effect.process(left, right, out.left, out.right, block, inPlace);
    return out;
}

size_t peakIndex(const std::vector<float>& signal) {
    size_t peak = 0;
    for (size_t i = 1; i < signal.size(); ++i) {
        if (std::fabs(signal[i]) > std::fabs(signal[peak])) peak = i;
    }
    return peak;
}

std::string portValueOf(const LilvPort* port, const char* predicate) {
    LilvNode* property = bundle().node(predicate);
    LilvNodes* values = lilv_port_get_value(bundle().plugin(), port, property);
    std::string text = values ? lilv_node_as_string(lilv_nodes_get_first(values)) : "";
    lilv_nodes_free(values);
    lilv_node_free(property);
    return text;
}

TEST(Lv2Bundle, EveryParameterIsAControlInputWithItsSymbolNameAndUnit) {
    const LilvPlugin* plugin = bundle().plugin();
    for (int32_t index = 0; index < kNumParameters; ++index) {
        SCOPED_TRACE(index);
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        ASSERT_NE(port, nullptr);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)),
                     parameterInfo(index).symbol);
        LilvNode* name = lilv_port_get_name(plugin, port);
        EXPECT_STREQ(lilv_node_as_string(name), parameterInfo(index).words);
        lilv_node_free(name);
        const bool inDecibels =
            std::string(parameterUnit(parameterKind(index)).symbol) == std::string("dB");
        EXPECT_EQ(portValueOf(port, "http://lv2plug.in/ns/extensions/units#unit") == kUnitsDb,
                  inDecibels);
    }
}

// Hosts compare these to choose the newer of two installed bundles.
TEST(Lv2Bundle, CarriesTheProjectVersion) {
    const auto number = [](const char* predicate) {
        LilvNode* property = bundle().node(predicate);
        LilvNodes* values = lilv_plugin_get_value(bundle().plugin(), property);
        const int value = values ? lilv_node_as_int(lilv_nodes_get_first(values)) : -1;
        lilv_nodes_free(values);
        lilv_node_free(property);
        return value;
    };
    EXPECT_EQ(number(LV2_CORE__minorVersion), VELMORIN_VERSION_MINOR);
    EXPECT_EQ(number(LV2_CORE__microVersion), VELMORIN_VERSION_PATCH);
}

TEST(Lv2Bundle, ReportsItsLatencyThroughTheDesignatedPort) {
    LilvNode* latency = bundle().node(LV2_CORE__latency);
    LilvNode* output = bundle().node(LV2_CORE__OutputPort);
    const LilvPort* port = lilv_plugin_get_port_by_designation(bundle().plugin(), output, latency);
    ASSERT_NE(port, nullptr);
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(bundle().plugin(), port)), "latency");
    EXPECT_TRUE(lilv_plugin_has_latency(bundle().plugin()));
    lilv_node_free(output);
    lilv_node_free(latency);
}

TEST(Lv2Bundle, OffersEveryProgramAsAPresetNamedAsTheVstBuildNamesIt) {
    const auto presets = bundle().presets();
    ASSERT_EQ(presets.size(), static_cast<size_t>(kNumPrograms));
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        EXPECT_EQ(presets.count(vstProgramName(program)), 1u) << vstProgramName(program);
    }
}

// The delay an impulse really has, and the port saying so.
struct LatencyCase {
    float lookAhead;
    float reported;
};

class Lv2Latency : public testing::TestWithParam<LatencyCase> {};

TEST_P(Lv2Latency, IsTheDelayAnImpulseHas) {
    LilvEffect effect(bundle());
    effect.control("look_ahead") = GetParam().lookAhead;
    StereoSignal impulse{std::vector<float>(4096), std::vector<float>(4096)};
    impulse.left[0] = impulse.right[0] = 0.01f;
    const Rendered out = renderLv2(effect, impulse, 512, false);
    EXPECT_EQ(effect.control("latency"), GetParam().reported);
    EXPECT_EQ(peakIndex(out.left), static_cast<size_t>(GetParam().reported));
}

INSTANTIATE_TEST_SUITE_P(LookAhead, Lv2Latency,
                         testing::Values(LatencyCase{1.0f, 878.0f}, LatencyCase{0.0f, 0.0f}));

// Every preset, at blocks of 1, 64 and 512 frames, in place and not.
struct RenderCase {
    size_t block;
    bool inPlace;
};

class Lv2Render : public testing::TestWithParam<RenderCase> {};

// Each preset as hosts apply it: with its state, and as port values alone;
// with its state also over another preset chosen before (Normalize on or
// off), as a user goes through the list.
TEST_P(Lv2Render, EveryPresetSoundsAsTheVstBuildsProgramBitForBit) {
    const StereoSignal in = denseMix(kFrames);
    const auto presets = bundle().presets();
    for (int32_t program = 0; program < kNumPrograms; ++program) {
        const std::string name = vstProgramName(program);
        const Rendered vst = renderVst(program, in, GetParam().block);
        for (const bool withState : {true, false}) {
            SCOPED_TRACE(name + (withState ? " with its state" : " as port values"));
            LilvEffect effect(bundle());
            if (withState)
                effect.loadPreset(presets.at(vstProgramName((program + 5) % kNumPrograms)));
            effect.loadPreset(presets.at(name), withState);
            const Rendered lv2 = renderLv2(effect, in, GetParam().block, GetParam().inPlace);
            EXPECT_TRUE(sameBits(lv2.left, vst.left));
            EXPECT_TRUE(sameBits(lv2.right, vst.right));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, Lv2Render,
                         testing::Values(RenderCase{1, false}, RenderCase{1, true},
                                         RenderCase{64, false}, RenderCase{64, true},
                                         RenderCase{512, false}, RenderCase{512, true}));

// The state as text, the way a host writes it into its session.
std::string stateText(const LilvState* state) {
    char* text = lilv_state_to_string(bundle().world(), bundle().map(), bundle().unmap(), state,
                                      "urn:velmorin:state", nullptr);
    std::string copy = text ? text : "";
    lilv_free(text);
    return copy;
}

// What the state holds beside the ports, as it reads in the saved text.
void expectProgramInState(const LilvState* state, int32_t program, const std::string& name) {
    const std::string text = stateText(state);
    EXPECT_NE(text.find("velmorin#program> \"" + std::to_string(program) + "\"^^xsd:int"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("velmorin#programName> \"" + name + "\""), std::string::npos) << text;
}

// The state with its program's name replaced, as a session edited by hand.
LilvState* withProgramName(const LilvState* state, const std::string& from, const std::string& to) {
    std::string text = stateText(state);
    const std::string quoted = "\"" + from + "\"";
    const size_t at = text.find(quoted);
    if (at == std::string::npos) return nullptr;
    text.replace(at, quoted.size(), "\"" + to + "\"");
    return lilv_state_new_from_string(bundle().world(), bundle().map(), text.c_str());
}

void setSessionPorts(LilvEffect& effect) {
    effect.control("thr_high") = -12.5f;
    effect.control("ratio_low") = 7.5f;
    effect.control("normalize_target") = 2.0f;
}

TEST(Lv2State, RestoredIntoAFreshInstanceItHasTheProgramItsNameAndItsSound) {
    constexpr int32_t kSavedProgram = 3;
    constexpr int32_t kFreshProgram = 5;
    const std::string renamed = "Session master";
    const StereoSignal in = denseMix(kFrames);
    const auto presets = bundle().presets();
    LilvEffect first(bundle());
    first.loadPreset(presets.at(vstProgramName(kSavedProgram)));
    setSessionPorts(first);
    renderLv2(first, in, 256, false);  // the changed ports are applied
    // A host renames the program the way it restores a session: by state.
    LilvState* named = first.saveState();
    ASSERT_NE(named, nullptr);
    LilvState* renaming = withProgramName(named, vstProgramName(kSavedProgram), renamed);
    ASSERT_NE(renaming, nullptr);
    first.restoreState(renaming);
    lilv_state_free(renaming);
    lilv_state_free(named);
    LilvState* state = first.saveState();
    ASSERT_NE(state, nullptr);
    expectProgramInState(state, kSavedProgram, renamed);

    LilvEffect fresh(bundle());
    fresh.loadPreset(presets.at(vstProgramName(kFreshProgram)));
    fresh.restoreState(state);
    LilvState* resaved = fresh.saveState();
    expectProgramInState(resaved, kSavedProgram, renamed);
    EXPECT_TRUE(lilv_state_equals(state, resaved));
    lilv_state_free(resaved);
    lilv_state_free(state);
    LilvEffect again(bundle());
    again.loadPreset(presets.at(vstProgramName(kSavedProgram)));
    setSessionPorts(again);
    const Rendered restored = renderLv2(fresh, in, 256, false);
    const Rendered expected = renderLv2(again, in, 256, false);
    EXPECT_TRUE(sameBits(restored.left, expected.left));
    EXPECT_TRUE(sameBits(restored.right, expected.right));
}

// The meter ports, after every other port so that sessions keep theirs.
struct MeterPort {
    uint32_t index;
    const char* symbol;
    float minimum, maximum;
};
constexpr MeterPort kMeterPorts[] = {
    {lv2::kDisplayFeedPort + 1, "gr_high", -30, 0},
    {lv2::kDisplayFeedPort + 2, "gr_mid", -30, 0},
    {lv2::kDisplayFeedPort + 3, "gr_low", -30, 0},
    {lv2::kDisplayFeedPort + 4, "gr_limiter", -30, 0},
    {lv2::kDisplayFeedPort + 5, "peak_left", -90, 24},
    {lv2::kDisplayFeedPort + 6, "peak_right", -90, 24},
};

TEST(Lv2Meters, AreReadOnlyDecibelOutputsAHostNeverAutomates) {
    const LilvPlugin* plugin = bundle().plugin();
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), lv2::kDisplayFeedPort + 7);
    LilvNode* output = bundle().node(LV2_CORE__OutputPort);
    LilvNode* control = bundle().node(LV2_CORE__ControlPort);
    LilvNode* notAutomatic = bundle().node("http://lv2plug.in/ns/ext/port-props#notAutomatic");
    for (const MeterPort& text : kMeterPorts) {
        SCOPED_TRACE(text.symbol);
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, text.index);
        ASSERT_NE(port, nullptr);
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), text.symbol);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, output));
        EXPECT_TRUE(lilv_port_is_a(plugin, port, control));
        EXPECT_TRUE(lilv_port_has_property(plugin, port, notAutomatic));
        EXPECT_EQ(portValueOf(port, "http://lv2plug.in/ns/extensions/units#unit"), kUnitsDb);
        EXPECT_EQ(std::stof(portValueOf(port, LV2_CORE__minimum)), text.minimum);
        EXPECT_EQ(std::stof(portValueOf(port, LV2_CORE__maximum)), text.maximum);
    }
    lilv_node_free(notAutomatic);
    lilv_node_free(control);
    lilv_node_free(output);
}

// The editor's bar for a port's figure: gain reduction at 426.67 steps per
// decade and 0.4864 pixels a step, the output meter by its own rule.
int gainBarOf(float reductionDb) {
    return std::min(static_cast<int>(-reductionDb / 20.0f * 426.6666f * 0.4864f), 124);
}
int outputBarOf(float peakDb) {
    return outputMeterTarget(peakDb <= -90.0f ? 0.0f : std::pow(10.0f, peakDb / 20.0f), 1.0f,
                             false);
}

// On silence nothing is reduced and the peaks sit at the floor; on a loud mix
// every block's figures give the bars the editor draws from the display feed
// of the same block (within the pixel the two roundings may differ by).
TEST(Lv2Meters, ReadSilenceAsNothingAndALoudMixAsTheEditorsMeters) {
    LilvEffect effect(bundle());
    effect.loadPreset(bundle().presets().at("Heavy"));
    const lv2::DisplayFeedReader reader(bundle().map());
    const auto meter = [&](int i) { return effect.control(kMeterPorts[i].index); };
    constexpr size_t kBlock = 512;
    std::vector<float> left(kBlock), right(kBlock), outLeft, outRight;
    for (int block = 0; block < 4; ++block) {
        effect.process(left, right, outLeft, outRight, kBlock, false);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(meter(i), 0.0f) << kMeterPorts[i].symbol;
        EXPECT_EQ(meter(4), -90.0f);
        EXPECT_EQ(meter(5), -90.0f);
    }

    const StereoSignal mix = denseMix(kFrames);
    int reducingBlocks[4] = {};
    for (size_t at = 0; at + kBlock <= mix.left.size(); at += kBlock) {
        SCOPED_TRACE(at);
        left.assign(mix.left.begin() + at, mix.left.begin() + at + kBlock);
        right.assign(mix.right.begin() + at, mix.right.begin() + at + kBlock);
        effect.process(left, right, outLeft, outRight, kBlock, false);
        std::optional<lv2::DisplayFeedValues> feed;
        LV2_ATOM_SEQUENCE_FOREACH(&effect.displayFeed(), event) {
            feed = reader.read(&event->body, sizeof(LV2_Atom) + event->body.size);
        }
        ASSERT_TRUE(feed);
        for (int lane = 0; lane < kNumLanes; ++lane) {
            const int bar = evaluateLane(feed->waves.lane[lane]).barTarget;
            EXPECT_NEAR(gainBarOf(meter(lane)), bar, 1) << kMeterPorts[lane].symbol;
            reducingBlocks[lane] += meter(lane) < -1.0f;
        }
        const LaneReading master = evaluateLane(feed->waves.lane[kMasterLane]);
        EXPECT_NEAR(outputBarOf(meter(4)),
                    outputMeterTarget(master.processedLeft, feed->outputGain, false), 1);
        EXPECT_NEAR(outputBarOf(meter(5)),
                    outputMeterTarget(master.processedRight, feed->outputGain, false), 1);
    }
    for (int lane = 0; lane < kNumLanes; ++lane) EXPECT_GT(reducingBlocks[lane], 0) << lane;
}

// The mixer-strip picture: a redraw is asked for at most 25 times a second of
// audio and never while nothing changes; painted for a known state (Heavy
// after two seconds of the dense mix) at two of the host's sizes, as the
// golden pictures show it, and refused below 20 pixels high.
TEST(Lv2InlineDisplay, AsksForFewRedrawsAndPaintsTheGoldenPictureAtEachSize) {
    int draws = 0;
    lv2::InlineDisplayQueue queue{&draws, [](void* count) { ++*static_cast<int*>(count); }};
    const LV2_Feature queueFeature{lv2::kQueueDrawUri, &queue};
    LilvEffect effect(bundle(), 44100.0, &queueFeature);
    const auto* display = static_cast<const lv2::InlineDisplayInterface*>(
        lilv_instance_get_extension_data(effect.instance(), lv2::kInlineDisplayInterfaceUri));
    ASSERT_NE(display, nullptr);
    LV2_Handle handle = lilv_instance_get_handle(effect.instance());

    std::vector<float> left(44100), right(44100), outLeft, outRight;
    effect.process(left, right, outLeft, outRight, 256, false);
    EXPECT_EQ(draws, 0);  // silence shows what a new instance shows

    effect.loadPreset(bundle().presets().at("Heavy"));
    const StereoSignal mix = denseMix(2 * 44100);
    renderLv2(effect, mix, 256, false);
    EXPECT_GT(draws, 25);
    EXPECT_LE(draws, 2 * 25 + 1);

    EXPECT_EQ(display->render(handle, 200, lv2::kInlineDisplayMinHeight - 1), nullptr);
    for (const auto [width, height] : {std::pair{120, 20}, std::pair{200, 40}}) {
        const std::string name =
            "inline-display-" + std::to_string(width) + "x" + std::to_string(height) + ".png";
        SCOPED_TRACE(name);
        const lv2::InlineDisplaySurface* surface = display->render(handle, width, height);
        ASSERT_NE(surface, nullptr);
        ASSERT_EQ(surface->width, width);
        ASSERT_EQ(surface->height, height);
        platform::PixelBuffer painted(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t argb;
                std::memcpy(&argb, surface->data + y * surface->stride + x * 4, sizeof argb);
                EXPECT_EQ(argb >> 24, 0xFFu);
                painted.at(x, y) =
                    platform::rgb(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                                  static_cast<uint8_t>(argb));
            }
        }
        snapshot::writePng(name, painted);  // beside the test, to look at
        const platform::PixelBuffer golden =
            snapshot::readPng(std::string(VELMORIN_GOLDEN_DIR) + "/" + name);
        EXPECT_EQ(painted.pixels, golden.pixels);
    }
}

// The UI's controls with the plug-in's display feed forwarded to them, and
// their port writes reaching the plug-in some blocks late, as in a host whose
// UI idles less often than audio runs.
class DelayedUi {
  public:
    DelayedUi(LilvEffect& effect, size_t delayBlocks)
        : effect_(effect), delay_(delayBlocks), controls_(bundle().map(), {write, this, nullptr}) {}

    lv2::Lv2UiControls& controls() { return controls_; }
    void portEvent(uint32_t port, float value) {
        controls_.portEvent(port, sizeof value, 0, &value);
    }
    void afterBlock() {
        const LV2_URID transfer =
            bundle().map()->map(bundle().map()->handle, LV2_ATOM__eventTransfer);
        LV2_ATOM_SEQUENCE_FOREACH(&effect_.displayFeed(), event) {
            controls_.portEvent(lv2::kDisplayFeedPort, sizeof(LV2_Atom) + event->body.size,
                                transfer, &event->body);
        }
        controls_.followNormalizer();  // as the editor's display tick does
        pending_.push_back(std::exchange(written_, {}));
        if (pending_.size() > delay_) deliverOldest();
    }
    void deliverAll() {
        pending_.push_back(std::exchange(written_, {}));
        while (!pending_.empty()) deliverOldest();
    }
    size_t writes() const { return delivered_; }

  private:
    struct Write {
        uint32_t port;
        float value;
    };
    static void write(LV2UI_Controller controller, uint32_t port, uint32_t, uint32_t,
                      const void* buffer) {
        float value;
        std::memcpy(&value, buffer, sizeof value);
        static_cast<DelayedUi*>(controller)->written_.push_back({port, value});
    }
    void deliverOldest() {
        for (const Write& w : pending_.front()) {
            effect_.control(parameterInfo(static_cast<int32_t>(w.port)).symbol) = w.value;
            ++delivered_;
        }
        pending_.pop_front();
    }

    LilvEffect& effect_;
    size_t delay_;
    lv2::Lv2UiControls controls_;
    std::vector<Write> written_;
    std::deque<std::vector<Write>> pending_;
    size_t delivered_ = 0;
};

void renderBlock(LilvEffect& effect, const StereoSignal& in, size_t start, size_t block,
                 Rendered& out) {
    std::vector<float> left(in.left.begin() + start, in.left.begin() + start + block);
    std::vector<float> right(in.right.begin() + start, in.right.begin() + start + block);
    std::vector<float> outLeft, outRight;
    effect.process(left, right, outLeft, outRight, block, false);
    out.left.insert(out.left.end(), outLeft.begin(), outLeft.end());
    out.right.insert(out.right.end(), outRight.begin(), outRight.end());
}

class Lv2NormalizerFollow : public testing::TestWithParam<size_t> {};

// Under Normalize the host's Output port follows the gain the engine reached,
// written by the UI, and the plug-in keeps that gain when the value comes
// back, even late; a change the user makes still sets the gain.
TEST_P(Lv2NormalizerFollow, TheHostsOutputPortFollowsTheEngineAndTheSoundStaysItsOwn) {
    constexpr size_t kBlock = 256;
    const StereoSignal in = denseMix(kFrames * 2);
    LilvEffect followed(bundle()), alone(bundle());
    followed.control("normalize") = alone.control("normalize") = 1.0f;
    DelayedUi ui(followed, GetParam());
    ui.portEvent(kNormalize, 1.0f);
    Rendered heard, expected;
    const size_t half = in.left.size() / 2;
    for (size_t start = 0; start < half; start += kBlock) {
        renderBlock(followed, in, start, kBlock, heard);
        renderBlock(alone, in, start, kBlock, expected);
        ui.afterBlock();
    }
    ui.deliverAll();
    EXPECT_GT(ui.writes(), 1u) << "the Output value did not follow the normalizer";
    const float engines = static_cast<float>(outputValueFor(ui.controls().outputGain()));
    EXPECT_EQ(followed.control("output"), shownValueOf(kOutput, engines));
    EXPECT_LT(ui.controls().outputGain(), outputGainFor(0)) << "the normalizer lowered nothing";
    EXPECT_TRUE(sameBits(heard.left, expected.left));
    EXPECT_TRUE(sameBits(heard.right, expected.right));

    // The user sets 0 dB in the editor: the sound leaves the normalizer's.
    ui.controls().changeParameter(kOutput, 24000.0f);
    ui.deliverAll();
    Rendered changed, unchanged;
    renderBlock(followed, in, half, kBlock, changed);
    renderBlock(alone, in, half, kBlock, unchanged);
    EXPECT_FALSE(sameBits(changed.left, unchanged.left));
}

// 40 blocks late: by then the normalizer has been followed for more blocks
// than the plug-in's record of followed values holds.
INSTANTIATE_TEST_SUITE_P(UiDelayInBlocks, Lv2NormalizerFollow, testing::Values(0, 1, 8, 40));

// Values outside every port's range, and no number at all.
class Lv2HostileValue : public testing::TestWithParam<float> {};

TEST_P(Lv2HostileValue, EveryPortTakesItAndTheOutputStaysFinite) {
    const StereoSignal in = denseMix(4096);
    LilvEffect effect(bundle());
    for (int32_t index = 0; index < kNumParameters; ++index) {
        effect.control(parameterInfo(index).symbol) = GetParam();
    }
    effect.control("normalize_target") = GetParam();
    effect.control("dc_removal") = GetParam();
    const Rendered out = renderLv2(effect, in, 512, false);
    for (size_t i = 0; i < out.left.size(); ++i) {
        ASSERT_TRUE(std::isfinite(out.left[i]) && std::isfinite(out.right[i])) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, Lv2HostileValue,
                         testing::Values(NAN, INFINITY, -INFINITY, 1e30f, -1e30f, 0.5f));

}  // namespace
