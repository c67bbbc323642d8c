// What Velmorin.clap renders: bit for bit what the VST 2.4 build renders for
// every factory program, parameter events taking effect at their frame, and
// values flushed while inactive in force at the first block.
#include <gtest/gtest.h>

#include <clap/ext/draft/gain-adjustment-metering.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "clap/clap_test_host.h"
#include "dense_mix.h"
#include "engine/effect.h"
#include "params/parameter_table.h"
#include "support/loaded_plugin.h"
#include "support/vst2_render.h"

namespace {

constexpr float kRate = 44100.0f;
constexpr uint32_t kBlock = 512;

const StereoSignal& material() {
    static const StereoSignal signal = denseMix(static_cast<int>(kRate));
    return signal;
}

// The material through a CLAP instance in blocks of `block` frames.
StereoSignal renderClap(ClapInstance& instance, uint32_t block = kBlock) {
    const StereoSignal& in = material();
    StereoSignal out{std::vector<float>(in.left.size()), std::vector<float>(in.left.size())};
    EventList none;
    for (size_t at = 0; at < in.left.size(); at += block) {
        const auto frames = static_cast<uint32_t>(std::min<size_t>(block, in.left.size() - at));
        EXPECT_EQ(instance.process(&in.left[at], &in.right[at], &out.left[at], &out.right[at],
                                   frames, none),
                  CLAP_PROCESS_CONTINUE);
    }
    return out;
}

// Each program as a preset, and as a session saved with it and reopened.
TEST(ClapRender, EveryProgramEqualsTheVst2BuildBitForBit) {
    for (int program = 0; program < 18; ++program) {
        SCOPED_TRACE(program);
        Plugin vst2;
        vst2.dispatch(effSetSampleRate, 0, 0, nullptr, kRate);
        vst2.selectProgram(program);
        vst2.dispatch(effMainsChanged, 0, 1);
        const StereoSignal expected = renderVst2(vst2, material(), kBlock);
        ClapInstance clap, reopened;
        ASSERT_TRUE(clap.loadPreset(program));
        ASSERT_TRUE(reopened.load(clap.save()));
        for (ClapInstance* instance : {&clap, &reopened}) {
            instance->start();
            const StereoSignal got = renderClap(*instance);
            EXPECT_TRUE(sameBits(got.left, expected.left));
            EXPECT_TRUE(sameBits(got.right, expected.right));
        }
    }
}

// Random events inside one block sound exactly as the same block cut by hand
// at each event, every piece starting with its event.
TEST(ClapRender, ParameterEventsTakeEffectAtTheirFrame) {
    std::mt19937 random(21);
    const clap_id ids[] = {velmorin::kThrH, velmorin::kThrL,   velmorin::kRatioM,
                           velmorin::kMixL, velmorin::kOutput, velmorin::kThrLimiter};
    const double bottom[] = {-36, -36, 1, -12, 0, -24}, top[] = {0, 0, 20, 12, 24, 0};
    ClapInstance whole, cut;
    ASSERT_TRUE(whole.loadPreset(2));
    ASSERT_TRUE(cut.loadPreset(2));
    whole.start();
    cut.start();
    const StereoSignal& in = material();
    std::vector<float> wholeLeft(kBlock), wholeRight(kBlock), cutLeft(kBlock), cutRight(kBlock);
    for (size_t at = 0; at + kBlock <= in.left.size(); at += kBlock) {
        std::vector<uint32_t> times(4);
        for (uint32_t& time : times) time = random() % kBlock;
        std::sort(times.begin(), times.end());
        EventList all;
        std::vector<EventList> pieces(times.size());
        for (size_t i = 0; i < times.size(); ++i) {
            const size_t which = random() % std::size(ids);
            const double value =
                std::uniform_real_distribution<>(bottom[which], top[which])(random);
            all.add(times[i], ids[which], value);
            pieces[i].add(0, ids[which], value);
        }
        whole.process(&in.left[at], &in.right[at], wholeLeft.data(), wholeRight.data(), kBlock,
                      all);
        EventList none;
        uint32_t from = 0;
        for (size_t i = 0; i <= times.size(); ++i) {
            const uint32_t to = i < times.size() ? times[i] : kBlock;
            if (to > from) {
                cut.process(&in.left[at + from], &in.right[at + from], &cutLeft[from],
                            &cutRight[from], to - from, none);
            }
            if (i < times.size()) cut.flush(pieces[i]);
            from = to;
        }
        ASSERT_TRUE(sameBits(wholeLeft, cutLeft)) << at;
        ASSERT_TRUE(sameBits(wholeRight, cutRight)) << at;
    }
}

// Values flushed before activation are in force from the first frame.
TEST(ClapRender, FlushWhileInactiveIsInForceAtTheFirstBlock) {
    EventList settings;
    settings.add(0, velmorin::kThrM, -10);
    settings.add(0, velmorin::kMixH, -8);
    settings.add(0, velmorin::kLookAhead, 0);
    ClapInstance flushed, evented;
    flushed.flush(settings);
    EXPECT_EQ(flushed.value(velmorin::kThrM), -10.0);
    flushed.start();
    evented.start();
    const StereoSignal& in = material();
    std::vector<float> aLeft(kBlock), aRight(kBlock), bLeft(kBlock), bRight(kBlock);
    EventList none;
    flushed.process(in.left.data(), in.right.data(), aLeft.data(), aRight.data(), kBlock, none);
    evented.process(in.left.data(), in.right.data(), bLeft.data(), bRight.data(), kBlock, settings);
    EXPECT_TRUE(sameBits(aLeft, bLeft));
    EXPECT_TRUE(sameBits(aRight, bRight));
}

// The host's gain-reduction meter: 0 before any audio, while bypassed and once
// deactivated; else the gain the engine gave the block's last frame, the
// deepest band's and the limiter's after it added, in dB.
TEST(ClapGainMetering, TheDeepestBandAndTheLimiterAtTheLastFrame) {
    velmorin::Effect core;
    int32_t heavy = 0;
    for (char name[velmorin::kProgramNameSize]; heavy < 18; ++heavy) {
        core.setProgram(heavy);
        core.programName(name);
        if (std::string(name) == "Heavy") break;
    }
    ClapInstance clap;
    ASSERT_TRUE(clap.loadPreset(heavy));
    clap.start();
    const auto& metering =
        clap.extension<clap_plugin_gain_adjustment_metering_t>(CLAP_EXT_GAIN_ADJUSTMENT_METERING);
    EXPECT_EQ(metering.get(&clap.plugin()), 0.0);

    const StereoSignal& in = material();
    std::vector<float> left(kBlock), right(kBlock), coreLeft(kBlock), coreRight(kBlock);
    double deepest = 0.0;
    EventList none;
    for (size_t at = 0; at + kBlock <= in.left.size(); at += kBlock) {
        clap.process(&in.left[at], &in.right[at], left.data(), right.data(), kBlock, none);
        float* inputs[2] = {const_cast<float*>(&in.left[at]), const_cast<float*>(&in.right[at])};
        float* outputs[2] = {coreLeft.data(), coreRight.data()};
        core.process(kRate, inputs, outputs, kBlock);
        const float* gain = core.engine().lastBlock.lastGain;
        const double expected = 20.0 * std::log10(std::min({gain[0], gain[1], gain[2]})) +
                                20.0 * std::log10(gain[velmorin::kMasterLane]);
        EXPECT_NEAR(metering.get(&clap.plugin()), expected, 1e-4) << at;
        deepest = std::min(deepest, metering.get(&clap.plugin()));
    }
    EXPECT_LT(deepest, -3.0);  // Heavy works hard on the mix

    EventList bypass;
    bypass.add(0, velmorin::kBypass, 1.0);
    clap.process(in.left.data(), in.right.data(), left.data(), right.data(), kBlock, bypass);
    EXPECT_EQ(metering.get(&clap.plugin()), 0.0);
    clap.process(in.left.data(), in.right.data(), left.data(), right.data(), kBlock, none);
    clap.deactivate();
    EXPECT_EQ(metering.get(&clap.plugin()), 0.0);
}

// The provider lists the 18 programs under their names; each key loads one.
TEST(ClapPresets, DiscoveryListsEveryFactoryProgram) {
    const auto& factory = *static_cast<const clap_preset_discovery_factory_t*>(
        clapEntry().get_factory(CLAP_PRESET_DISCOVERY_FACTORY_ID));
    ASSERT_EQ(factory.count(&factory), 1u);
    const auto* descriptor = factory.get_descriptor(&factory, 0);

    struct Found {
        std::vector<clap_preset_discovery_location_t> locations;
        std::vector<std::pair<std::string, std::string>> presets;
        std::vector<std::string> plugins;
    } found;
    clap_preset_discovery_indexer_t indexer{};
    indexer.clap_version = CLAP_VERSION;
    indexer.name = "tests";
    indexer.indexer_data = &found;
    indexer.declare_location = [](const clap_preset_discovery_indexer_t* self,
                                  const clap_preset_discovery_location_t* location) {
        static_cast<Found*>(self->indexer_data)->locations.push_back(*location);
        return true;
    };
    const clap_preset_discovery_provider_t* provider =
        factory.create(&factory, &indexer, descriptor->id);
    ASSERT_NE(provider, nullptr);
    ASSERT_TRUE(provider->init(provider));
    ASSERT_EQ(found.locations.size(), 1u);
    EXPECT_EQ(found.locations[0].kind,
              static_cast<uint32_t>(CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN));

    clap_preset_discovery_metadata_receiver_t receiver{};
    receiver.receiver_data = &found;
    receiver.begin_preset = [](const clap_preset_discovery_metadata_receiver_t* self,
                               const char* name, const char* key) {
        static_cast<Found*>(self->receiver_data)->presets.emplace_back(name, key);
        return true;
    };
    receiver.add_plugin_id = [](const clap_preset_discovery_metadata_receiver_t* self,
                                const clap_universal_plugin_id_t* id) {
        static_cast<Found*>(self->receiver_data)
            ->plugins.push_back(std::string(id->abi) + ":" + id->id);
    };
    receiver.set_flags = [](const clap_preset_discovery_metadata_receiver_t*, uint32_t) {};
    ASSERT_TRUE(provider->get_metadata(provider, CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr,
                                       &receiver));
    EXPECT_FALSE(
        provider->get_metadata(provider, CLAP_PRESET_DISCOVERY_LOCATION_FILE, "/tmp", &receiver));
    provider->destroy(provider);

    Plugin vst2;
    ASSERT_EQ(found.presets.size(), 18u);
    for (int program = 0; program < 18; ++program) {
        vst2.selectProgram(program);
        EXPECT_EQ(found.presets[program].first, vst2.programName());
        EXPECT_EQ(found.presets[program].second, std::to_string(program));
        EXPECT_EQ(found.plugins[program], "clap:com.quandorweb.velmorin");
    }
    EXPECT_EQ(factory.create(&factory, &indexer, "someone.else"), nullptr);
}

}  // namespace
