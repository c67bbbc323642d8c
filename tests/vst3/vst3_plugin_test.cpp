// What a validator checks of Velmorin.vst3, through the built module: the
// factory and its classes, buses and arrangements, lifecycles in every
// order hosts use, the parameters, the program list, state and latency.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "engine/effect.h"
#include "formats/settings/settings_bytes.h"
#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_meters.h"
#include "formats/vst3/vst3_parameters.h"
#include "params/program_bank.h"
#include "vst3/vst3_test_host.h"

using namespace vst3_test;
using velmorin::vst3::narrowText;

namespace {

constexpr int32_t kFrames = 512;

std::string text16(const Steinberg_char16* text) {
    return narrowText(text, 128);
}

Steinberg_Vst_ParameterInfo infoAt(const Instance& instance, int32_t index) {
    Steinberg_Vst_ParameterInfo info{};
    EXPECT_EQ(call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::getParameterInfo,
                   index, &info),
              Steinberg_kResultOk);
    return info;
}

double normalized(const Instance& instance, Steinberg_Vst_ParamID id) {
    return call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::getParamNormalized, id);
}

// A block of noise through the instance, returned.
std::vector<float> noiseBlock(Instance& instance, ParameterChanges* changes = nullptr) {
    std::vector<float> in(kFrames), out(2 * kFrames);
    for (int32_t i = 0; i < kFrames; ++i) in[i] = std::sin(0.05f * i) * 0.5f;
    EXPECT_EQ(
        instance.process(in.data(), in.data(), out.data(), out.data() + kFrames, kFrames, changes),
        Steinberg_kResultOk);
    return out;
}

velmorin::EffectSettings settingsIn(const std::vector<uint8_t>& state) {
    EXPECT_GE(state.size(), velmorin::kSettingsBytes);
    const auto decoded = velmorin::decodeSettings(
        std::span<const uint8_t, velmorin::kSettingsBytes>(state.data(), velmorin::kSettingsBytes));
    EXPECT_TRUE(decoded.has_value());
    return decoded.value_or(velmorin::EffectSettings{});
}

TEST(Vst3Plugin, FactoryOffersTheEffectAndItsControllerUnderAllThreeInterfaces) {
    Steinberg_IPluginFactory* factory = module().factory();
    ASSERT_NE(factory, nullptr);
    Steinberg_PFactoryInfo info{};
    ASSERT_EQ(call(factory, &Steinberg_IPluginFactoryVtbl::getFactoryInfo, &info),
              Steinberg_kResultOk);
    EXPECT_STREQ(info.vendor, "QuandorWeb");
    ASSERT_EQ(call(factory, &Steinberg_IPluginFactoryVtbl::countClasses), 2);
    auto* factory3 = queryAs<Steinberg_IPluginFactory3>(factory, Steinberg_IPluginFactory3_iid);
    ASSERT_NE(factory3, nullptr);
    struct Expected {
        const Steinberg_TUID* id;
        const char* category;
        const char* name;
        const char* subCategories;
    } expected[] = {
        {&velmorin::vst3::kProcessorClass, "Audio Module Class", "Velmorin",
         "Fx|Dynamics|Mastering"},
        {&velmorin::vst3::kControllerClass, "Component Controller Class", "Velmorin Controller",
         ""},
    };
    for (int32_t index = 0; index < 2; ++index) {
        SCOPED_TRACE(index);
        Steinberg_PClassInfo one{};
        Steinberg_PClassInfo2 two{};
        Steinberg_PClassInfoW wide{};
        ASSERT_EQ(call(factory, &Steinberg_IPluginFactoryVtbl::getClassInfo, index, &one), 0);
        ASSERT_EQ(call(factory3, &Steinberg_IPluginFactory3Vtbl::getClassInfo2, index, &two), 0);
        ASSERT_EQ(call(factory3, &Steinberg_IPluginFactory3Vtbl::getClassInfoUnicode, index, &wide),
                  0);
        for (const char* cid : {one.cid, two.cid, wide.cid})
            EXPECT_EQ(std::memcmp(cid, *expected[index].id, 16), 0);
        EXPECT_STREQ(one.category, expected[index].category);
        EXPECT_STREQ(two.name, expected[index].name);
        EXPECT_EQ(text16(wide.name), expected[index].name);
        EXPECT_STREQ(two.subCategories, expected[index].subCategories);
        EXPECT_STREQ(two.sdkVersion, "VST 3.8.1");
        EXPECT_EQ(text16(wide.vendor), "QuandorWeb");
    }
    Steinberg_PClassInfo none{};
    EXPECT_NE(call(factory, &Steinberg_IPluginFactoryVtbl::getClassInfo, 2, &none),
              Steinberg_kResultOk);
    const Steinberg_TUID unknown = {1, 2, 3};
    EXPECT_EQ(module().create<Steinberg_FUnknown>(unknown, Steinberg_FUnknown_iid), nullptr);
    call(factory3, &Steinberg_IPluginFactory3Vtbl::release);
}

