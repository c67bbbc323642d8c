// The zoom fader: its smaller cap and tolerances, and a range that changes.
#include "editor/small_fader.h"

#include "control_fixture.h"

namespace velmorin {
namespace {

const ControlPlace& kZoomH = kControlPlaces[12];  // 284, 93, travel 42, 1 to 20

class SmallFaderTest : public ControlFixture {
  protected:
    SmallFader make() { return SmallFader(canvas(), *smallCap, kZoomH); }
};

TEST_F(SmallFaderTest, DrawsItsCapElevenRowsAboveTheValue) {
    SmallFader f = make();
    EXPECT_EQ(f.value(), 1.0f);
    EXPECT_EQ(at(284, 82), kCapColour);
    EXPECT_EQ(at(296, 102), kCapColour);
    EXPECT_EQ(at(284, 103), skinAt(284, 103));
    EXPECT_EQ(at(297, 90), platform::rgb(0, 0, 0));  // 13 pixels wide
}

TEST_F(SmallFaderTest, PressesCountWithinNineRows) {
    SmallFader f = make();
    EXPECT_FALSE(f.grab(290, 93 + 10));
    EXPECT_TRUE(f.grab(290, 93 + 9));
    f.setValue(10);  // cap offset 19
    ASSERT_EQ(f.capOffset(), 19);
    EXPECT_FALSE(f.stepToward(290, 93 - 10, 1));
    EXPECT_TRUE(f.stepToward(290, 93 - 9, 1));
    EXPECT_EQ(f.value(), 9.0f);
    EXPECT_FALSE(f.stepToward(290, 93 + 42 + 9, 1));
    EXPECT_TRUE(f.stepToward(290, 93 + 42 + 8, 1));
    EXPECT_EQ(f.value(), 10.0f);
}

TEST_F(SmallFaderTest, NarrowerRangeClampsAndRedrawsOnlyWhenTheValueMoves) {
    SmallFader f = make();
    f.setValue(20);
    f.setRange(1, 10);
    EXPECT_EQ(f.value(), 10.0f);
    EXPECT_EQ(f.capOffset(), 41);
    EXPECT_EQ(at(284, 93 + 41 - 11), kCapColour);

    scribble(290, 60);
    f.setRange(2, 32);  // 10 still fits: the value stays and nothing is drawn
    EXPECT_EQ(f.value(), 10.0f);
    EXPECT_EQ(at(290, 60), kScribble);
    EXPECT_EQ(f.minimum(), 2.0f);
    EXPECT_EQ(f.maximum(), 32.0f);
}

}  // namespace
}  // namespace velmorin
