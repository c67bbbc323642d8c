// Velmorin.clap through its interface alone, as a validating host sees it:
// factory and descriptor, every extension's answers, lifecycles, state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "clap/clap_test_host.h"
#include "params/parameter_table.h"
#include "support/loaded_plugin.h"

namespace {

std::vector<std::string> features(const clap_plugin_descriptor_t& descriptor) {
    std::vector<std::string> names;
    for (const char* const* feature = descriptor.features; *feature != nullptr; ++feature)
        names.emplace_back(*feature);
    return names;
}

TEST(ClapPlugin, FactoryOffersOneDescribedPlugin) {
    const clap_plugin_factory_t& factory = pluginFactory();
    ASSERT_EQ(factory.get_plugin_count(&factory), 1u);
    EXPECT_EQ(factory.get_plugin_descriptor(&factory, 1), nullptr);
    const clap_plugin_descriptor_t& descriptor = *factory.get_plugin_descriptor(&factory, 0);
    EXPECT_TRUE(clap_version_is_compatible(descriptor.clap_version));
    EXPECT_STREQ(descriptor.id, "com.quandorweb.velmorin");
    EXPECT_STREQ(descriptor.name, "Velmorin");
    EXPECT_STREQ(descriptor.vendor, "QuandorWeb");
    EXPECT_EQ(features(descriptor), (std::vector<std::string>{"audio-effect", "mastering",
                                                              "compressor", "limiter", "stereo"}));
    EXPECT_EQ(clapEntry().get_factory("no.such.factory"), nullptr);
    EXPECT_EQ(factory.create_plugin(&factory, nullptr, descriptor.id), nullptr);
}

TEST(ClapPlugin, OffersExactlyItsExtensions) {
    ClapInstance instance;
    for (const char* id : {CLAP_EXT_AUDIO_PORTS, CLAP_EXT_PARAMS, CLAP_EXT_STATE, CLAP_EXT_LATENCY,
                           CLAP_EXT_TAIL, CLAP_EXT_RENDER, CLAP_EXT_PRESET_LOAD}) {
        EXPECT_NE(instance.plugin().get_extension(&instance.plugin(), id), nullptr) << id;
    }
    EXPECT_EQ(instance.plugin().get_extension(&instance.plugin(), CLAP_EXT_NOTE_PORTS), nullptr);
    EXPECT_EQ(instance.plugin().get_extension(&instance.plugin(), "x"), nullptr);
}

TEST(ClapPlugin, OneStereoPortEachWayPairedInPlace) {
    ClapInstance instance;
    const auto& ports = instance.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    for (bool input : {true, false}) {
        ASSERT_EQ(ports.count(&instance.plugin(), input), 1u);
        clap_audio_port_info_t info;
        ASSERT_TRUE(ports.get(&instance.plugin(), 0, input, &info));
        EXPECT_EQ(info.channel_count, 2u);
        EXPECT_EQ(info.flags, CLAP_AUDIO_PORT_IS_MAIN);
        EXPECT_STREQ(info.port_type, CLAP_PORT_STEREO);
        EXPECT_EQ(info.in_place_pair, info.id);
        EXPECT_FALSE(ports.get(&instance.plugin(), 1, input, &info));
    }
}

// What a host's generic view and automation lanes show: each parameter in
// the editor's unit, its value rising with what is shown, texts carrying the
// unit and read back with or without it.
TEST(ClapPlugin, ParametersMoveInTheUnitsTheEditorShows) {
    struct Group {
        std::vector<int> indices;
        double minimum, maximum;
        bool stepped, hidden;
        const char* lowText;  // at the minimum
        const char* highText;
        std::string unit;
    };
    const Group groups[] = {
        {{0, 1, 2, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}, 0, 1, true, false, "Off", "On", ""},
        {{3, 4, 5}, -36, 0, false, false, "-36.0 dB", "-0.0 dB", " dB"},
        {{6, 7, 8}, 1, 20, false, false, "1.0 : 1", "20.0 : 1", " : 1"},
        {{9, 10, 11, 12}, 0, 20, true, false, "0", "20", ""},
        {{13, 14, 15}, -12, 12, false, false, "-12.0 dB", "12.0 dB", " dB"},
        {{16}, -24, 0, false, false, "-24.0 dB", "-0.0 dB", " dB"},
        {{17}, 0, 24, false, false, "0.00 dB", "24.00 dB", " dB"},
        {{18, 29, 30}, 0, 0, false, true, nullptr, nullptr, ""},
    };
    ClapInstance instance;
    const auto& params = instance.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_EQ(params.count(&instance.plugin()), static_cast<uint32_t>(velmorin::kNumParameters));
    int described = 0;
    for (const Group& group : groups) {
        for (const int index : group.indices) {
            SCOPED_TRACE(index);
            ++described;
            clap_param_info_t info;
            ASSERT_TRUE(params.get_info(&instance.plugin(), index, &info));
            EXPECT_EQ(info.id, static_cast<clap_id>(index));
            EXPECT_STREQ(info.name, velmorin::parameterInfo(index).words);
            EXPECT_EQ((info.flags & CLAP_PARAM_IS_HIDDEN) != 0, group.hidden);
            EXPECT_EQ((info.flags & CLAP_PARAM_IS_AUTOMATABLE) != 0, !group.hidden);
            if (group.hidden) continue;
            EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, group.stepped);
            EXPECT_EQ(info.min_value, group.minimum);
            EXPECT_EQ(info.max_value, group.maximum);
            EXPECT_EQ(instance.value(index), info.default_value);
            char text[64];
            for (const bool top : {false, true}) {
                const double end = top ? info.max_value : info.min_value;
                ASSERT_TRUE(params.value_to_text(&instance.plugin(), index, end, text, 64));
                EXPECT_STREQ(text, top ? group.highText : group.lowText);
                // Back from the text, with and without its unit.
                double back = -99;
                ASSERT_TRUE(params.text_to_value(&instance.plugin(), index, text, &back));
                EXPECT_EQ(back, end) << text;
                std::string bare = text;
                if (!group.unit.empty()) bare.resize(bare.size() - group.unit.size());
                ASSERT_TRUE(params.text_to_value(&instance.plugin(), index, bare.c_str(), &back));
                EXPECT_EQ(back, end) << bare;
            }
            // A number below the range answers its bottom (a switch: any
            // number but 0 is on).
            double clamped = 0;
            ASSERT_TRUE(params.text_to_value(&instance.plugin(), index, "-100", &clamped));
            EXPECT_EQ(clamped, group.lowText == std::string("Off") ? 1.0 : group.minimum);
        }
    }
    EXPECT_EQ(described, velmorin::kNumParameters);
    clap_param_info_t info;
    EXPECT_FALSE(params.get_info(&instance.plugin(), velmorin::kNumParameters, &info));
    double value;
    EXPECT_FALSE(params.get_value(&instance.plugin(), 999, &value));
    char text[8];
    EXPECT_FALSE(params.value_to_text(&instance.plugin(), 0, 1.0, text, 0));
}

