// The 31 parameters as a host sees them: names, labels, display texts and the
// conversions between host values and stored values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/loaded_plugin.h"

namespace {

struct NameRow {
    const char* name;
    const char* label;
};

const NameRow kNames[31] = {
    {"High On   ", "   "}, {"Mid On    ", "   "}, {"Low On    ", "   "}, {"ThrH      ", "dB "},
    {"ThrM      ", "dB "}, {"ThrL      ", "dB "}, {"RatioH    ", "   "}, {"RatioM    ", "   "},
    {"RatioL    ", "   "}, {"ZoomMaster", "   "}, {"ZoomH     ", "   "}, {"ZoomM     ", "   "},
    {"ZoomL     ", "   "}, {"MixH      ", "dB "}, {"MixM      ", "dB "}, {"MixL      ", "dB "},
    {"ThrLimiter", "dB "}, {"Output    ", "dB "}, {"---       ", "---"}, {"LookAhead ", "   "},
    {"Normalize ", "   "}, {"Dither    ", "   "}, {"Bypass    ", "   "}, {"High Bypass", "   "},
    {"Mid Bypass", "   "}, {"Low Bypass", "   "}, {"High Atk", "   "},   {"Mid Atk", "   "},
    {"Low Atk", "   "},    {" --- ", " --- "},    {" --- ", " --- "},
};

// One host value sent to one parameter: the text shown and the value read back.
struct Conversion {
    int32_t index;
    float sent;
    const char* display;
    float readBack;
};

const Conversion kConversions[] = {
    // Scaled parameters: 0 < v < 1 is normalized, anything else is stored units.
    {4, 0.5f, "-18.0", 0.5f},
    {5, 1.0f, "-0.5", 1.0f / 72.0f},
    {5, 0.99f, "-35.5", 71.0f / 72.0f},
    {3, 0.0f, "-0.0", 0.0f},
    {3, 72.0f, "-36.0", 0.99999f},
    {3, 100.0f, "-50.0", 100.0f / 72.0f},  // above 1: reported uncapped
    {3, -4.0f, "2.0", -4.0f / 72.0f},
    {16, 0.0f, "-0.0", 0.0f},
    {16, 0.5f, "-12.0", 0.5f},
    {16, 48.0f, "-24.0", 0.99999f},
    {10, 0.5f, "10", 0.5f},
    {10, 0.1f, " 2", 0.1f},
    {9, 20.0f, "20", 0.99999f},
    {13, 0.5f, "0.0", 0.5f},
    {13, 0.0f, "12.0", 0.0f},
    {15, 240.0f, "-12.0", 0.99999f},
    {14, 125.0f, "-0.5", 125.0f / 240.0f},
    {17, 0.5f, "12.00", 0.5f},
    {17, 24000.0f, "0.00", 0.99999f},
    {17, 0.0f, "24.00", 0.0f},
    // Ratios are always quantized to k/38 and never capped.
    {6, 1.0f, "20.0", 1.0f},
    {6, 0.0f, "1.0", 0.0f},
    {7, 0.105f, "3.0", 4.0f / 38.0f},
    {8, 0.5f, "10.5", 0.5f},
    {8, 5.0f / 38.0f, "3.5", 5.0f / 38.0f},
    // Float switches keep the value; byte switches keep 0 or 1.
    {0, 0.3f, "On", 0.3f},
    {26, 0.0f, "Off", 0.0f},
    {19, 0.5f, "On", 0.5f},
    {20, 0.3f, "On", 1.0f},
    {21, 1.0f, "On", 1.0f},
    {22, 0.0f, "Off", 0.0f},
    {22, -2.0f, "On", 1.0f},
    // Parameter 18 is kept but never shown; the reserved ones read 0.
    {18, 0.42f, "---", 0.42f},
    {29, 0.7f, " --- ", 0.0f},
    {30, 0.7f, " --- ", 0.0f},
};

const int32_t kOutsideIndices[] = {31, 40, 1000, INT32_MAX, -1, -31, INT32_MIN};

struct Snapshot {
    std::vector<float> values;
    std::vector<std::string> texts;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Plugin& plugin) {
    Snapshot s;
    for (int32_t i = 0; i < 31; ++i) {
        s.values.push_back(plugin.get(i));
        s.texts.push_back(plugin.display(i));
    }
    return s;
}

}  // namespace

