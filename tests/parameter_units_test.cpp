// The parameter table over all 31 entries: what format descriptions will be
// generated from (symbols, names in words, modules, gates, ranges, steps,
// defaults) holds together, and every text a value is shown with reads back
// as that value when typed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "params/parameter_defaults.h"
#include "params/parameter_text.h"
#include "params/parameter_unit.h"
#include "support/loaded_plugin.h"

namespace velmorin {
namespace {

const char* moduleWord(Module module) {
    switch (module) {
        case Module::High:
            return "High";
        case Module::Mid:
            return "Mid";
        case Module::Low:
            return "Low";
        case Module::Master:
            break;
    }
    return "";
}

bool isSwitch(ParameterKind kind) {
    return parameterUnit(kind).stepping == Stepping::Toggle;
}

TEST(ParameterTable, NamesSymbolsAndModulesAreFitForFormatDescriptions) {
    const std::regex symbolPattern("[a-z][a-z0-9_]*");
    std::set<std::string> symbols, words;
    for (int32_t i = 0; i < kNumParameters; ++i) {
        const ParameterInfo& p = parameterInfo(i);
        SCOPED_TRACE(p.symbol);
        EXPECT_TRUE(std::regex_match(p.symbol, symbolPattern));
        EXPECT_TRUE(symbols.insert(p.symbol).second) << "symbol twice";
        EXPECT_TRUE(words.insert(p.words).second) << "name twice";
        const std::string name = p.words;
        EXPECT_FALSE(name.empty() || name.front() == ' ' || name.back() == ' ');
        // A band's parameters name their band first, the master's none.
        const std::string band = moduleWord(p.module);
        EXPECT_EQ(name.rfind(band, 0), 0u) << name;
        if (band.empty()) {
            for (const char* other : {"High ", "Mid ", "Low "}) EXPECT_NE(name.rfind(other, 0), 0u);
        }
        // A host's name buffer holds 11 characters and the terminator.
        EXPECT_LE(std::string(p.hostName).size(), 11u);
    }
}

TEST(ParameterTable, GatesAreTheOnSwitchOfTheirOwnBand) {
    int gated = 0;
    for (int32_t i = 0; i < kNumParameters; ++i) {
        const ParameterInfo& p = parameterInfo(i);
        if (!p.gate) continue;
        ++gated;
        SCOPED_TRACE(p.symbol);
        const ParameterInfo& gate = parameterInfo(*p.gate);
        EXPECT_TRUE(isSwitch(gate.kind));
        EXPECT_NE(p.module, Module::Master);
        EXPECT_EQ(gate.module, p.module);
        EXPECT_EQ(std::string(gate.symbol).rfind("on_", 0), 0u);
    }
    EXPECT_EQ(gated, 9);  // threshold, ratio and mix of each band
}

// The defaults are those the effect starts with, as a host reads and shows them.
TEST(ParameterTable, RangesHoldTheDefaultsAndWholeSteps) {
    Plugin plugin;
    for (int32_t i = 0; i < kNumParameters; ++i) {
        const ParameterInfo& p = parameterInfo(i);
        const ParameterUnit& unit = parameterUnit(p.kind);
        SCOPED_TRACE(p.symbol);
        const float start = defaultStoredValue(i);
        EXPECT_LT(p.minimum, p.maximum);
        EXPECT_GE(start, p.minimum);
        EXPECT_LE(start, p.maximum);
        EXPECT_EQ(storedToHost(i, start), plugin.get(i));
        EXPECT_EQ(valueText(p.kind, start), plugin.display(i));
        if (unit.stepping == Stepping::Continuous) continue;
        const float steps = (p.maximum - p.minimum) / unit.storedStep;
        EXPECT_FLOAT_EQ(steps, std::round(steps));
        EXPECT_FLOAT_EQ((start - p.minimum) / unit.storedStep,
                        std::round((start - p.minimum) / unit.storedStep));
    }
}

// At every stored step: the text shown, typed into a value box, gives a value
// that shows the same text (the output's text keeps hundredths of a decibel).
TEST(ParameterTable, EveryShownTextTypesBackToItself) {
    for (int32_t i = 0; i < kNumParameters; ++i) {
        const ParameterInfo& p = parameterInfo(i);
        const ParameterUnit& unit = parameterUnit(p.kind);
        if (!unit.numberFormat) continue;
        SCOPED_TRACE(p.symbol);
        const int steps = static_cast<int>(std::lround((p.maximum - p.minimum) / unit.storedStep));
        for (int step = 0; step <= steps; ++step) {
            const float stored = p.minimum + step * unit.storedStep;
            const std::string text = standaloneText(p.kind, stored);
            const std::optional<float> typed = storedFromText(p.kind, text);
            ASSERT_TRUE(typed) << text;
            ASSERT_EQ(standaloneText(p.kind, *typed), text) << stored;
        }
    }
}

TEST(ParameterTable, ScaleMarksLieInTheRangeInOrderAndReadAsTheirNumbers) {
    for (int32_t i = 0; i < kNumParameters; ++i) {
        const ParameterInfo& p = parameterInfo(i);
        SCOPED_TRACE(p.symbol);
        float previous = -INFINITY;
        for (float mark : p.scaleMarks) {
            const float stored = storedFromShown(p.kind, mark);
            EXPECT_GE(stored, p.minimum);
            EXPECT_LE(stored, p.maximum);
            EXPECT_GT(stored, previous) << "marks run down the fader";
            previous = stored;
            EXPECT_FLOAT_EQ(shownNumber(p.kind, stored), mark);
            const std::string label = scaleMarkText(p.kind, mark);
            EXPECT_EQ(std::strtof(label.c_str(), nullptr), mark) << label;
            const bool decibels = std::string(parameterUnit(p.kind).symbol) == "dB";
            EXPECT_EQ(label.front() == '+', decibels && mark > 0) << label;
        }
    }
}

}  // namespace
}  // namespace velmorin