TEST(Vst3Plugin, OneStereoBusEachWayAnd32BitSamplesOnly) {
    Instance instance;
    Steinberg_Vst_IComponent* component = instance.component();
    for (auto direction :
         {Steinberg_Vst_BusDirections_kInput, Steinberg_Vst_BusDirections_kOutput}) {
        EXPECT_EQ(call(component, &Steinberg_Vst_IComponentVtbl::getBusCount,
                       Steinberg_Vst_MediaTypes_kAudio, direction),
                  1);
        EXPECT_EQ(call(component, &Steinberg_Vst_IComponentVtbl::getBusCount,
                       Steinberg_Vst_MediaTypes_kEvent, direction),
                  0);
        Steinberg_Vst_BusInfo bus{};
        ASSERT_EQ(call(component, &Steinberg_Vst_IComponentVtbl::getBusInfo,
                       Steinberg_Vst_MediaTypes_kAudio, direction, 0, &bus),
                  Steinberg_kResultOk);
        EXPECT_EQ(bus.channelCount, 2);
        EXPECT_EQ(bus.busType, Steinberg_Vst_BusTypes_kMain);
        EXPECT_NE(call(component, &Steinberg_Vst_IComponentVtbl::getBusInfo,
                       Steinberg_Vst_MediaTypes_kAudio, direction, 1, &bus),
                  Steinberg_kResultOk);
    }
    const Steinberg_Vst_SpeakerArrangement stereo = Steinberg_Vst_SpeakerArr_kStereo, mono = 1,
                                           surround = 0x3f;
    struct Case {
        Steinberg_Vst_SpeakerArrangement in, out;
        int32_t count;
        Steinberg_tresult answer;
    } cases[] = {{stereo, stereo, 1, Steinberg_kResultTrue},
                 {mono, mono, 1, Steinberg_kResultFalse},
                 {stereo, mono, 1, Steinberg_kResultFalse},
                 {surround, surround, 1, Steinberg_kResultFalse},
                 {stereo, stereo, 2, Steinberg_kResultFalse},
                 {stereo, stereo, 0, Steinberg_kResultFalse}};
    for (Case c : cases) {
        Steinberg_Vst_SpeakerArrangement ins[2] = {c.in, c.in}, outs[2] = {c.out, c.out};
        EXPECT_EQ(call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::setBusArrangements,
                       ins, c.count, outs, c.count),
                  c.answer)
            << c.in << " " << c.out << " " << c.count;
    }
    EXPECT_EQ(call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::canProcessSampleSize,
                   Steinberg_Vst_SymbolicSampleSizes_kSample32),
              Steinberg_kResultTrue);
    EXPECT_EQ(call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::canProcessSampleSize,
                   Steinberg_Vst_SymbolicSampleSizes_kSample64),
              Steinberg_kResultFalse);
}

// Every order of activation and processing hosts use ends in a working
// instance; so do repeated cycles.
TEST(Vst3Plugin, ActivationAndProcessingInEveryOrderHostsUse) {
    enum Step { On, Off, ProcOn, ProcOff, Block };
    const std::vector<std::vector<Step>> orders = {
        {On, ProcOn, Block, ProcOff, Off},
        {On, Block, Off, On, Block},
        {ProcOn, On, Block, Off, ProcOff, On, Block},
        {On, ProcOn, Block, ProcOn, ProcOff, ProcOff, Off, Off, On, Block},
        {On, On, Block, ProcOff, Block},
    };
    for (size_t order = 0; order < orders.size(); ++order) {
        SCOPED_TRACE(order);
        Instance instance;
        for (Step step : orders[order]) {
            switch (step) {
                case On:
                case Off:
                    EXPECT_EQ(call(instance.component(), &Steinberg_Vst_IComponentVtbl::setActive,
                                   step == On),
                              Steinberg_kResultOk);
                    break;
                case ProcOn:
                case ProcOff:
                    call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::setProcessing,
                         step == ProcOn);
                    break;
                case Block:
                    for (float x : noiseBlock(instance)) ASSERT_TRUE(std::isfinite(x));
                    break;
            }
        }
    }
}

