// The bank of 18 programs: factory contents, selection by replay, edits and
// derived values written back into the bank, names.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/effect.h"
#include "engine/parameter_mapping.h"
#include "support/loaded_plugin.h"

namespace {

struct Factory {
    const char* name;
    const char* thresholds[3];
    const char* ratios[3];
    int ratioSteps[3];  // k of the quantized ratio k/38
    int limiterSteps;
    const char* limiter;
    const char* zooms[4];
    const char* mixes[3];
    const char* output;
    bool lookAhead, normalize, dither;
    bool attack[3];
};

// Displays as the factory table gives them; one program per two lines.
// clang-format off
constexpr bool on = true, off = false;

const Factory kUser = {
    "User", {"-6.0", "-6.0", "-6.0"}, {"1.0", "1.0", "1.0"}, {0, 0, 0}, 2, "-1.0",
    {" 2", " 2", " 2", " 2"}, {"0.0", "0.0", "0.0"}, "0.00", off, off, off, {off, off, off}};

const Factory kFactory[] = {
    {"Init", {"-10.0", "-10.0", "-10.0"}, {"3.0", "3.0", "3.0"}, {4, 4, 4}, 9, "-4.5",
     {" 2", " 2", " 2", " 2"}, {"0.0", "0.0", "0.0"}, "0.00", on, off, off, {off, off, off}},
    {"Mastering 1", {"-36.0", "-36.0", "-36.0"}, {"2.0", "2.0", "2.0"}, {2, 2, 2}, 11, "-5.5",
     {" 2", " 2", " 2", " 2"}, {"0.0", "0.0", "0.0"}, "5.50", on, on, on, {off, off, off}},
    {"Mastering 2", {"-12.0", "-12.0", "-12.0"}, {"2.5", "2.5", "2.5"}, {3, 3, 3}, 12, "-6.0",
     {" 2", " 2", " 2", " 2"}, {"0.0", "0.0", "0.0"}, "6.00", on, on, on, {off, off, off}},
    {"Mastering 3", {"-14.0", "-14.0", "-14.0"}, {"3.5", "3.5", "3.5"}, {5, 5, 5}, 14, "-7.0",
     {" 3", " 3", " 3", " 3"}, {"0.0", "0.0", "0.0"}, "7.00", on, on, on, {off, off, off}},
    {"Mastering 4", {"-20.5", "-20.5", "-20.5"}, {"5.0", "5.0", "5.0"}, {8, 8, 8}, 26, "-13.0",
     {" 3", " 3", " 3", " 3"}, {"0.0", "0.0", "0.0"}, "13.00", on, on, on, {off, off, off}},
    {"Heavy", {"-36.0", "-36.0", "-36.0"}, {"2.5", "3.5", "2.5"}, {3, 5, 3}, 24, "-12.0",
     {" 4", " 4", " 4", " 4"}, {"0.0", "-3.0", "0.0"}, "12.00", on, on, off, {on, on, on}},
    {"Constant Hi", {"-6.0", "-36.0", "-36.0"}, {"1.0", "2.5", "2.5"}, {0, 3, 3}, 18, "-9.0",
     {" 3", " 3", " 3", " 3"}, {"-5.5", "0.0", "-1.0"}, "9.00", on, on, off, {off, off, off}},
    {"Preserve Attacks", {"-15.0", "-15.0", "-15.0"}, {"8.5", "8.5", "8.5"}, {15, 15, 15}, 15,
     "-7.5", {" 3", " 3", " 3", " 3"}, {"0.0", "0.0", "0.0"}, "7.50", on, on, off, {on, on, off}},
    {"Punchy", {"-24.0", "-24.0", "-24.0"}, {"10.5", "10.5", "10.5"}, {19, 19, 19}, 24, "-12.0",
     {" 4", " 3", " 3", " 3"}, {"0.0", "0.0", "0.0"}, "12.00", off, on, off, {on, on, on}},
    {"Carpe Diem", {"-26.0", "-26.0", "-26.0"}, {"6.5", "6.0", "6.5"}, {11, 10, 11}, 26, "-13.0",
     {" 5", " 5", " 5", " 5"}, {"-0.7", "0.0", "1.2"}, "13.00", off, on, off, {on, off, on}},
    {"Gimme more !", {"-28.0", "-28.0", "-28.0"}, {"6.5", "6.0", "6.5"}, {11, 10, 11}, 30, "-15.0",
     {" 5", " 5", " 5", " 5"}, {"-0.5", "0.0", "1.0"}, "15.00", on, on, off, {on, off, on}},
    {"Suffer well", {"-29.0", "-29.0", "-29.0"}, {"6.5", "6.0", "6.5"}, {11, 10, 11}, 34, "-17.0",
     {" 6", " 7", " 7", " 7"}, {"-1.0", "0.0", "0.5"}, "17.00", on, on, off, {on, off, on}},
};
// clang-format on

Factory factory(int32_t program) {
    if (program < 12) return kFactory[program];
    return kUser;
}

std::string factoryName(int32_t program) {
    return program < 12 ? kFactory[program].name : "User " + std::to_string(program - 11);
}

const char* onOff(bool on) {
    return on ? "On" : "Off";
}

// The core effect with every setParameter call recorded.
struct ProbedEffect : velmorin::Effect {
    const velmorin::ProgramRecord& program(int32_t index) const { return programs()[index]; }
    void setParameter(int32_t index, float value) override {
        calls.emplace_back(index, value);
        Effect::setParameter(index, value);
    }
    std::vector<std::pair<int32_t, float>> calls;
};

}  // namespace

