// Programs by number or name and parameter settings reach the effect.
#include <gtest/gtest.h>

#include "params/parameter_table.h"
#include "plugin_setup.h"

using namespace velmorin::host;
using velmorin::kHighBypass;
using velmorin::kThrH;

namespace {

TEST(PluginSetup, SelectsProgramsByNumberOrNameAndListsThemInPlace) {
    const HostedPlugin plugin(VELMORIN_PLUGIN_PATH);
    selectProgram(plugin, "Mastering 1");
    EXPECT_EQ(plugin.program(), 1);
    selectProgram(plugin, "5");
    EXPECT_EQ(plugin.program(), 5);
    const std::vector<std::string> names = programNames(plugin);
    ASSERT_EQ(names.size(), 18u);
    EXPECT_EQ(names[0], "Init");
    EXPECT_EQ(names[1], "Mastering 1");
    EXPECT_EQ(plugin.program(), 5);  // listing restores the program
}

TEST(PluginSetup, SetsParametersByNameWithoutTrailingBlanksOrByIndex) {
    const HostedPlugin plugin(VELMORIN_PLUGIN_PATH);
    ASSERT_EQ(plugin.parameterName(kThrH), "ThrH      ");
    applySetting(plugin, {ParameterSetting::Target::name, "ThrH=0.5"});
    EXPECT_EQ(plugin.text(effGetParamDisplay, kThrH), "-18.0");
    applySetting(plugin, {ParameterSetting::Target::name, "High Bypass=1"});
    EXPECT_EQ(plugin.parameter(kHighBypass), 1.0f);
    applySetting(plugin, {ParameterSetting::Target::index, "3=1e-1"});
    EXPECT_EQ(plugin.text(effGetParamDisplay, kThrH), "-3.5");
}

TEST(PluginSetup, TrimsOnlyTrailingBlanks) {
    EXPECT_EQ(withoutTrailingBlanks("ThrH      "), "ThrH");
    EXPECT_EQ(withoutTrailingBlanks(" --- "), " ---");
    EXPECT_EQ(withoutTrailingBlanks("   "), "");
}

}  // namespace
