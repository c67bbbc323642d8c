// velmorin bench measures each plug-in with its own program and settings, so
// that differently set plug-ins compare in one command.
#include <gtest/gtest.h>

#include <sstream>

#include "run_velmorin.h"

namespace {

// The settings column of each measured plug-in, in the order printed.
std::vector<std::string> settingsColumns(const std::string& out) {
    std::vector<std::string> columns;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t percent = line.find("%  ");
        if (percent != std::string::npos) columns.push_back(line.substr(percent + 3));
    }
    return columns;
}

TEST(Bench, SettingsBeforeAnyPluginApplyToAllThoseAfterOneToItAlone) {
    const CommandResult result = runVelmorin(
        {"bench", "--seconds", "0.05", "--set", "ThrH=0.5", VELMORIN_PLUGIN_PATH, "--program",
         "Mastering 1", VELMORIN_PLUGIN_PATH, "--param", "17=1", "--set", "Dither=0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(settingsColumns(result.out),
              (std::vector<std::string>{"--program \"Mastering 1\" --set ThrH=0.5",
                                        "--set ThrH=0.5 --param 17=1 --set Dither=0"}))
        << result.out;

    const CommandResult alone = runVelmorin({"bench", "--seconds", "0.05", "--program", "Heavy"});
    ASSERT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(settingsColumns(alone.out), std::vector<std::string>{"--program \"Heavy\""});
}

TEST(Bench, ASettingThePluginCannotTakeNamesIt) {
    const CommandResult result =
        runVelmorin({"bench", "--seconds", "0.05", VELMORIN_PLUGIN_PATH, "--program", "Nothing"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("--program Nothing"), std::string::npos) << result.err;
}

}  // namespace
