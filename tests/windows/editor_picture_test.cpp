// The editor's real window against the software canvas: the same states as
// the golden pictures (painted on Linux), captured from the window's device
// context and judged as editor_picture.h says.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/layout.h"
#include "support/loaded_plugin.h"
#include "windows/editor_picture.h"
#include "windows/host_window.h"

namespace {

using velmorin::kEditorHeight;
using velmorin::kEditorWidth;

struct State {
    const char* name;  // of the golden picture
    const char* program;
    std::vector<std::pair<const char*, float>> settings;  // host values by parameter name
};

int programNamed(const Plugin& plugin, const std::string& name) {
    for (int p = 0; p < 18; ++p) {
        plugin.selectProgram(p);
        if (plugin.programName() == name) return p;
    }
    return -1;
}

int parameterNamed(const Plugin& plugin, const std::string& name) {
    for (int i = 0; i < 31; ++i) {
        std::string n = plugin.name(i);
        while (!n.empty() && n.back() == ' ') n.pop_back();
        if (n == name) return i;
    }
    return -1;
}

class EditorPicture : public ::testing::TestWithParam<State> {};

TEST_P(EditorPicture, MatchesTheSoftwareCanvas) {
    const State& state = GetParam();
    const Picture reference = referencePicture(state.name);
    ASSERT_EQ(reference.width, kEditorWidth) << "no reference picture " << state.name;

    Plugin plugin;
    const int program = programNamed(plugin, state.program);
    ASSERT_GE(program, 0);
    plugin.selectProgram(program);
    for (const auto& [name, value] : state.settings) {
        const int index = parameterNamed(plugin, name);
        ASSERT_GE(index, 0) << name;
        plugin.set(index, value);
    }
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin picture");
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    // The golden pictures show the window after its first tick (which brings
    // the stored values); nothing plays meanwhile.
    const Picture window = pictureAfterFirstTick(host.editor());
    plugin.dispatch(effEditClose);
    expectSameEditorPicture(window, reference, state.name);
}

// The golden states in which nothing plays (tests/golden/CMakeLists.txt).
INSTANTIATE_TEST_SUITE_P(GoldenStates, EditorPicture,
                         ::testing::Values(State{"init", "Init", {}},
                                           State{"band-off-and-bypassed",
                                                 "Heavy",
                                                 {{"Mid On", 0.0f}, {"Low Bypass", 1.0f}}}),
                         [](const ::testing::TestParamInfo<State>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
