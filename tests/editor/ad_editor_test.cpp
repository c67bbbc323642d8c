// The editor object as the host drives it: rectangle, open, close, odd call
// orders, and what survives a close.
#include "editor/ad_editor.h"

#include "editor/context_menu.h"
#include "editor/editor_timer.h"
#include "editor_fixture.h"

namespace velmorin {
namespace {

class ADEditorTest : public EditorFixture {};

TEST_F(ADEditorTest, RectangleIsFixedAndAvailableBeforeOpen) {
    ADelayEdit& effect = makeEffect();
    ERect* rect = nullptr;
    EXPECT_TRUE(editorOf(effect).getRect(&rect));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 431);
    EXPECT_EQ(rect->right, 654);
    EXPECT_FALSE(editorOf(effect).isOpen());

    // Through the host's request as well.
    ERect* viaHost = nullptr;
    EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &viaHost, 0), 1);
    EXPECT_EQ(viaHost, rect);
    EXPECT_FALSE(editorOf(effect).getRect(nullptr));
}

TEST_F(ADEditorTest, KeyAndKnobRequestsAreDeclinedAndIdleDoesNothing) {
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    ADEditor& editor = editorOf(effect);
    EXPECT_FALSE(editor.onKeyDown());
    EXPECT_FALSE(editor.onKeyUp());
    EXPECT_FALSE(editor.setKnobMode(1));
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 0, 'a', nullptr, 0), 0);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0), 0);
    const auto before = *windows.clientPixels(windowOf(effect));
    editor.idle();
    EXPECT_EQ(windows.clientPixels(windowOf(effect))->pixels, before.pixels);
    editor.close();
}

TEST_F(ADEditorTest, OpenBuildsTheWindowWithControlsValueBoxesMenuAndTimer) {
    ADelayEdit& effect = makeEffect();
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 1);
    ADEditor& editor = editorOf(effect);
    const platform::WindowHandle window = windowOf(effect);
    ASSERT_TRUE(windows.isWindow(window));
    EXPECT_TRUE(editor.isOpen());
    EXPECT_EQ(windows.userData(window), static_cast<ADelay*>(&effect));
    EXPECT_EQ(windows.screenRect(window), (platform::Rect{0, 0, 654, 431}));
    EXPECT_EQ(windows.text(window), "Velmorin");

    const EditorControls& controls = editor.view().controls;
    EXPECT_NE(controls.fader(kOutput), nullptr);
    EXPECT_NE(controls.zoomFader(kZoomL), nullptr);
    EXPECT_NE(controls.lamp(kLowAtk), nullptr);
    for (const ValueBoxPlace& place : kValueBoxPlaces) {
        const platform::WindowHandle box = controls.valueBox(place.parameter);
        ASSERT_TRUE(windows.isWindow(box)) << place.parameter;
        EXPECT_FALSE(windows.isVisible(box));
        EXPECT_EQ(windows.text(box), "---");
        EXPECT_EQ(windows.editBox(box)->bounds.left, place.x);
    }
    EXPECT_EQ(editor.view().activeEdit, nullptr);
    EXPECT_EQ(editor.view().dragControl, nullptr);

    const platform::MenuHandle menu = editor.view().menu;
    EXPECT_TRUE(windows.isMenu(menu));
    EXPECT_EQ(windows.windowMenu(window), menu);
    windows.trackPopupMenu(menu, 0, window, {5, 5});
    ASSERT_TRUE(windows.openPopup());  // menu 111's first popup is the context menu

    EXPECT_EQ(windows.timerPeriod(window, kEditorTimerId), 125u);
    for (const auto& pens : editor.view().wavePens)
        for (const auto& pen : pens) EXPECT_NE(pen, nullptr);
    EXPECT_EQ(editor.view().wavePens[3][2]->colour(), platform::rgb(200, 0, 0));
    EXPECT_EQ(editor.view().wavePens[0][2]->colour(), platform::rgb(0, 200, 0));

    // The controls drew themselves at their minimum: the Look Ahead lamp
    // shows the skin's unlit picture although the effect has look-ahead on.
    const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
    EXPECT_EQ(at(effect, 380, 400), skin->pixels[400 * 654 + 380]);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0);
}

