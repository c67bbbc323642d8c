// Fader: where its cap and read-out are drawn, when it redraws, and how a
// press or drag becomes a value.
#include "editor/fader.h"

#include "control_fixture.h"

namespace velmorin {
namespace {

const ControlPlace& kThrH = kControlPlaces[3];
const ControlPlace& kMixL = kControlPlaces[11];
const ControlPlace& kOutputPlace = kControlPlaces[1];

class FaderTest : public ControlFixture {
  protected:
    Fader make(const ControlPlace& place) { return Fader(canvas(), *cap, *font, place); }

    // The brightest red in a read-out: white text reaches far above the
    // skin's red of 20, grey text at most 115.
    int readoutRed(const ControlPlace& place) const {
        int red = 0;
        for (int y = place.boxY; y < place.boxY + kReadoutHeight; ++y)
            for (int x = place.boxX; x < place.boxX + kReadoutWidth; ++x)
                red = std::max<int>(red, platform::redOf(at(x, y)));
        return red;
    }
};

TEST_F(FaderTest, StartsAtItsMinimumWithTheCapAtTheTopOfItsTravel) {
    Fader f(canvas(), *cap, *font, kThrH);
    EXPECT_EQ(f.value(), 12.0f);
    EXPECT_EQ(f.capOffset(), 0);
    EXPECT_EQ(at(66, 44), kCapColour);  // value row 60 is cap row 16
    EXPECT_EQ(at(81, 77), kCapColour);
    EXPECT_EQ(at(66, 78), skinAt(66, 78));
    EXPECT_GT(readoutRed(kThrH), 200);
}

TEST_F(FaderTest, ClampedValueMovesTheCapAndRestoresTheColumnFromTheSkin) {
    Fader f = make(kThrH);
    f.setValue(80);
    EXPECT_EQ(f.value(), 72.0f);
    EXPECT_EQ(f.capOffset(), 66);
    EXPECT_EQ(at(66, 110), kCapColour);
    EXPECT_EQ(at(66, 44), skinAt(66, 44));    // old cap gone
    EXPECT_EQ(at(70, 144), skinAt(70, 144));  // the restored column ends at y - 16 + 67 + 34
    EXPECT_EQ(at(70, 145), platform::rgb(0, 0, 0));
    EXPECT_EQ(at(82, 100), platform::rgb(0, 0, 0));  // nothing right of the 16-pixel column
}

TEST_F(FaderTest, RedrawsOnlyWhenValueOrFlagChanges) {
    Fader f = make(kThrH);
    scribble(54, 14);
    f.setValue(12);
    f.setValue(5);  // clamps to the value it has
    f.setDimmed(false);
    f.setBoxVisible(true);
    EXPECT_EQ(at(54, 14), kScribble);
    f.setDimmed(true);
    EXPECT_EQ(at(54, 14), skinAt(54, 14));
}

TEST_F(FaderTest, DimmedBandReadoutsTurnGreyMasterOnesStayWhite) {
    Fader mix = make(kMixL);
    EXPECT_GT(readoutRed(kMixL), 200);
    mix.setDimmed(true);  // shows OFF
    EXPECT_LE(readoutRed(kMixL), 115);
    EXPECT_GT(readoutRed(kMixL), 60);

    Fader output = make(kOutputPlace);
    output.setDimmed(true);
    EXPECT_GT(readoutRed(kOutputPlace), 200);
}

TEST_F(FaderTest, HiddenReadoutIsNeitherDrawnNorHit) {
    Fader f = make(kThrH);
    EXPECT_TRUE(f.hitBox(53, 13));
    EXPECT_TRUE(f.hitBox(93, 27));
    EXPECT_FALSE(f.hitBox(94, 27));
    EXPECT_FALSE(f.hitBox(93, 28));
    EXPECT_FALSE(f.hitBox(52, 20));

    f.setBoxVisible(false);
    scribble(60, 20);
    f.setValue(40);
    EXPECT_EQ(at(60, 20), kScribble);
    EXPECT_FALSE(f.hitBox(60, 20));
    f.setBoxVisible(true);
    EXPECT_EQ(at(60, 20), skinAt(60, 20));
}

TEST_F(FaderTest, GrabTakesPressesWithinSixteenRowsOfTheCap) {
    Fader f = make(kThrH);              // cap offset 0
    EXPECT_FALSE(f.grab(65, 60 + 16));  // left of the column
    EXPECT_FALSE(f.grab(66 + 16, 60 + 16));
    EXPECT_FALSE(f.grab(70, 60 + 17));
    EXPECT_EQ(f.value(), 12.0f);
    EXPECT_TRUE(f.grab(70, 60 + 16));
    EXPECT_FLOAT_EQ(f.value(), 12.0f + 16.0f / 66.0f * 60.0f);
    EXPECT_TRUE(f.grab(70, 60 - 16 + f.capOffset()));
}

TEST_F(FaderTest, StepTowardPagesFromBesideTheCapWithinTheColumn) {
    Fader f = make(kThrH);
    f.setValue(42);  // cap offset 33
    ASSERT_EQ(f.capOffset(), 33);
    EXPECT_FALSE(f.stepToward(70, 60 - 16, 2));       // 16 above the travel
    EXPECT_FALSE(f.stepToward(70, 60 + 33 + 16, 2));  // on the cap
    EXPECT_FALSE(f.stepToward(70, 60 + 67 + 15, 2));  // too far below
    EXPECT_FALSE(f.stepToward(82, 60, 2));
    EXPECT_EQ(f.value(), 42.0f);

    EXPECT_TRUE(f.stepToward(70, 60 - 15, 2));
    EXPECT_EQ(f.value(), 40.0f);
    EXPECT_TRUE(f.stepToward(70, 60 + 67 + 14, 2));
    EXPECT_EQ(f.value(), 42.0f);
}

TEST_F(FaderTest, DragFollowsThePointerWithoutHitTestAndClamps) {
    Fader f = make(kMixL);
    f.dragTo(-500, 271 + 36);
    EXPECT_FLOAT_EQ(f.value(), 36.0f / 72.0f * 240.0f);
    f.dragTo(0, 1000);
    EXPECT_EQ(f.value(), 240.0f);
    f.dragTo(0, -1000);
    EXPECT_EQ(f.value(), 0.0f);
}

TEST_F(FaderTest, DeadWindowTakesNoDrawing) {
    Fader f = make(kThrH);
    windows.destroyWindow(window);
    f.setValue(72);
    EXPECT_EQ(f.value(), 72.0f);
    EXPECT_EQ(f.capOffset(), 0);  // not recomputed without a window
}

}  // namespace
}  // namespace velmorin
