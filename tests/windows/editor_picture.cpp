#include "windows/editor_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor/layout.h"
#include "windows/host_window.h"

namespace {

struct TextArea {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// In device pixels at `scale`.
std::vector<TextArea> textAreas(platform::Scale scale) {
    std::vector<TextArea> areas;
    const auto add = [&](int left, int top, int right, int bottom) {
        areas.push_back(
            {scale.device(left), scale.device(top), scale.device(right), scale.device(bottom)});
    };
    for (const auto& box : velmorin::kValueBoxPlaces)
        add(box.x, box.y, box.x + velmorin::kReadoutWidth + 1, box.y + velmorin::kReadoutHeight);
    add(velmorin::kLevelReadoutLeft, velmorin::kLevelReadoutTop, velmorin::kLevelReadoutRight,
        velmorin::kLevelReadoutBottom);
    return areas;
}

}  // namespace

Picture referencePicture(const std::string& name) {
    const char* references = std::getenv("VELMORIN_REFERENCE_DIR");
    return readBmp(std::string(references ? references : "") + "/" + name + ".bmp");
}

Picture pictureAfterFirstTick(HWND editor, int timeoutMs) {
    if (!runFirstTickOnly(editor, timeoutMs)) return {};
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
    return captureWindow(editor);
}

void expectSameEditorPicture(const Picture& window, const Picture& reference,
                             const std::string& name, platform::Scale scale) {
    ASSERT_EQ(window.width, reference.width) << "no picture of the window (no display tick?)";
    ASSERT_EQ(window.height, reference.height);

    const std::vector<TextArea> areas = textAreas(scale);
    const int budget = kTextPixelBudget * scale.quarters() * scale.quarters() / 16;
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
                                  << std::hex << window.at(x, y) << ", reference "
                                  << reference.at(x, y) << std::dec;
                ++outsideText;
            }
        }
    }
    EXPECT_EQ(outsideText, 0);
    int worst = 0;
    for (int count : inText) worst = std::max(worst, count);
    EXPECT_LE(worst, budget) << "differing pixels in the worst text rectangle";
    std::printf("%s: %d pixels differ outside text, at most %d in one text rectangle\n",
                name.c_str(), outsideText, worst);

    const char* artefacts = std::getenv("VELMORIN_ARTEFACT_DIR");
    if (artefacts && (outsideText > 0 || worst > 0)) {
        const std::string stem = std::string(artefacts) + "/" + name;
        writeBmp(stem + "-windows.bmp", window);
        writeBmp(stem + "-reference.bmp", reference);
        writeBmp(stem + "-difference.bmp", difference);
    }
}
