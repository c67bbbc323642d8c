// What the snapshot command line accepts: programs by number or name,
// parameters by their listed names with a number, and what it refuses.
#include <gtest/gtest.h>

#include <stdexcept>

#include "params/parameter_table.h"
#include "snapshot/effect_settings.h"

namespace velmorin::snapshot {
namespace {

TEST(EffectSettings, ProgramsByNumberOrNameInAnyCase) {
    EXPECT_EQ(findProgram("0"), 0);
    EXPECT_EQ(findProgram("17"), 17);
    EXPECT_EQ(findProgram("init"), 0);
    EXPECT_EQ(findProgram("Gimme more !"), 10);
    EXPECT_EQ(findProgram("PRESERVE ATTACKS"), 7);
    for (const char* wrong : {"18", "-1", "", "Mastering", "Mastering 9"})
        EXPECT_THROW(findProgram(wrong), std::invalid_argument) << wrong;
}

TEST(EffectSettings, ParametersByTheirListedNamesWithANumber) {
    const Setting midOn = parseSetting("mid on=0");
    EXPECT_EQ(midOn.parameter, kMidOn);
    EXPECT_EQ(midOn.value, 0.0f);
    const Setting thr = parseSetting("ThrH=0.5");  // "ThrH" is listed with padding blanks
    EXPECT_EQ(thr.parameter, kThrH);
    EXPECT_EQ(thr.value, 0.5f);
    EXPECT_EQ(parseSetting("Low Bypass= 1").parameter, kLowBypass);
    EXPECT_EQ(parseSetting("Output=-3e2").value, -300.0f);
    for (const char* wrong :
         {"Normalize", "Normalise=1", "Normalize=", "Normalize=on", "Normalize=1x", "=1"})
        EXPECT_THROW(parseSetting(wrong), std::invalid_argument) << wrong;
}

}  // namespace
}  // namespace velmorin::snapshot