// Each program's values as the VST 2.4 build shows them, value by value,
// with the unit its label gives.
TEST(ClapPlugin, EveryPresetShowsTheVst2ProgramTexts) {
    ClapInstance instance;
    Plugin vst2;
    const auto& params = instance.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    for (int program = 0; program < 18; ++program) {
        ASSERT_TRUE(instance.loadPreset(program));
        vst2.selectProgram(program);
        for (uint32_t index = 0; index < velmorin::kNumParameters; ++index) {
            char text[64];
            ASSERT_TRUE(params.value_to_text(&instance.plugin(), index, instance.value(index), text,
                                             sizeof text));
            std::string expected = vst2.display(index);
            expected.erase(0, expected.find_first_not_of(' '));
            if (vst2.label(index).rfind("dB", 0) == 0) expected += " dB";
            if (velmorin::parameterKind(index) == velmorin::ParameterKind::Ratio)
                expected += " : 1";
            EXPECT_EQ(std::string(text), expected) << program << " " << index;
        }
    }
    EXPECT_FALSE(instance.loadPreset(18));
    EXPECT_FALSE(instance.loadPreset(-1));
}

// Out-of-range, non-integral and non-finite values land on a defined step.
TEST(ClapPlugin, HostileValuesLandInRange) {
    struct Case {
        clap_id id;
        double sent, expected;
    };
    const Case cases[] = {
        {velmorin::kThrH, -0.3, -0.5},  {velmorin::kThrH, 3, 0},
        {velmorin::kThrH, -1e9, -36},   {velmorin::kThrH, NAN, -36},
        {velmorin::kRatioM, 7.4, 7.5},  {velmorin::kRatioM, 99, 20},
        {velmorin::kLookAhead, 0.4, 0}, {velmorin::kOutput, INFINITY, 24},
        {velmorin::kMixL, 3.14, 3.1},   {velmorin::kZoomH, -2, 0},
    };
    ClapInstance instance;
    for (const Case& c : cases) {
        EventList events;
        events.add(0, c.id, c.sent);
        instance.flush(events);
        EXPECT_NEAR(instance.value(c.id), c.expected, 1e-6) << c.id << " " << c.sent;
    }
}