TEST(Vst3Plugin, ParametersRiseWithTheValueShownAndTheirTextsReadBack) {
    Instance instance;
    Steinberg_Vst_IEditController* controller = instance.controller();
    constexpr int32_t kListed = velmorin::kNumParameters + velmorin::kNumMeterOutputs + 2;
    ASSERT_EQ(call(controller, &Steinberg_Vst_IEditControllerVtbl::getParameterCount), kListed);
    for (int32_t index = 0; index < kListed; ++index) {
        SCOPED_TRACE(index);
        const Steinberg_Vst_ParameterInfo info = infoAt(instance, index);
        const bool hidden = index == velmorin::kParameter18 || index == velmorin::kReserved1 ||
                            index == velmorin::kReserved2;
        const bool meter = velmorin::vst3::isMeterParameter(info.id);
        EXPECT_EQ(meter, index >= velmorin::kNumParameters &&
                             index < velmorin::kNumParameters + velmorin::kNumMeterOutputs);
        EXPECT_EQ((info.flags & Steinberg_Vst_ParameterInfo_ParameterFlags_kIsHidden) != 0, hidden);
        EXPECT_EQ((info.flags & Steinberg_Vst_ParameterInfo_ParameterFlags_kIsReadOnly) != 0,
                  meter);
        EXPECT_EQ((info.flags & Steinberg_Vst_ParameterInfo_ParameterFlags_kCanAutomate) != 0,
                  !hidden && !meter && info.id != velmorin::vst3::kProgramParameter);
        EXPECT_DOUBLE_EQ(normalized(instance, info.id), info.defaultNormalizedValue);
        if (hidden || index >= velmorin::kNumParameters) continue;
        // Each step: the plain value rises and the text names it exactly.
        double lastPlain = -1e9;
        for (int32_t step = 0; step <= info.stepCount; ++step) {
            const double value = static_cast<double>(step) / info.stepCount;
            const double plain =
                call(controller, &Steinberg_Vst_IEditControllerVtbl::normalizedParamToPlain,
                     info.id, value);
            ASSERT_GT(plain, lastPlain) << step;
            lastPlain = plain;
            Steinberg_Vst_String128 text{};
            ASSERT_EQ(call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue,
                           info.id, value, text),
                      Steinberg_kResultOk);
            double back = -1;
            ASSERT_EQ(call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamValueByString,
                           info.id, text, &back),
                      Steinberg_kResultOk);
            // Shown to its precision: Output's thousandths read back as the
            // step the text names.
            Steinberg_Vst_String128 again{};
            call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue, info.id,
                 back, again);
            ASSERT_EQ(text16(again), text16(text));
            if (index != velmorin::kOutput) {
                ASSERT_DOUBLE_EQ(back, value) << text16(text);
            }
            ASSERT_DOUBLE_EQ(
                call(controller, &Steinberg_Vst_IEditControllerVtbl::plainParamToNormalized,
                     info.id, plain),
                value);
        }
    }
    struct Shown {
        Steinberg_Vst_ParamID id;
        double normalized;
        const char* text;
        const char* units;
    } shown[] = {
        {velmorin::kThrH, 1.0, "-0.0", "dB"},        {velmorin::kThrH, 0.0, "-36.0", "dB"},
        {velmorin::kThrLimiter, 0.5, "-12.0", "dB"}, {velmorin::kMixM, 1.0, "12.0", "dB"},
        {velmorin::kOutput, 0.0, "0.00", "dB"},      {velmorin::kRatioL, 1.0, "20.0", ""},
        {velmorin::kZoomMaster, 0.25, " 5", ""},     {velmorin::kLookAhead, 1.0, "On", ""}};
    for (const Shown& s : shown) {
        Steinberg_Vst_String128 text{};
        call(controller, &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue, s.id,
             s.normalized, text);
        EXPECT_EQ(text16(text), s.text) << s.id;
        EXPECT_EQ(text16(infoAt(instance, static_cast<int32_t>(s.id)).units), s.units) << s.id;
    }
}

