// Lamp buttons: lit picture or skin, always redrawn, edges included in hits.
#include "editor/lamp_button.h"

#include "control_fixture.h"

namespace velmorin {
namespace {

const ControlPlace& kLookAhead = kControlPlaces[15];  // 365, 392, 44 x 21

class LampButtonTest : public ControlFixture {};

TEST_F(LampButtonTest, ShowsTheSkinWhenOffAndItsPictureWhenOn) {
    LampButton lamp(canvas(), *lit, kLookAhead);
    EXPECT_EQ(lamp.state(), 0);
    EXPECT_EQ(at(365, 392), skinAt(365, 392));
    EXPECT_EQ(at(408, 412), skinAt(408, 412));
    lamp.setState(2);  // any non-zero state is lit
    EXPECT_EQ(at(365, 392), kLitColour);
    EXPECT_EQ(at(408, 412), kLitColour);
    EXPECT_EQ(at(409, 392), platform::rgb(0, 0, 0));
    lamp.setState(0);
    EXPECT_EQ(at(380, 400), skinAt(380, 400));
}

TEST_F(LampButtonTest, SettingTheSameStateStillRedraws) {
    LampButton lamp(canvas(), *lit, kLookAhead);
    lamp.setState(1);
    scribble(370, 395);
    lamp.setState(1);
    EXPECT_EQ(at(370, 395), kLitColour);
}

TEST_F(LampButtonTest, HitIncludesAllFourEdges) {
    LampButton lamp(canvas(), *lit, kLookAhead);
    EXPECT_TRUE(lamp.hit(365, 392));
    EXPECT_TRUE(lamp.hit(365 + 44, 392 + 21));
    EXPECT_FALSE(lamp.hit(365 + 45, 400));
    EXPECT_FALSE(lamp.hit(364, 400));
    EXPECT_FALSE(lamp.hit(380, 392 + 22));
    EXPECT_FALSE(lamp.hit(380, 391));
}

}  // namespace
}  // namespace velmorin