TEST(ClapPlugin, LatencyIsTheTrueDelayAndAChangeAsksForARestart) {
    ClapInstance instance;
    const auto& latency = instance.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    EventList on, off;
    on.add(0, velmorin::kLookAhead, 1.0);
    off.add(0, velmorin::kLookAhead, 0.0);
    instance.flush(on);
    EXPECT_EQ(latency.get(&instance.plugin()), 878u);
    instance.flush(off);
    EXPECT_EQ(latency.get(&instance.plugin()), 0u);
    EXPECT_EQ(instance.record().restartRequests, 0);

    instance.start();
    std::vector<float> silence(64), outLeft(64), outRight(64);
    instance.process(silence.data(), silence.data(), outLeft.data(), outRight.data(), 64, on);
    EXPECT_EQ(instance.record().restartRequests, 1);
    EXPECT_EQ(latency.get(&instance.plugin()), 0u);  // until the restart
    instance.deactivate();
    ASSERT_TRUE(instance.activate());
    EXPECT_EQ(latency.get(&instance.plugin()), 878u);
    EXPECT_EQ(instance.record().latencyChanges, 1);
}

TEST(ClapPlugin, TailIsFiniteUnlessDitherAddsNoise) {
    ClapInstance instance;
    const auto& tail = instance.extension<clap_plugin_tail_t>(CLAP_EXT_TAIL);
    EventList dither;
    dither.add(0, velmorin::kDither, 1.0);
    EventList plain;
    plain.add(0, velmorin::kDither, 0.0);
    instance.flush(plain);
    EXPECT_LT(tail.get(&instance.plugin()), 200000u);
    EXPECT_GT(tail.get(&instance.plugin()), 878u);
    instance.flush(dither);
    EXPECT_GE(tail.get(&instance.plugin()), static_cast<uint32_t>(INT32_MAX));
}

TEST(ClapPlugin, RendersRealtimeAndOffline) {
    ClapInstance instance;
    const auto& render = instance.extension<clap_plugin_render_t>(CLAP_EXT_RENDER);
    EXPECT_FALSE(render.has_hard_realtime_requirement(&instance.plugin()));
    EXPECT_TRUE(render.set(&instance.plugin(), CLAP_RENDER_OFFLINE));
    EXPECT_TRUE(render.set(&instance.plugin(), CLAP_RENDER_REALTIME));
    EXPECT_FALSE(render.set(&instance.plugin(), 7));
}

TEST(ClapPlugin, LifecycleInEveryLegalOrder) {
    ClapInstance instance;
    std::vector<float> in(256, 0.25f), outLeft(256), outRight(256);
    EventList none;
    EXPECT_EQ(instance.process(in.data(), in.data(), outLeft.data(), outRight.data(), 256, none),
              CLAP_PROCESS_ERROR);  // not active
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(instance.activate(cycle == 1 ? 96000.0 : 44100.0));
        EXPECT_FALSE(instance.activate());  // already active
        for (int run = 0; run < 2; ++run) {
            ASSERT_TRUE(instance.plugin().start_processing(&instance.plugin()));
            EXPECT_EQ(
                instance.process(in.data(), in.data(), outLeft.data(), outRight.data(), 256, none),
                CLAP_PROCESS_CONTINUE);
            instance.plugin().reset(&instance.plugin());
            instance.plugin().stop_processing(&instance.plugin());
        }
        instance.plugin().deactivate(&instance.plugin());
    }
    EXPECT_FALSE(instance.activate(0.0));
    EXPECT_FALSE(instance.activate(NAN));
}

// Everything set, saved, loaded into a fresh instance: the same values.
TEST(ClapPlugin, StateRoundTripsIntoAFreshInstance) {
    ClapInstance source;
    ASSERT_TRUE(source.loadPreset(5));
    EventList changes;
    changes.add(0, velmorin::kThrM, -8.5);
    changes.add(0, velmorin::kRatioL, 12.5);
    changes.add(0, velmorin::kOutput, 3.5);
    changes.add(0, velmorin::kLookAhead, 0);
    changes.add(0, velmorin::kParameter18, 0.375);
    source.flush(changes);
    const std::vector<uint8_t> saved = source.save();

    ClapInstance copy;
    const int rescansBefore = copy.record().rescans;
    ASSERT_TRUE(copy.load(saved));
    EXPECT_GT(copy.record().rescans, rescansBefore);
    for (clap_id id = 0; id < velmorin::kNumParameters; ++id) {
        EXPECT_EQ(copy.value(id), source.value(id)) << id;
    }
    EXPECT_EQ(copy.save(), saved);

    // As the previous version wrote it: the same layout under version 1.
    std::vector<uint8_t> previous = saved;
    previous[4] = 1;
    ClapInstance old;
    ASSERT_TRUE(old.load(previous));
    EXPECT_EQ(old.save(), saved);
}

