// The left button through the window procedure: paging and dragging faders,
// lamps with their Ctrl and Shift group rules, Normalize's extra steps and
// the skin's hot spots, each change reported to the host in order.
#include "editor/mouse_input.h"

#include <algorithm>

#include "input_fixture.h"

namespace velmorin {
namespace {

using MouseInputTest = InputFixture;

TEST_F(MouseInputTest, PressesBesideTheCapPageAndOnTheCapDragWithOnlyTheLeftButton) {
    // Threshold steps 42 put the High threshold cap at row 60 + 33.
    EditedEffect& effect = openEditor([](EditedEffect& e) { e.setParameter(kThrH, 42.0f); });
    click(effect, 70, 113);  // 20 below the cap: one step lower in dB
    EXPECT_EQ(stored(effect, kThrH), 43.0f);
    click(effect, 70, 74);  // 20 above the cap, which moved one row down
    EXPECT_EQ(stored(effect, kThrH), 42.0f);

    send(effect, platform::kMsgLeftButtonDown, kKeyLeftButton, 70, 93);
    EXPECT_EQ(view(effect).dragControl, view(effect).controls.fader(kThrH));
    send(effect, platform::kMsgMouseMove, kKeyLeftButton, 75, 300);  // beyond the end
    EXPECT_EQ(stored(effect, kThrH), 72.0f);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton | kKeyShift, 70, 60);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton | kKeyControl, 70, 60);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton | 0x0002, 70, 60);  // right button too
    EXPECT_EQ(stored(effect, kThrH), 72.0f);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton, 70, -40);  // above the window
    EXPECT_EQ(stored(effect, kThrH), 12.0f);
    send(effect, platform::kMsgLeftButtonUp, 0, 70, 60);
    EXPECT_EQ(view(effect).dragControl, nullptr);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton, 70, 100);
    EXPECT_EQ(stored(effect, kThrH), 12.0f);

    EXPECT_EQ(reports, (std::vector<Reported>{{kThrH, 43.0f / 72.0f},
                                              {kThrH, 42.0f / 72.0f},
                                              {kThrH, 42.0f / 72.0f},
                                              {kThrH, 0.99999f},
                                              {kThrH, 12.0f / 72.0f}}));
}

// A format groups what the host hears by the user's gestures: a drag is one
// from press to release (or to the editor's close), every click one of its own.
TEST_F(MouseInputTest, ChangesReachTheEffectAsGestures) {
    using H = HeardChange;
    EditedEffect& effect = openEditor([](EditedEffect& e) { e.setParameter(kThrH, 42.0f); });
    const auto heard = [&effect] {
        std::vector<HeardChange> kinds = effect.controls.heard;
        effect.controls.heard.clear();
        for (HeardChange& change : kinds) change.value = 0;  // the values are checked above
        return kinds;
    };
    const std::vector<HeardChange> click{
        {H::Begin, kThrH, 0}, {H::Value, kThrH, 0}, {H::End, kThrH, 0}};
    effect.controls.heard.clear();
    InputFixture::click(effect, 70, 113);  // a page step: the cap moves to row 94
    EXPECT_EQ(heard(), click);
    send(effect, platform::kMsgLeftButtonDown, kKeyLeftButton, 70, 94);
    send(effect, platform::kMsgMouseMove, kKeyLeftButton, 70, 120);
    send(effect, platform::kMsgLeftButtonUp, 0, 70, 120);
    EXPECT_EQ(
        heard(),
        (std::vector<HeardChange>{
            {H::Begin, kThrH, 0}, {H::Value, kThrH, 0}, {H::Value, kThrH, 0}, {H::End, kThrH, 0}}));
    send(effect, platform::kMsgLeftButtonDown, kKeyLeftButton, 70, 120);
    editorOf(effect).close();  // the host closes the editor mid-drag
    EXPECT_EQ(heard(), click);
}

TEST_F(MouseInputTest, ZoomAndRatioFadersPageByTheirOwnSteps) {
    EditedEffect& effect = openEditor([](EditedEffect& e) {
        e.setParameter(kZoomM, 5.0f);
        e.setParameter(kRatioL, 0.25f);
        e.setParameter(kOutput, 12000.0f);
    });
    click(effect, 288, 231 + 42);  // below the Mid zoom cap, inside its end tolerance
    EXPECT_EQ(stored(effect, kZoomM), 6.0f);
    click(effect, 120, 338 + 60);  // below the Low ratio cap: 0.03 up, then quantized
    EXPECT_EQ(reports.back().index, kRatioL);
    EXPECT_FLOAT_EQ(stored(effect, kRatioL), 11.0f / 38.0f);
    click(effect, 552, 271);  // above the Output cap: ten units less boost
    EXPECT_EQ(stored(effect, kOutput), 11990.0f);
}