TEST(Parameters, NamesAndLabelsAreExact) {
    Plugin plugin;
    for (int32_t i = 0; i < 31; ++i) {
        EXPECT_EQ(plugin.name(i), kNames[i].name) << i;
        EXPECT_EQ(plugin.label(i), kNames[i].label) << i;
    }
}

TEST(Parameters, ConvertAndDisplayHostValues) {
    Plugin plugin;
    for (const Conversion& c : kConversions) {
        plugin.set(c.index, c.sent);
        EXPECT_EQ(plugin.display(c.index), c.display) << c.index << " <- " << c.sent;
        EXPECT_EQ(plugin.get(c.index), c.readBack) << c.index << " <- " << c.sent;
    }
}

TEST(Parameters, ScaledValuesReadBackNeverReachOne) {
    Plugin plugin;
    for (int32_t i = 3; i <= 17; ++i) {
        if (i >= 6 && i <= 8) continue;  // ratios
        plugin.set(i, 0.99999994f);      // the largest float below 1
        const float read = plugin.get(i);
        EXPECT_EQ(read, 0.99999f) << i;
        plugin.set(i, read);  // sent back: normalized again, same stored value
        EXPECT_EQ(plugin.get(i), read) << i;
    }
}

TEST(Parameters, IndicesOutsideTheTableStoreNothing) {
    Plugin plugin;
    plugin.selectProgram(5);
    const Snapshot before = snapshot(plugin);
    for (int32_t index : kOutsideIndices) {
        EXPECT_EQ(plugin.name(index), " --- ") << index;
        EXPECT_EQ(plugin.label(index), " --- ") << index;
        EXPECT_EQ(plugin.display(index), " --- ") << index;
        plugin.set(index, 0.7f);
        EXPECT_EQ(plugin.get(index), 0.0f) << index;
    }
    EXPECT_EQ(snapshot(plugin), before);
}

// NaN counts as 0 and the stored values that make gains stop at +-120 dB, so no
// host value is undefined behaviour (the sanitizer build runs this too).
TEST(Parameters, ExtremeHostValuesAreStoredSafely) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    Plugin plugin;

    plugin.set(3, 1e10f);
    EXPECT_EQ(plugin.display(3), "-120.0");
    plugin.set(3, -kInf);
    EXPECT_EQ(plugin.display(3), "120.0");
    plugin.set(3, kNaN);
    EXPECT_EQ(plugin.display(3), "-0.0");

    plugin.set(17, 1e30f);
    EXPECT_EQ(plugin.get(17), 144000.0f / 24000.0f);  // -120 dB
    plugin.set(17, kNaN);
    EXPECT_EQ(plugin.display(17), "24.00");
    plugin.set(13, kNaN);
    EXPECT_EQ(plugin.display(13), "12.0");
    plugin.set(9, -kInf);
    EXPECT_EQ(plugin.get(9), static_cast<float>(INT32_MIN) / 20.0f);

    plugin.set(6, -1e30f);
    EXPECT_EQ(plugin.get(6), static_cast<float>(INT32_MIN) / 38.0f);
    plugin.set(6, kInf);
    EXPECT_EQ(plugin.get(6), static_cast<float>(INT32_MAX - 2) / 38.0f);
    plugin.set(6, kNaN);
    EXPECT_TRUE(std::isfinite(plugin.get(6)));

    // Under Normalize the limiter threshold also derives the output value.
    plugin.set(20, 1.0f);
    for (float extreme : {1e30f, -1e30f, kInf, kNaN}) {
        plugin.set(16, extreme);
        EXPECT_FALSE(std::isnan(plugin.get(17))) << extreme;
    }
}
