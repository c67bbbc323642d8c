// What a refresh shows: the stored values in the controls, switches truncated
// to lamp states, faders clamped into their ranges and greyed out by their
// band's switches; and when a refresh happens at all.
#include <cmath>
#include <limits>

#include "editor/editor_timer.h"
#include "editor_fixture.h"

namespace velmorin {
namespace {

class EditorRefreshTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        effect = &makeEffect();
        ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
        tick();  // shows the program the constructor selected
    }
    void TearDown() override {
        editorOf(*effect).close();
        EditorFixture::TearDown();
    }

    void tick() { windows.advance(125); }
    const EditorControls& controls() { return editorOf(*effect).view().controls; }
    int lamp(ParameterIndex p) { return controls().lamp(p)->state(); }
    float fader(ParameterIndex p) { return controls().fader(p)->value(); }
    float zoom(ParameterIndex p) { return controls().zoomFader(p)->value(); }
    bool dimmed(ParameterIndex p) { return controls().fader(p)->dimmed(); }

    EditedEffect* effect = nullptr;
};

TEST_F(EditorRefreshTest, SwitchesLightTheirLampsFromMagnitudeOne) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    effect->setParameter(kHighOn, 0.5f);
    effect->setParameter(kMidAtk, 2.0f);
    effect->setParameter(kLowAtk, -1.5f);
    effect->setParameter(kHighBypass, 1e20f);
    effect->setParameter(kLookAhead, nan);
    effect->setParameter(kNormalize, 1.0f);
    effect->setParameter(kDither, 0.0f);
    effect->setParameter(kBypass, 1.0f);
    tick();
    EXPECT_EQ(lamp(kHighOn), 0);  // on for the engine, dark on the panel
    EXPECT_EQ(lamp(kMidAtk), 2);
    EXPECT_EQ(lamp(kLowAtk), -1);
    EXPECT_EQ(lamp(kHighBypass), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(lamp(kLookAhead), 0);
    EXPECT_EQ(lamp(kNormalize), 1);
    EXPECT_EQ(lamp(kDither), 0);
    EXPECT_EQ(lamp(kBypass), 1);

    // A lit lamp shows its picture in the window.
    const platform::BitmapImage* lit = findEmbeddedBitmap(kBitmapBypassLit);
    EXPECT_EQ(at(*effect, 512 + 20, 392 + 10), lit->pixels[10 * lit->width + 20]);
}

TEST_F(EditorRefreshTest, FadersTakeStoredValuesClampedIntoTheirRanges) {
    effect->setParameter(kThrH, 5.0f);
    effect->setParameter(kThrM, 80.0f);
    effect->setParameter(kThrL, 30.0f);
    effect->setParameter(kOutput, 12000.0f);
    effect->setParameter(kThrLimiter, 48.0f);
    effect->setParameter(kMixM, 120.0f);
    effect->setParameter(kZoomMaster, 0.0f);
    effect->setParameter(kZoomH, 7.0f);
    effect->setParameter(kZoomL, 20.0f);
    tick();
    EXPECT_EQ(fader(kThrH), 12.0f);  // stored 5, shown at the top of the travel
    EXPECT_EQ(controls().fader(kThrH)->capOffset(), 0);
    EXPECT_EQ(fader(kThrM), 72.0f);
    EXPECT_EQ(fader(kThrL), 30.0f);
    EXPECT_EQ(fader(kOutput), 12000.0f);
    EXPECT_EQ(fader(kThrLimiter), 48.0f);
    EXPECT_EQ(fader(kMixM), 120.0f);
    EXPECT_EQ(zoom(kZoomMaster), 1.0f);
    EXPECT_EQ(zoom(kZoomH), 7.0f);
    EXPECT_EQ(zoom(kZoomL), 20.0f);
    for (int band = 0; band < 3; ++band) {
        const auto p = ParameterIndex(kRatioH + band);
        EXPECT_EQ(fader(p), effect->engine().stored.ratio[band].get()) << band;
    }
    EXPECT_EQ(effect->engine().stored.thresholdSteps[0].get(), 5);  // the engine keeps its value
}

TEST_F(EditorRefreshTest, BandSwitchesGreyOutTheirFaders) {
    effect->setParameter(kHighOn, 0.5f);
    effect->setParameter(kHighBypass, 0.0f);
    effect->setParameter(kMidOn, 1.0f);
    effect->setParameter(kMidBypass, 1.0f);
    effect->setParameter(kLowOn, 0.0f);
    effect->setParameter(kLowBypass, 0.0f);
    tick();
    // High: on (0.5 is not 0) and not bypassed.
    EXPECT_FALSE(dimmed(kThrH));
    EXPECT_FALSE(dimmed(kRatioH));
    EXPECT_FALSE(dimmed(kMixH));
    // Mid: bypassed, but still mixed.
    EXPECT_TRUE(dimmed(kThrM));
    EXPECT_TRUE(dimmed(kRatioM));
    EXPECT_FALSE(dimmed(kMixM));
    // Low: off.
    EXPECT_TRUE(dimmed(kThrL));
    EXPECT_TRUE(dimmed(kRatioL));
    EXPECT_TRUE(dimmed(kMixL));

    effect->setParameter(kMidBypass, 0.0f);
    effect->setParameter(kLowOn, 1.0f);
    tick();
    for (ParameterIndex p : {kThrM, kRatioM, kThrL, kRatioL, kMixL}) EXPECT_FALSE(dimmed(p)) << p;
}

TEST_F(EditorRefreshTest, ReopenShowsMinimaUntilAParameterChanges) {
    // Applying a zoom range at open sends the zoom values again, which the
    // first tick shows together with everything else.
    editorOf(*effect).close();
    ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
    EXPECT_EQ(lamp(kHighOn), 0);
    tick();
    EXPECT_EQ(lamp(kHighOn), 1);

    // A zoom range no menu item offers sends nothing, so the controls stay
    // at their minimum until the next change.
    preferences.write({0, 32, 1, DisplayPrefs{}.waveColours, 7, 2, 1});
    editorOf(*effect).close();
    ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
    tick();
    EXPECT_EQ(lamp(kHighOn), 0);
    EXPECT_EQ(fader(kThrH), 12.0f);
    effect->setParameter(kMixH, 10.0f);
    tick();
    EXPECT_EQ(lamp(kHighOn), 1);

    // A closed editor's refresh touches nothing and leaves the flag.
    editorOf(*effect).close();
    effect->setParameter(kHighOn, 0.0f);
    editorOf(*effect).refresh();
    EXPECT_EQ(effect->engine().parametersChanged.get(), 1);
    ASSERT_TRUE(editorOf(*effect).open(&hostWindow));  // for TearDown's close
}

}  // namespace
}  // namespace velmorin
