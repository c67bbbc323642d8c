// Velmorin.clap through its interface alone, as a validating host sees it:
// factory and descriptor, every extension's answers, lifecycles, state.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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
    EXPECT_STREQ(descriptor.version, VELMORIN_VERSION);
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

// Every parameter, described from the table, answers its value and shows it
// as the VST 2.4 build does.
TEST(ClapPlugin, ParametersMatchTheVst2Build) {
    ClapInstance instance;
    Plugin vst2;
    const auto& params = instance.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_EQ(params.count(&instance.plugin()), static_cast<uint32_t>(velmorin::kNumParameters));
    for (uint32_t index = 0; index < velmorin::kNumParameters; ++index) {
        SCOPED_TRACE(index);
        clap_param_info_t info;
        ASSERT_TRUE(params.get_info(&instance.plugin(), index, &info));
        EXPECT_EQ(info.id, index);
        EXPECT_STREQ(info.name, velmorin::parameterInfo(index).words);
        EXPECT_NE(std::string(info.module), "");
        EXPECT_LE(info.min_value, info.default_value);
        EXPECT_LE(info.default_value, info.max_value);
        EXPECT_EQ(instance.value(index), info.default_value);
        const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
        if (stepped) {
            EXPECT_EQ(std::round(info.default_value), info.default_value);
        }
        char text[64];
        ASSERT_TRUE(params.value_to_text(&instance.plugin(), index, info.default_value, text, 64));
        EXPECT_EQ(std::string(text), vst2.display(index));
        double back = -1;
        if (stepped) {
            ASSERT_TRUE(params.text_to_value(&instance.plugin(), index, text, &back)) << text;
            EXPECT_EQ(back, info.default_value) << text;
        }
    }
    clap_param_info_t info;
    EXPECT_FALSE(params.get_info(&instance.plugin(), velmorin::kNumParameters, &info));
    double value;
    EXPECT_FALSE(params.get_value(&instance.plugin(), 999, &value));
    char text[8];
    EXPECT_FALSE(params.value_to_text(&instance.plugin(), 0, 1.0, text, 0));
}

// Each program's values as the VST 2.4 build shows them, value by value.
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
            EXPECT_EQ(std::string(text), vst2.display(index)) << program << " " << index;
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
        {velmorin::kThrH, 0.5, 1},      {velmorin::kThrH, -3, 0},
        {velmorin::kThrH, 1e9, 72},     {velmorin::kThrH, NAN, 0},
        {velmorin::kRatioM, 7.4, 7},    {velmorin::kRatioM, 99, 38},
        {velmorin::kLookAhead, 0.4, 0}, {velmorin::kOutput, INFINITY, 24000},
    };
    ClapInstance instance;
    for (const Case& c : cases) {
        EventList events;
        events.add(0, c.id, c.sent);
        instance.flush(events);
        EXPECT_EQ(instance.value(c.id), c.expected) << c.id << " " << c.sent;
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
    changes.add(0, velmorin::kThrM, 17);
    changes.add(0, velmorin::kRatioL, 23);
    changes.add(0, velmorin::kOutput, 20500);
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
        damaged([](auto& b) { b[4] = 2; }),             // a later version
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