// Each block the processor reports, at its last frame, the meters and,
// under Normalize, the Output value the normalizer arrived at, so that what
// the host shows and saves is the effect's own.
TEST(Vst3Plugin, EachBlockReportsTheMetersAndTheOutputTheNormalizerArrivesAt) {
    using velmorin::kNumMeterOutputs, velmorin::vst3::kFirstMeterParameter;
    Instance instance;
    instance.activate(true);
    std::vector<float> in(kFrames), out(2 * kFrames);
    double db[kNumMeterOutputs] = {};
    std::vector<double> toldOutput;
    int32_t frame = 0;
    const auto play = [&](float level, ParameterChanges* changes = nullptr) {
        for (int32_t i = 0; i < kFrames; ++i, ++frame) in[i] = level * std::sin(0.05f * frame);
        auto* reported = new ParameterChanges;
        instance.process(in.data(), in.data(), out.data(), out.data() + kFrames, kFrames, changes,
                         reported);
        for (int32_t meter = 0; meter < kNumMeterOutputs; ++meter) {
            const auto& points = reported->queueFor(kFirstMeterParameter + meter).points;
            ASSERT_EQ(points.size(), 1u);
            EXPECT_EQ(points[0].first, kFrames - 1);
            db[meter] = velmorin::vst3::meterDbOf(meter, points[0].second);
        }
        for (const auto& point : reported->queueFor(velmorin::kOutput).points)
            toldOutput.push_back(point.second);
        reported->release();
    };
    play(0.0f);
    const double floor = velmorin::kPeakFloorDb,
                 silence[kNumMeterOutputs] = {0, 0, 0, 0, floor, floor};
    for (int32_t meter = 0; meter < kNumMeterOutputs; ++meter) {
        EXPECT_EQ(db[meter], silence[meter]);
        // The controller reads silence too until the host hands a report on.
        EXPECT_DOUBLE_EQ(
            velmorin::vst3::meterDbOf(meter, normalized(instance, kFirstMeterParameter + meter)),
            silence[meter]);
    }
    // Loud enough that the limiter works, long enough to pass the look-ahead.
    for (int i = 0; i < 8; ++i) play(1.0f);
    EXPECT_LT(db[3], -0.5);
    for (int c = 0; c < 2; ++c) {
        const auto [low, high] =
            std::minmax_element(out.begin() + c * kFrames, out.begin() + (c + 1) * kFrames);
        EXPECT_NEAR(db[4 + c], 20 * std::log10(std::max(-*low, *high)), 0.01) << c;
    }
    EXPECT_TRUE(toldOutput.empty());

    auto* normalizeOn = new ParameterChanges;
    normalizeOn->add(velmorin::kNormalize, 0, 1.0);
    play(1.0f, normalizeOn);
    normalizeOn->release();
    for (int i = 0; i < 40; ++i) play(1.0f);
    ASSERT_FALSE(toldOutput.empty());
    EXPECT_LT(toldOutput.back(), 1.0);  // down from the top (+24 dB), where it starts
    EXPECT_DOUBLE_EQ(
        toldOutput.back(),
        velmorin::vst3::normalizedOf(velmorin::kOutput,
                                     settingsIn(instance.state()).stored[velmorin::kOutput]));
}

// Chosen in the host's program list, a program gives exactly the values
// the core keeps for it (as the VST 2.4 build does), also where they lie
// between a parameter's steps.
TEST(Vst3Plugin, EveryFactoryProgramGivesExactlyItsStoredValues) {
    const velmorin::ProgramBank factory;
    Instance lister;
    auto* units =
        queryAs<Steinberg_Vst_IUnitInfo>(lister.controller(), Steinberg_Vst_IUnitInfo_iid);
    ASSERT_NE(units, nullptr);
    Steinberg_Vst_ProgramListInfo list{};
    ASSERT_EQ(call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramListInfo, 0, &list), 0);
    EXPECT_EQ(list.programCount, velmorin::kNumPrograms);
    for (int32_t program = velmorin::kNumPrograms - 1; program >= 0; --program) {
        SCOPED_TRACE(program);
        Steinberg_Vst_String128 name{};
        call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramName, list.id, program, name);
        EXPECT_EQ(text16(name), factory[program].name);

        Instance instance;
        instance.activate(true);
        auto* changes = new ParameterChanges;
        const double value = program / 17.0;
        changes->add(velmorin::vst3::kProgramParameter, 0, value);
        noiseBlock(instance, changes);
        changes->release();
        const velmorin::EffectSettings settings = settingsIn(instance.state());
        EXPECT_STREQ(settings.programName, factory[program].name);
        velmorin::Effect core;
        core.setProgram(program);
        for (int32_t index = 0; index < velmorin::kNumParameters; ++index)
            EXPECT_EQ(settings.stored[index], core.storedValue(index)) << index;
        // The controller, told the same choice, shows the same values.
        call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::setParamNormalized,
             velmorin::vst3::kProgramParameter, value);
        for (int32_t index = 0; index < velmorin::kNumParameters; ++index) {
            EXPECT_EQ(normalized(instance, index),
                      velmorin::vst3::normalizedOf(index, settings.stored[index]))
                << index;
        }
    }
    call(units, &Steinberg_Vst_IUnitInfoVtbl::release);
}