TEST(Programs, FactoryContentsAsShownToTheHost) {
    Plugin plugin;
    for (int32_t p = 0; p < 18; ++p) {
        SCOPED_TRACE(p);
        plugin.selectProgram(p);
        const Factory f = factory(p);
        EXPECT_EQ(plugin.dispatch(effGetProgram), p);
        EXPECT_EQ(plugin.programName(), factoryName(p));
        for (int band = 0; band < 3; ++band) {
            EXPECT_EQ(plugin.display(0 + band), "On");
            EXPECT_EQ(plugin.display(3 + band), f.thresholds[band]);
            EXPECT_EQ(plugin.display(6 + band), f.ratios[band]);
            EXPECT_EQ(plugin.display(13 + band), f.mixes[band]);
            EXPECT_EQ(plugin.display(23 + band), "Off");
            EXPECT_EQ(plugin.display(26 + band), onOff(f.attack[band]));
        }
        for (int lane = 0; lane < 4; ++lane) EXPECT_EQ(plugin.display(9 + lane), f.zooms[lane]);
        EXPECT_EQ(plugin.display(16), f.limiter);
        EXPECT_EQ(plugin.display(17), f.output);
        EXPECT_EQ(plugin.get(18), 1.0f);
        EXPECT_EQ(plugin.display(19), onOff(f.lookAhead));
        EXPECT_EQ(plugin.effect()->initialDelay, f.lookAhead ? 880 : 0);
        EXPECT_EQ(plugin.display(20), onOff(f.normalize));
        EXPECT_EQ(plugin.display(21), onOff(f.dither));
        EXPECT_EQ(plugin.display(22), "Off");
        EXPECT_EQ(plugin.get(29), 0.0f);
    }
}

TEST(Programs, SelectionWritesQuantizedRatiosAndDerivedOutputBack) {
    ProbedEffect effect;
    for (int32_t p = 0; p < 18; ++p) {
        SCOPED_TRACE(p);
        effect.setProgram(p);
        const Factory f = factory(p);
        const velmorin::ProgramRecord& record = effect.program(p);
        for (int band = 0; band < 3; ++band) {
            EXPECT_EQ(record.ratio[band].get(), static_cast<float>(f.ratioSteps[band]) / 38.0f);
        }
        const int32_t output = f.normalize ? 24000 - 500 * f.limiterSteps : 24000;
        EXPECT_EQ(record.output.get(), output);
        EXPECT_EQ(effect.engine().stored.output.get(), output);
    }
}

TEST(Programs, ReplayOrderPutsTheLimiterAfterNormalize) {
    ProbedEffect effect;
    effect.calls.clear();
    effect.setProgram(5);
    std::vector<int32_t> order;
    for (const auto& [index, value] : effect.calls) order.push_back(index);
    const std::vector<int32_t> expected = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                           11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22,
                                           16, 23, 24, 25, 26, 27, 28, 29, 30};
    EXPECT_EQ(order, expected);
    ASSERT_EQ(effect.calls.size(), 31u);
    EXPECT_EQ(effect.calls[14].second, 150.0f);  // MixM of "Heavy", in stored units
    EXPECT_EQ(effect.calls[22].second, 24.0f);   // ThrLimiter
}