// What the effect changes beyond the value a host set reaches the host as a
// value event, equal to what get_value answers; what the host set itself or
// restored is not sent back, so an idle session stays unmodified.
TEST(ClapPlugin, TheHostHearsOfEveryValueTheEffectChangesItself) {
    using velmorin::kNormalize, velmorin::kOutput, velmorin::kThrLimiter;
    ClapInstance instance;
    const auto told = [&](const std::vector<OutputEvent>& sent) {
        std::map<clap_id, double> values;
        for (const OutputEvent& event : sent) {
            EXPECT_EQ(event.type, CLAP_EVENT_PARAM_VALUE);
            values[event.id] = event.value;
        }
        for (const auto& [id, value] : values) EXPECT_EQ(value, instance.value(id)) << id;
        return values;
    };
    EventList normalize, limiter;
    normalize.add(0, kNormalize, 1);
    limiter.add(0, kThrLimiter, -3);
    // Normalize starts the output gain from the top.
    EXPECT_EQ(told(instance.flushOutput(normalize)), (std::map<clap_id, double>{{kOutput, 24.0}}));
    const auto relinked = told(instance.flushOutput(limiter));
    EXPECT_EQ(relinked.size(), 1u);
    EXPECT_EQ(relinked.count(kOutput), 1u);
    EXPECT_TRUE(instance.flushOutput().empty());

    // A preset ("Mastering 1", Normalize on): every value it changed, at the
    // next flush the plug-in asks for.
    const int flushRequests = instance.record().flushRequests;
    ASSERT_TRUE(instance.loadPreset(1));
    EXPECT_GT(instance.record().flushRequests, flushRequests);
    EXPECT_FALSE(told(instance.flushOutput()).empty());
    EXPECT_TRUE(instance.flushOutput().empty());

    // Restored with Normalize on and run on silence for two seconds: nothing.
    const std::vector<uint8_t> saved = instance.save();
    ClapInstance restored;
    ASSERT_TRUE(restored.load(saved));
    restored.start();
    std::vector<float> silence(441), left(441), right(441);
    std::vector<OutputEvent> sent;
    for (int block = 0; block < 200; ++block)
        restored.process(silence.data(), silence.data(), left.data(), right.data(), 441, {}, &sent);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(restored.save(), saved);
}

// A damaged or foreign stream is refused and leaves the instance as it was.
TEST(ClapPlugin, BrokenStateIsRefusedAndChangesNothing) {
    ClapInstance source;
    ASSERT_TRUE(source.loadPreset(3));
    const std::vector<uint8_t> good = source.save();
    auto damaged = [&](auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    const float nan = NAN;
    // Values out of their parameter's range, which no instance could have saved.
    constexpr size_t kValues = 12 + 24 + 12;
    const float kPastEnd = 2.5e9f, kBelowStart = -1.0f;
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        damaged([](auto& b) { b.resize(b.size() - 1); }),
        damaged([](auto& b) { b.push_back(0); }),
        damaged([](auto& b) { b[0] = 'X'; }),
        damaged([](auto& b) { b[4] = 3; }),             // a later version
        damaged([](auto& b) { b[8] = 18; }),            // no such program
        damaged([](auto& b) { b[12 + 24 + 8] = 30; }),  // parameter count
        damaged([&](auto& b) { std::memcpy(&b[b.size() - 4], &nan, 4); }),
        damaged([&](auto& b) { std::memcpy(&b[kValues + 4 * velmorin::kZoomM], &kPastEnd, 4); }),
        damaged([&](auto& b) { std::memcpy(&b[kValues + 4 * velmorin::kThrH], &kBelowStart, 4); }),
        std::vector<uint8_t>(good.size(), 0xff),
    };
    ClapInstance target;
    ASSERT_TRUE(target.loadPreset(11));
    const std::vector<uint8_t> before = target.save();
    for (size_t i = 0; i < broken.size(); ++i) {
        EXPECT_FALSE(target.load(broken[i])) << i;
        EXPECT_EQ(target.save(), before) << i;
    }
    EXPECT_TRUE(target.load(good));
    EXPECT_EQ(target.save(), good);
}

}  // namespace