TEST(Vst3Plugin, StateGoesIntoAFreshProcessorAndController) {
    Instance made;
    made.activate(true);
    auto* changes = new ParameterChanges;
    changes->add(velmorin::vst3::kProgramParameter, 0, 5 / 17.0);
    changes->add(velmorin::kThrM, 100, 0.25);
    changes->add(velmorin::vst3::kHostBypassParameter, 0, 1.0);
    noiseBlock(made, changes);
    changes->release();
    const std::vector<uint8_t> saved = made.state();

    Instance fresh(false);
    // A host's stream may hand over a few bytes per read.
    ASSERT_EQ(fresh.setState(saved, 7), Steinberg_kResultOk);
    EXPECT_EQ(fresh.state(), saved);
    ASSERT_EQ(fresh.setControllerState(saved), Steinberg_kResultOk);
    const velmorin::EffectSettings settings = settingsIn(saved);
    for (int32_t index = 0; index < velmorin::kNumParameters; ++index)
        EXPECT_EQ(normalized(fresh, index),
                  velmorin::vst3::normalizedOf(index, settings.stored[index]))
            << index;
    EXPECT_EQ(normalized(fresh, velmorin::kThrM), 0.25);
    EXPECT_EQ(normalized(fresh, velmorin::vst3::kHostBypassParameter), 1.0);
    EXPECT_EQ(normalized(fresh, velmorin::vst3::kProgramParameter), 5 / 17.0);
}

TEST(Vst3Plugin, BrokenOrForeignStateIsRefusedAndChangesNothing) {
    Instance instance;
    const std::vector<uint8_t> good = instance.state();
    auto changed = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const size_t firstValue = velmorin::kSettingsBytes - 4 * 31;
    const std::vector<std::vector<uint8_t>> broken = {
        {},
        std::vector<uint8_t>(good.begin(), good.end() - 1),
        std::vector<uint8_t>(good.begin(), good.begin() + velmorin::kSettingsBytes),
        changed(0, 'X'),                                      // foreign
        changed(4, 3),                                        // a later version
        changed(8, 18),                                       // no such program
        changed(firstValue + 4 * velmorin::kThrH + 3, 0x7f),  // NaN threshold
        changed(velmorin::kSettingsBytes + 4, 2),             // bypass word, later version
        changed(velmorin::kSettingsBytes + 8, 2),             // bypass neither off nor on
    };
    auto* other = new ParameterChanges;
    other->add(velmorin::kThrL, 0, 0.5);
    instance.activate(true);
    noiseBlock(instance, other);
    other->release();
    const std::vector<uint8_t> before = instance.state();
    const double thrL = normalized(instance, velmorin::kThrL);
    for (size_t i = 0; i < broken.size(); ++i) {
        EXPECT_EQ(instance.setState(broken[i]), Steinberg_kResultFalse) << i;
        EXPECT_EQ(instance.setControllerState(broken[i]), Steinberg_kResultFalse) << i;
        EXPECT_EQ(instance.state(), before) << i;
        EXPECT_EQ(normalized(instance, velmorin::kThrL), thrL) << i;
    }
}

// 878 frames while LookAhead is exactly on, else 0; the controller asks
// the host to restart when its change moves the latency.
TEST(Vst3Plugin, LatencyFollowsLookAheadAndTheHostIsAskedToRestart) {
    Instance instance;
    auto latency = [&] {
        return call(instance.processor(), &Steinberg_Vst_IAudioProcessorVtbl::getLatencySamples);
    };
    double previous = normalized(instance, velmorin::kLookAhead);
    for (double lookAhead : {1.0, 0.0, 0.0, 1.0}) {
        SCOPED_TRACE(lookAhead);
        instance.handler().restarts.clear();
        call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::setParamNormalized,
             velmorin::kLookAhead, lookAhead);
        const auto& restarts = instance.handler().restarts;
        EXPECT_EQ(std::any_of(restarts.begin(), restarts.end(),
                              [](int32_t flags) {
                                  return (flags & Steinberg_Vst_RestartFlags_kLatencyChanged) != 0;
                              }),
                  lookAhead != previous);
        previous = lookAhead;
        instance.activate(true);
        auto* changes = new ParameterChanges;
        changes->add(velmorin::kLookAhead, 0, lookAhead);
        noiseBlock(instance, changes);
        changes->release();
        instance.activate(false);
        EXPECT_EQ(latency(), lookAhead == 1.0 ? 878u : 0u);
    }
}

}  // namespace
