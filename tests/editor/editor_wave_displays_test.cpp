// The wave displays inside the editor: surfaces built at open from the skin
// and the highlight shape, deleted at close, redrawn from the column history
// after a parameter change with each display's own zoom, the history kept
// across close and reopen.
#include "editor/editor_timer.h"
#include "editor_fixture.h"

namespace velmorin {
namespace {

using platform::Colour;

constexpr Colour kBlack = platform::rgb(0, 0, 0);

class EditorWaveDisplaysTest : public EditorFixture {
  protected:
    void tick() { windows.advance(125); }
    EditorView& view(EditedEffect& effect) { return editorOf(effect).view(); }
    static Colour skinAt(int x, int y) {
        const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
        return skin->pixels[static_cast<std::size_t>(y) * skin->width + x];
    }
    // The colour of column x of a trace surface, row by row.
    static std::vector<Colour> traceColumn(const EditorView& view, int display, int x) {
        std::vector<Colour> column;
        for (int y = 0; y < 128; ++y)
            column.push_back(view.waveSurfaces.displays[display].trace->pixel(x, y));
        return column;
    }
};

TEST_F(EditorWaveDisplaysTest, OpenBlendsTheHighlightShapeIntoEachBackdropAndCloseDeletesAll) {
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const EditorView& v = view(effect);
    const platform::BitmapImage* shape = findEmbeddedBitmap(kBitmapHighlight);
    constexpr float kStrength[] = {1.0f, 0.9f, 0.8f, 1.0f};
    int lifted = 0;
    for (int g = 0; g < 4; ++g) {
        const platform::Canvas& backdrop = *v.waveSurfaces.displays[g].backdrop;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 42; ++x) {
                const float a = platform::redOf(shape->pixels[y * 44 + x]) * kStrength[g];
                const float m = (255.0f - a) / 255.0f;
                const Colour skin = skinAt(kDisplayPlaces[g].x + x, kDisplayPlaces[g].y + y);
                const auto blend = [&](uint8_t c) { return uint8_t(int(float(c) * m + a)); };
                const Colour expected =
                    platform::rgb(blend(platform::redOf(skin)), blend(platform::greenOf(skin)),
                                  blend(platform::blueOf(skin)));
                ASSERT_EQ(backdrop.pixel(x, y), expected) << g << " at " << x << "," << y;
                lifted += expected != skin;
            }
        }
        EXPECT_EQ(backdrop.pixel(60, 100),
                  skinAt(kDisplayPlaces[g].x + 60, 100 + kDisplayPlaces[g].y));
    }
    EXPECT_GT(lifted, 4 * 42);  // the shape is more than a speck

    editorOf(effect).close();
    for (const DisplaySurfaces& display : v.waveSurfaces.displays)
        EXPECT_FALSE(display.trace || display.backdrop || display.mask);
    EXPECT_FALSE(v.waveSurfaces.outputMeterBackdrop);
}

TEST_F(EditorWaveDisplaysTest, WithoutTheHighlightShapeTheBackdropsAreTheSkin) {
    graphics.missing = {kBitmapHighlight};
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    for (int g = 0; g < 4; ++g)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 122; ++x)
                ASSERT_EQ(view(effect).waveSurfaces.displays[g].backdrop->pixel(x, y),
                          skinAt(kDisplayPlaces[g].x + x, kDisplayPlaces[g].y + y));
    editorOf(effect).close();
}

TEST_F(EditorWaveDisplaysTest, RefreshRedrawsEachDisplayWithItsOwnZoomAndTheHistoryOutlivesClose) {
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    tick();
    // One loud column per display as the newest of the ring: a re-render
    // draws it at x = 122, and the tick that follows moves it to x = 121.
    const int written = view(effect).waveColumns.columnPos();
    for (int g = 0; g < 4; ++g) view(effect).waveColumns.write(g, {2048, -1024, 0, 0});
    view(effect).waveColumns.advance();
    effect.setParameter(kZoomMaster, 20.0f);
    effect.setParameter(kZoomH, 5.0f);
    effect.setParameter(kZoomM, 10.0f);
    effect.setParameter(kZoomL, 0.0f);

    // 2048 at zoom z rises 2z rows above the centre, -1024 falls z rows.
    const auto expectColumn = [&](int display, int zoom, int x) {
        std::vector<Colour> expected(128, kBlack);
        for (int y = 64 - 2 * zoom; y < 64 + zoom; ++y)
            expected[y] = view(effect).wavePens[display][kOuterTracePen]->colour();
        EXPECT_EQ(traceColumn(view(effect), display, x), expected) << "display " << display;
        EXPECT_EQ(traceColumn(view(effect), display, x + 1), std::vector<Colour>(128, kBlack));
    };
    EXPECT_EQ(traceColumn(view(effect), 0, 122), std::vector<Colour>(128, kBlack));  // until a tick
    tick();
    expectColumn(0, 5, 121);
    expectColumn(1, 10, 121);
    expectColumn(2, 0, 121);
    expectColumn(3, 20, 121);

    editorOf(effect).close();
    EXPECT_EQ(view(effect).waveColumns.at(3, written), (WaveColumn{2048, -1024, 0, 0}));
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    EXPECT_EQ(traceColumn(view(effect), 3, 121), std::vector<Colour>(128, kBlack));
    // The zoom values the open sent again make this a refresh: the column,
    // one older now, is drawn again and moved on by the tick.
    tick();
    expectColumn(3, 20, 120);
    editorOf(effect).close();
}

}  // namespace
}  // namespace velmorin