TEST_F(MouseInputTest, LampGroupsFollowCtrlAndShiftInTheirServingOrder) {
    struct Case {
        const char* name;
        ParameterIndex lamp;
        platform::Point at;
        std::uintptr_t keys;
        std::vector<Reported> reported;
    };
    const Case cases[] = {
        {"Ctrl on Mid On",
         kMidOn,
         {20, 175},
         kKeyControl,
         {{kMidOn, 1}, {kHighOn, 1}, {kLowOn, 1}}},
        {"Shift on Mid On", kMidOn, {44, 184}, kKeyShift, {{kMidOn, 1}, {kHighOn, 0}, {kLowOn, 0}}},
        {"both keys: Shift decides",
         kMidOn,
         {16, 171},
         kKeyControl | kKeyShift,
         {{kMidOn, 1}, {kHighOn, 1}, {kLowOn, 1}, {kHighOn, 0}, {kLowOn, 0}}},
        {"Ctrl on Low Atk",
         kLowAtk,
         {20, 350},
         kKeyControl,
         {{kLowAtk, 1}, {kMidAtk, 1}, {kHighAtk, 1}}},
        {"Shift on High Bypass",
         kHighBypass,
         {30, 55},
         kKeyShift,
         {{kHighBypass, 1}, {kMidBypass, 0}, {kLowBypass, 0}}},
        {"Ctrl on Look Ahead, no group", kLookAhead, {400, 400}, kKeyControl, {{kLookAhead, 0}}},
        {"plain Dither", kDither, {470, 395}, 0, {{kDither, 1}}},
        {"plain Bypass", kBypass, {556, 413}, 0, {{kBypass, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditedEffect& effect = openEditor([](EditedEffect& e) {
            for (ParameterIndex off : {kHighOn, kMidOn, kLowOn, kHighAtk, kMidAtk, kLowAtk,
                                       kHighBypass, kMidBypass, kLowBypass, kDither, kBypass})
                e.setParameter(off, 0.0f);
            e.setParameter(kLookAhead, 1.0f);
        });
        click(effect, c.at.x, c.at.y, c.keys);
        EXPECT_EQ(reports, c.reported);
        for (const Reported& r : c.reported)  // the last report of each parameter stays
            EXPECT_EQ(stored(effect, static_cast<ParameterIndex>(r.index)),
                      std::find_if(c.reported.rbegin(), c.reported.rend(), [&r](const Reported& o) {
                          return o.index == r.index;
                      })->value);
        editorOf(effect).close();
        effects.clear();
    }
}

TEST_F(MouseInputTest, NormalizeOnReportsTheGainAndOffMakesTheReachedGainTheOutput) {
    EditedEffect& effect = openEditor([](EditedEffect& e) { e.setParameter(kNormalize, 0.0f); });
    click(effect, 420, 398);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], (Reported{kNormalize, 1}));
    EXPECT_EQ(reports[1], (Reported{kParameter18, effect.engine().outputGain.get()}));
    tick(effect);  // the lamp shows the flag

    reports.clear();
    effect.engine().outputGain.set(0.5f);  // as far as the normalizer came down
    click(effect, 420, 398);
    EXPECT_EQ(reports, (std::vector<Reported>{{kNormalize, 0}, {kOutput, 30020.0f / 24000.0f}}));
    EXPECT_EQ(stored(effect, kOutput), 30020.0f);  // beyond the fader, keeping the gain
    EXPECT_NEAR(effect.engine().outputGain.get(), 0.5f, 1e-4f);
    EXPECT_EQ(effect.engine().lastShownOutputGain.get(), 0.0f);
}

TEST_F(MouseInputTest, HotSpotsSwitchBandsResetTheMixAndShowInformation) {
    EditedEffect& effect = openEditor([](EditedEffect& e) {
        e.setParameter(kLowOn, 0.25f);
        e.setParameter(kMidOn, 1.0f);
        for (ParameterIndex mix : {kMixH, kMixM, kMixL}) e.setParameter(mix, 30.0f);
    });
    click(effect, 361, 243);  // Low On: 1 - its stored value
    click(effect, 421, 252);  // Mid On
    click(effect, 444, 248);  // the High spot's left bound is outside
    click(effect, 413, 366);  // Mix reset
    EXPECT_EQ(reports,
              (std::vector<Reported>{
                  {kLowOn, 0.75f}, {kMidOn, 0.0f}, {kMixL, 0.5f}, {kMixM, 0.5f}, {kMixH, 0.5f}}));

    EXPECT_FALSE(editorOf(effect).information().window());
    click(effect, 450, 40);
    EXPECT_TRUE(editorOf(effect).information().window());
    EXPECT_EQ(reports.size(), 5u);
}

TEST_F(MouseInputTest, MeterClicksReleaseOnlyTheirOwnHeldMarks) {
    EditedEffect& effect = openEditor();
    MeterState& meters = view(effect).meters;
    const auto holdAll = [&meters] {
        meters.outHoldCount = 5;
        meters.bandHoldCount = {5, 5, 5, 5};
    };
    holdAll();
    click(effect, 634, 368);  // the output meter's far corner
    EXPECT_EQ(meters.outHoldCount, 0);
    EXPECT_EQ(meters.bandHoldCount, (std::array<int32_t, 4>{5, 5, 5, 5}));
    holdAll();
    click(effect, 313, 154);  // Mid strip
    click(effect, 517, 208);  // Master strip
    click(effect, 320, 300);  // the Low strip's right bound is outside
    EXPECT_EQ(meters.bandHoldCount, (std::array<int32_t, 4>{5, 0, 5, 0}));
    EXPECT_EQ(meters.outHoldCount, 5);
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace velmorin
