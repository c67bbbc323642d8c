// The editor object as a format's glue drives it: open, close, odd call
// orders, and what survives a close.
#include "editor/ad_editor.h"

#include "editor/editor_timer.h"
#include "editor_fixture.h"

namespace velmorin {
namespace {

class ADEditorTest : public EditorFixture {};

TEST_F(ADEditorTest, OpenBuildsTheWindowWithControlsValueBoxesMenuAndTimer) {
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const EditorView& view = editorOf(effect).view();
    ASSERT_TRUE(windows.isWindow(view.window));
    EXPECT_EQ(windows.userData(view.window), &editorOf(effect));
    EXPECT_EQ(windows.screenRect(view.window), (platform::Rect{0, 0, 654, 431}));

    for (const ValueBoxPlace& place : kValueBoxPlaces) {
        const platform::WindowHandle box = view.controls.valueBox(place.parameter);
        ASSERT_TRUE(windows.isWindow(box)) << place.parameter;
        EXPECT_FALSE(windows.isVisible(box));
        EXPECT_EQ(windows.editBox(box)->bounds.left, place.x);
    }
    EXPECT_EQ(windows.windowMenu(view.window), view.menu);
    windows.trackPopupMenu(view.menu, 0, view.window, {5, 5});
    EXPECT_TRUE(windows.openPopup());  // menu 111's first popup is the context menu
    EXPECT_EQ(windows.timerPeriod(view.window, kEditorTimerId), 125u);

    // The controls drew themselves at their minimum: the Look Ahead lamp
    // shows the skin's unlit picture although the effect has look-ahead on.
    const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
    EXPECT_EQ(at(effect, 380, 400), skin->pixels[400 * 654 + 380]);
    editorOf(effect).close();
}

TEST_F(ADEditorTest, CloseTearsDownTheViewOfAnEditorThatStaysBehindOthers) {
    EditedEffect& first = makeEffect();
    EditedEffect& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    const EditorView& view = editorOf(first).view();
    const platform::WindowHandle window = view.window;
    const platform::MenuHandle menu = view.menu;
    const platform::WindowHandle box = view.controls.valueBox(kThrM);

    editorOf(first).close();
    EXPECT_FALSE(view.window);
    EXPECT_FALSE(view.controls.exist());
    EXPECT_FALSE(windows.isWindow(box));
    EXPECT_FALSE(windows.isMenu(menu));
    EXPECT_EQ(view.wavePens[3][2], nullptr);
    // The window itself is the host's to destroy while other editors are
    // open; it no longer leads to the effect and has no timer.
    ASSERT_TRUE(windows.isWindow(window));
    EXPECT_EQ(windows.userData(window), nullptr);
    EXPECT_FALSE(windows.timerPeriod(window, kEditorTimerId));

    editorOf(second).close();
    EXPECT_FALSE(windows.isWindow(window));  // the last close took it
}

TEST_F(ADEditorTest, OddCallOrdersAreHarmless) {
    EditedEffect& effect = makeEffect();
    editorOf(effect).close();  // before any open
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle window = windowOf(effect);
    EXPECT_TRUE(editorOf(effect).open(&otherHostWindow));  // keeps the open window
    EXPECT_EQ(windowOf(effect), window);
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);
    editorOf(effect).close();
    editorOf(effect).close();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);

    // The host destroys the effect with its editor still open.
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    effects.clear();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    windows.advance(1000);  // no timer is left to call into the freed effect
}

TEST_F(ADEditorTest, HostDestroyingItsWindowFirstTearsTheViewDownOnce) {
    EditedEffect& first = makeEffect();
    EditedEffect& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));

    windows.destroyChildrenOf(&hostWindow);
    EXPECT_FALSE(editorOf(first).view().controls.exist());
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);
    editorOf(first).close();  // the host's late close
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);

    // The last editor's window going first also releases the shared resources.
    windows.destroyChildrenOf(&otherHostWindow);
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
}

TEST_F(ADEditorTest, ReopenKeepsTheViewStateOfTheEffect) {
    platform::PreferenceRecord stored{0, 160, 2, DisplayPrefs{}.waveColours, 1, 3, 1};
    stored.waveColours[0] = 77;
    preferences.write(stored);
    EditedEffect& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    editorOf(effect).close();

    // With nothing stored any more, the reopened editor still has what the
    // effect kept.
    std::filesystem::remove(folder / "preferences");
    ASSERT_TRUE(editorOf(effect).open(&otherHostWindow));
    const DisplayPrefs& prefs = editorOf(effect).view().prefs;
    EXPECT_EQ(prefs.peakHold, 160);
    EXPECT_EQ(prefs.waveColours[0], 77);
    EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), 100u);
    editorOf(effect).close();
}

}  // namespace
}  // namespace velmorin