TEST(Programs, SelectionClearsTheWaveFeedAndFlagsAChange) {
    ProbedEffect effect;
    velmorin::LaneExtremes block;
    block.lane[2].maxLeft = 0.5f, block.lane[2].gainAtMaxLeft = 0.75f;
    effect.engine().feed.waves.publish(block);
    effect.engine().parametersChanged.set(0);
    effect.setProgram(4);
    EXPECT_EQ(effect.engine().parametersChanged.get(), 1);
    EXPECT_EQ(effect.engine().feed.waves.take().lane[2].maxLeft, 0.0f);
}

TEST(Programs, EditsLandInTheCurrentProgram) {
    Plugin plugin;
    plugin.selectProgram(3);
    plugin.set(3, 0.5f);
    plugin.selectProgram(5);
    EXPECT_EQ(plugin.display(3), "-36.0");
    plugin.selectProgram(3);
    EXPECT_EQ(plugin.display(3), "-18.0");
}

TEST(Programs, MixKeepsTheUntruncatedValueInTheRecord) {
    ProbedEffect effect;
    effect.setProgram(2);
    effect.setParameter(14, 0.5f);
    EXPECT_EQ(effect.program(2).mix[1].get(), 120.5f);
    EXPECT_EQ(effect.engine().stored.mix[1].get(), 120);
    effect.setProgram(7);
    effect.setProgram(2);
    EXPECT_EQ(effect.engine().stored.mix[1].get(), 120);
    EXPECT_EQ(effect.program(2).mix[1].get(), 120.5f);
}

TEST(Programs, AFullLoudnessMixSurvivesReselection) {
    ProbedEffect effect;
    effect.setProgram(2);
    effect.setParameter(13, 0.001f);  // 0.74 steps: +12.0 dB, stored 0
    EXPECT_EQ(effect.engine().stored.mix[0].get(), 0);
    effect.setProgram(7);
    effect.setProgram(2);
    EXPECT_EQ(effect.engine().stored.mix[0].get(), 0);
}

TEST(Programs, DerivedOutputIsStableOnReselection) {
    ProbedEffect effect;
    for (int pass = 0; pass < 2; ++pass) {
        effect.setProgram(10);
        EXPECT_EQ(effect.engine().stored.output.get(), 9000);
        EXPECT_EQ(effect.program(10).output.get(), 9000);
    }
    // The record keeps the derived value once Normalize is switched off.
    effect.setParameter(20, 0.0f);
    effect.setProgram(0);
    effect.setProgram(10);
    EXPECT_EQ(effect.engine().stored.output.get(), 9000);
}

TEST(Programs, RenamingKeepsTwentyThreeCharacters) {
    Plugin plugin;
    const std::string exact = "Twenty-three characters";
    ASSERT_EQ(exact.size(), 23u);
    plugin.selectProgram(3);
    plugin.dispatch(effSetProgramName, 0, 0, const_cast<char*>(exact.c_str()));
    EXPECT_EQ(plugin.programName(), exact);
    plugin.selectProgram(4);
    EXPECT_EQ(plugin.programName(), "Mastering 4");
    plugin.selectProgram(3);
    EXPECT_EQ(plugin.programName(), exact);

    const std::string longer = exact + " and then some more";
    plugin.dispatch(effSetProgramName, 0, 0, const_cast<char*>(longer.c_str()));
    EXPECT_EQ(plugin.programName(), exact);
    plugin.selectProgram(4);
    EXPECT_EQ(plugin.programName(), "Mastering 4");
    EXPECT_EQ(plugin.get(0), 1.0f);  // the next record starts right after the name

    // The last record has nothing after it: a sanitizer build sees any overrun.
    plugin.selectProgram(17);
    plugin.dispatch(effSetProgramName, 0, 0, const_cast<char*>(longer.c_str()));
    char name[kTextBufferSize];
    std::fill(name, name + kTextBufferSize, '\x7f');
    plugin.dispatch(effGetProgramName, 0, 0, name);
    EXPECT_EQ(std::string(name), exact);
    for (int i = 24; i < kTextBufferSize; ++i) EXPECT_EQ(name[i], '\x7f') << i;
}
