// The editor's real window against the software canvas: the same states as
// the golden pictures (painted on Linux), captured from the window's device
// context. Identical outside text; GDI's text may differ from the compiled
// glyphs within a budget per text rectangle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "editor/layout.h"
#include "support/loaded_plugin.h"
#include "windows/host_window.h"

namespace {

using velmorin::kEditorHeight;
using velmorin::kEditorWidth;

// Differing pixels allowed in one text rectangle (42 x 15 = 630 pixels):
// about a third of it, what two renderers' edges of the same glyph outlines
// differ by; a wrong or moved text differs in far more.
constexpr int kTextPixelBudget = 200;

struct TextArea {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

std::vector<TextArea> textAreas() {
    std::vector<TextArea> areas;
    for (const auto& box : velmorin::kValueBoxPlaces)
        areas.push_back(
            {box.x, box.y, box.x + velmorin::kReadoutWidth + 1, box.y + velmorin::kReadoutHeight});
    areas.push_back({velmorin::kLevelReadoutLeft, velmorin::kLevelReadoutTop,
                     velmorin::kLevelReadoutRight, velmorin::kLevelReadoutBottom});
    return areas;
}

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
    const std::string references =
        std::getenv("VELMORIN_REFERENCE_DIR") ? std::getenv("VELMORIN_REFERENCE_DIR") : "";
    const Picture reference = readBmp(references + "/" + state.name + ".bmp");
    ASSERT_EQ(reference.width, kEditorWidth) << "no reference picture in " << references;

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
    const HWND editor = host.editor();
    // The golden pictures show the window after its first tick (which brings
    // the stored values); nothing plays meanwhile.
    ASSERT_TRUE(runFirstTickOnly(editor, 5000));
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
    const Picture window = captureWindow(editor);
    plugin.dispatch(effEditClose);
    ASSERT_EQ(window.width, reference.width);
    ASSERT_EQ(window.height, reference.height);

    const std::vector<TextArea> areas = textAreas();
    std::vector<int> inText(areas.size(), 0);
    int outsideText = 0;
    Picture difference{window.width, window.height,
                       std::vector<std::uint32_t>(window.pixels.size())};
    for (int y = 0; y < window.height; ++y) {
        for (int x = 0; x < window.width; ++x) {
            if (window.at(x, y) == reference.at(x, y)) continue;
            difference.pixels[static_cast<std::size_t>(y) * window.width + x] = 0xFFFFFF;
            bool counted = false;
            for (std::size_t a = 0; a < areas.size() && !counted; ++a)
                if (areas[a].contains(x, y)) ++inText[a], counted = true;
            if (!counted) {
                if (outsideText < 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside text: window "
                                  << std::hex << window.at(x, y) << ", canvas "
                                  << reference.at(x, y) << std::dec;
                ++outsideText;
            }
        }
    }
    EXPECT_EQ(outsideText, 0);
    int worst = 0;
    for (int count : inText) worst = std::max(worst, count);
    EXPECT_LE(worst, kTextPixelBudget) << "differing pixels in the worst text rectangle";
    std::printf("%s: %d pixels differ outside text, at most %d in one text rectangle\n", state.name,
                outsideText, worst);

    const char* artefacts = std::getenv("VELMORIN_ARTEFACT_DIR");
    if (artefacts && (outsideText > 0 || worst > 0)) {
        const std::string stem = std::string(artefacts) + "/" + state.name;
        writeBmp(stem + "-windows.bmp", window);
        writeBmp(stem + "-canvas.bmp", reference);
        writeBmp(stem + "-difference.bmp", difference);
    }
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
