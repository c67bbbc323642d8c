// Timer 1 of the editor window: its period by display speed, and what a tick
// does in which order.
#include "editor/editor_timer.h"

#include "editor_fixture.h"

namespace velmorin {
namespace {

TEST(TimerPeriod, FollowsTheDisplaySpeedAndFallsBackToNormal) {
    EXPECT_EQ(timerPeriodMs(1), 166u);
    EXPECT_EQ(timerPeriodMs(2), 125u);
    EXPECT_EQ(timerPeriodMs(3), 100u);
    EXPECT_EQ(timerPeriodMs(4), 80u);
    for (int32_t other : {0, 5, -1, INT32_MIN, INT32_MAX}) EXPECT_EQ(timerPeriodMs(other), 125u);
}

using EditorTimerTest = EditorFixture;

TEST_F(EditorTimerTest, OpenStartsTheTimerAtTheStoredSpeed) {
    EditedEffect& effect = makeEffect();
    for (auto [speed, period] : {std::pair{4, 80u}, {1, 166u}, {0, 125u}, {5, 125u}}) {
        preferences.write({0, 32, 1, DisplayPrefs{}.waveColours, 1, speed, 1});
        ASSERT_TRUE(editorOf(effect).open(&hostWindow));
        EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), period) << speed;
        editorOf(effect).close();
    }
}

// A window of the test's own whose user data is the editor: it records the
// display ticks it receives and what the controls showed at that moment.
class TimerProcedureTest : public EditorFixture {
  protected:
    struct Tick {
        int highOnLamp;
        uint8_t parametersChanged;
    };
    static inline std::vector<Tick> ticks;
    static inline EditedEffect* probed = nullptr;

    static std::intptr_t recordTicks(platform::WindowHandle, std::uint32_t message, std::uintptr_t,
                                     std::intptr_t) {
        if (message == kMsgDisplayTick)
            ticks.push_back({editorOf(*probed).view().controls.lamp(kHighOn)->state(),
                             probed->engine().parametersChanged.get()});
        return 0;
    }

    void SetUp() override {
        EditorFixture::SetUp();
        ticks.clear();
        probed = &makeEffect();
        ASSERT_TRUE(editorOf(*probed).open(&hostWindow));
        // Only the probe's timer runs.
        windows.killTimer(windowOf(*probed), kEditorTimerId);
        ASSERT_TRUE(windows.registerWindowClass("Probe", recordTicks));
        probe = windows.createChildWindow("Probe", "", &hostWindow, 1, 1);
        windows.setUserData(probe, &editorOf(*probed));
    }
    void TearDown() override {
        editorOf(*probed).close();
        EditorFixture::TearDown();
    }

    platform::WindowHandle probe;
};

TEST_F(TimerProcedureTest, PostsTheTickAndRefreshesBeforeTheTickIsHandled) {
    // The constructor's program left parametersChanged set; High On is 1.
    ASSERT_EQ(probed->engine().parametersChanged.get(), 1);
    ASSERT_EQ(editorOf(*probed).view().controls.lamp(kHighOn)->state(), 0);
    windows.setTimer(probe, kEditorTimerId, 125, editorTimerProcedure);
    windows.advance(125);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].highOnLamp, 1);
    EXPECT_EQ(ticks[0].parametersChanged, 0);

    // Without a change a tick only posts.
    probed->engine().stored.bandOn[0].set(0.0f);
    windows.advance(125);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[1].highOnLamp, 1);

    probed->setParameter(kHighOn, 0.0f);
    windows.advance(125);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[2].highOnLamp, 0);
}

TEST_F(TimerProcedureTest, OtherTimerIdsOnlyRefreshAndWindowsWithoutEffectAreLeftAlone) {
    windows.setUserData(probe, nullptr);
    editorTimerProcedure(probe, platform::kMsgTimer, kEditorTimerId, 0);
    EXPECT_EQ(probed->engine().parametersChanged.get(), 1);

    windows.setUserData(probe, &editorOf(*probed));
    editorTimerProcedure(probe, platform::kMsgTimer, 7, 0);
    windows.dispatchPostedMessages();
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(editorOf(*probed).view().controls.lamp(kHighOn)->state(), 1);
}

}  // namespace
}  // namespace velmorin
