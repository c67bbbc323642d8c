// Value boxes: created hidden over their faders' read-outs, set up for
// typing one line.
#include "editor/value_box.h"

#include "control_fixture.h"

namespace velmorin {
namespace {

class ValueBoxTest : public ControlFixture {};

TEST_F(ValueBoxTest, LiesOverItsFadersReadoutRatioBoxesOnePixelLeft) {
    for (const ValueBoxPlace& box : kValueBoxPlaces) {
        const ControlPlace* fader = nullptr;
        for (const ControlPlace& c : kControlPlaces)
            if (c.parameter == box.parameter && c.kind == ControlKind::Fader) fader = &c;
        ASSERT_NE(fader, nullptr) << box.parameter;
        const int shift = fader->readout == Readout::Ratio ? 1 : 0;
        EXPECT_EQ(box.x, fader->boxX - shift) << box.parameter;
        EXPECT_EQ(box.y, fader->boxY) << box.parameter;
    }
}

TEST_F(ValueBoxTest, StartsHiddenWithPlaceholderFontMarginsAndWideFormatting) {
    const ValueBoxPlace& ratio = kValueBoxPlaces[3];
    const platform::WindowHandle box = createValueBox(windows, window, *font, ratio);
    ASSERT_TRUE(box);
    EXPECT_FALSE(windows.isVisible(box));
    EXPECT_EQ(windows.text(box), "---");
    const auto* state = windows.editBox(box);
    EXPECT_EQ(state->bounds, (platform::Rect{103, 13, 145, 28}));
    EXPECT_EQ(state->font, font.get());
    EXPECT_EQ(state->leftMargin, 1);
    EXPECT_EQ(state->rightMargin, 1);
    EXPECT_EQ(state->formatting, (platform::Rect{0, 0, 47, 30}));
}

TEST_F(ValueBoxTest, NoBoxWithoutAnEditorWindow) {
    windows.destroyWindow(window);
    EXPECT_FALSE(createValueBox(windows, window, *font, kValueBoxPlaces[0]));
}

}  // namespace
}  // namespace velmorin