TEST_F(ADEditorTest, CloseTearsDownTheViewOfAnEditorThatStaysBehindOthers) {
    ADelayEdit& first = makeEffect();
    ADelayEdit& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));
    const platform::WindowHandle window = windowOf(first);
    const EditorView& view = editorOf(first).view();
    const platform::MenuHandle menu = view.menu;
    const platform::WindowHandle box = view.controls.valueBox(kThrM);

    editorOf(first).close();
    EXPECT_FALSE(editorOf(first).isOpen());
    EXPECT_FALSE(view.window);
    EXPECT_FALSE(view.controls.exist());
    EXPECT_EQ(view.controls.lamp(kBypass), nullptr);
    EXPECT_FALSE(windows.isWindow(box));
    EXPECT_FALSE(windows.isMenu(menu));
    for (const auto& pens : view.wavePens)
        for (const auto& pen : pens) EXPECT_EQ(pen, nullptr);
    // The window itself is the host's to destroy while other editors are
    // open; it no longer leads to the effect and has no timer.
    ASSERT_TRUE(windows.isWindow(window));
    EXPECT_EQ(windows.userData(window), nullptr);
    EXPECT_FALSE(windows.timerPeriod(window, kEditorTimerId));

    editorOf(second).close();
    EXPECT_FALSE(windows.isWindow(window));  // the last close took it
}

TEST_F(ADEditorTest, CloseBeforeOpenAndCloseTwiceDoNothing) {
    ADelayEdit& effect = makeEffect();
    editorOf(effect).close();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    editorOf(effect).close();
    editorOf(effect).close();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
}

TEST_F(ADEditorTest, SecondOpenWhileOpenKeepsTheOpenWindow) {
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle window = windowOf(effect);
    EXPECT_TRUE(editorOf(effect).open(&otherHostWindow));
    EXPECT_EQ(windowOf(effect), window);
    EXPECT_TRUE(editorOf(effect).isOpen());
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);
    editorOf(effect).close();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
}

TEST_F(ADEditorTest, HostDestroyingItsWindowFirstTearsTheViewDownOnce) {
    ADelayEdit& first = makeEffect();
    ADelayEdit& second = makeEffect();
    ASSERT_TRUE(editorOf(first).open(&hostWindow));
    ASSERT_TRUE(editorOf(second).open(&otherHostWindow));

    windows.destroyChildrenOf(&hostWindow);
    EXPECT_FALSE(editorOf(first).view().window);
    EXPECT_FALSE(editorOf(first).view().controls.exist());
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);
    editorOf(first).close();  // the host's late close
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 1);
    EXPECT_TRUE(editorOf(second).view().controls.exist());

    // The last editor's window going first also releases the shared resources.
    windows.destroyChildrenOf(&otherHostWindow);
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
}

TEST_F(ADEditorTest, ReopenKeepsTheViewStateOfTheEffect) {
    const DisplayPrefs defaults;
    platform::PreferenceRecord stored{0, 160, 2, defaults.waveColours, 1, 3, 1};
    stored.waveColours[0] = 77;
    preferences.write(stored);

    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    EXPECT_EQ(editorOf(effect).view().prefs.peakHold, 160);
    editorOf(effect).close();

    // With nothing stored any more, the reopened editor still has what the
    // effect kept.
    std::filesystem::remove(folder / "preferences");
    ASSERT_TRUE(editorOf(effect).open(&otherHostWindow));
    const DisplayPrefs& prefs = editorOf(effect).view().prefs;
    EXPECT_EQ(prefs.displaySpeed, 3);
    EXPECT_EQ(prefs.peakHold, 160);
    EXPECT_EQ(prefs.waveColours[0], 77);
    EXPECT_EQ(prefs.zoomRange, 1);
    EXPECT_EQ(windows.timerPeriod(windowOf(effect), kEditorTimerId), 100u);
    editorOf(effect).close();
}

TEST_F(ADEditorTest, DestroyingTheEffectWithItsEditorOpenClosesTheEditor) {
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle window = windowOf(effect);
    effects.clear();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    EXPECT_FALSE(windows.isWindow(window));
    windows.advance(1000);  // no timer is left to call into the freed effect
}

TEST_F(ADEditorTest, EffectBuiltWithAnEditorAnnouncesItAndOneWithoutDoesNot) {
    ADelayEdit& effect = makeEffect();
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | effFlagsCanReplacing);
    EXPECT_NE(dynamic_cast<ADEditor*>(effect.getEditor()), nullptr);

    ADelayEdit plain(nullptr);
    EXPECT_EQ(plain.getAeffect()->flags, effFlagsCanReplacing);
    EXPECT_EQ(plain.getEditor(), nullptr);
    ERect* rect = nullptr;
    EXPECT_EQ(plain.dispatcher(effEditGetRect, 0, 0, &rect, 0), 0);
    EXPECT_EQ(plain.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 0);

    ADelayEdit refused(nullptr, [](ADelayEdit&) -> AEffEditor* { throw std::bad_alloc(); });
    EXPECT_EQ(refused.getAeffect()->flags, effFlagsCanReplacing);
    EXPECT_EQ(refused.getEditor(), nullptr);
}

}  // namespace
}  // namespace velmorin
