// The scale an editor opens at, from the stored choice, the host's factor and
// the system's.
#include "platform/scale_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace platform {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
    const char* why;
    std::int32_t stored;
    std::optional<double> host;
    double system;
    int percent;
};

TEST(ScaleChoice, TheFirstSourceThatAppliesSnappedToAnEditorScale) {
    const Case cases[] = {
        {"the user's choice wins over host and system", 150, 2.0, 3.0, 150},
        {"every offered choice is kept", 175, std::nullopt, 1.0, 175},
        {"the largest choice", 300, 1.0, 1.0, 300},
        {"the smallest choice over a larger system", 100, std::nullopt, 2.0, 100},
        {"Automatic follows the host", kAutomaticScale, 2.0, 1.0, 200},
        {"Automatic without a host follows the system", kAutomaticScale, std::nullopt, 1.5, 150},
        {"a stored value between steps is Automatic", 160, std::nullopt, 1.25, 125},
        {"a negative stored value is Automatic", -150, std::nullopt, 2.5, 250},
        {"a huge stored value is Automatic", 2147483647, 1.75, 1.0, 175},
        {"the host's factor snaps down", kAutomaticScale, 1.3, 1.0, 125},
        {"the host's factor snaps up", kAutomaticScale, 2.3, 1.0, 250},
        {"a tie goes to the larger step", kAutomaticScale, 2.25, 1.0, 250},
        {"a host factor below 1 is 1", kAutomaticScale, 0.5, 2.0, 100},
        {"a host factor above 3 is 3", kAutomaticScale, 4.0, 1.0, 300},
        {"a zero host factor defers to the system", kAutomaticScale, 0.0, 2.0, 200},
        {"a negative host factor defers to the system", kAutomaticScale, -2.0, 1.5, 150},
        {"a host factor that is not a number defers", kAutomaticScale, kNaN, 1.75, 175},
        {"an infinite host factor defers", kAutomaticScale, kInf, 1.0, 100},
        {"a system factor between steps snaps", kAutomaticScale, std::nullopt, 1.4, 150},
        {"a system factor above 3 is 3", kAutomaticScale, std::nullopt, 3.6, 300},
        {"a small system factor is 1", kAutomaticScale, std::nullopt, 0.75, 100},
        {"a system factor that is not a number is 1", kAutomaticScale, std::nullopt, kNaN, 100},
        {"an infinite system factor is 1", kAutomaticScale, std::nullopt, kInf, 100},
        {"a zero system factor is 1", kAutomaticScale, std::nullopt, 0.0, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseEditorScale(c.stored, c.host, c.system).percent(), c.percent) << c.why;
}

TEST(ScaleChoice, EveryEditorScaleIsItsOwnNearest) {
    for (Scale s : kEditorScales) EXPECT_EQ(nearestEditorScale(s.factor()), s) << s.percent();
    EXPECT_EQ(nearestEditorScale(-kInf), Scale());
    EXPECT_EQ(nearestEditorScale(kInf), kEditorScales.back());
}

}  // namespace
}  // namespace platform
