// The information window: one per effect, restored when asked again, placed
// on the screen beside its editor, its OK button lit only while the pointer
// is on it, closed by that button and by its effect's end, and drawn with
// resources that live while any effect does.
#include "editor/information_window.h"

#include "editor/context_menu.h"
#include "input_fixture.h"

namespace velmorin {
namespace {

class InformationWindowTest : public InputFixture {
  protected:
    platform::WindowHandle showInformation(EditedEffect& effect) {
        windows.send(windowOf(effect), platform::kMsgCommand, kCmdInfo, 0);
        return editorOf(effect).information().window();
    }
    platform::Colour pixel(platform::WindowHandle window, int x, int y) const {
        return windows.clientPixels(window)->at(x, y);
    }
    platform::Colour okPixel(BitmapId id, int x, int y) {
        return graphics.loadBitmap(id)->pixel(x - 7, y - 139);
    }
};

TEST_F(InformationWindowTest, ShownOnceThenRestoredPlacedOnTheScreen) {
    struct Case {
        platform::Point editor;
        platform::Rect expected;
    };
    for (const Case& c :
         {Case{{-50, -20}, {118, 104, 516, 328}}, Case{{200, 90}, {318, 194, 716, 418}}}) {
        EditedEffect& effect = openEditor();
        windows.placeOnScreen(windowOf(effect), c.editor);
        const platform::WindowHandle info = showInformation(effect);
        ASSERT_TRUE(info);
        EXPECT_EQ(windows.screenRect(info), c.expected);
        EXPECT_EQ(windows.owner(info), windowOf(effect));
        EXPECT_FALSE(editorOf(effect).information().hoverOnOk());

        windows.minimize(info);
        EXPECT_EQ(showInformation(effect), info);  // the same window, restored
        EXPECT_FALSE(windows.isMinimized(info));
        EXPECT_EQ(windows.activeWindow(), info);
        EXPECT_FALSE(std::filesystem::exists(folder / "preferences"));  // Info stores nothing
        editorOf(effect).close();
        effects.clear();
        EXPECT_FALSE(windows.isWindow(info));  // gone with its effect
    }
}

TEST_F(InformationWindowTest, PaintsAndRedrawsTheOkButtonOnlyWhenTheHoverChanges) {
    EditedEffect& effect = openEditor();
    const platform::WindowHandle info = showInformation(effect);
    windows.updateWindow(info);
    EXPECT_EQ(pixel(info, 2, 2), platform::rgb(0, 0, 0));
    EXPECT_EQ(pixel(info, 300, 100), graphics.loadBitmap(kBitmapInfoPicture)->pixel(127, 100));
    EXPECT_EQ(pixel(info, 60, 160), okPixel(kBitmapOkButton, 60, 160));

    const platform::Colour scribble = platform::rgb(1, 2, 3);
    const auto move = [&](int x, int y) {
        windows.send(info, platform::kMsgMouseMove, 0, at(x, y));
    };
    const auto scribbleOnButton = [&] {
        std::const_pointer_cast<platform::PixelBuffer>(windows.clientPixels(info))->at(10, 142) =
            scribble;
    };
    move(23, 151);  // onto the button's corner
    EXPECT_TRUE(editorOf(effect).information().hoverOnOk());
    EXPECT_EQ(pixel(info, 60, 160), okPixel(kBitmapOkButtonHover, 60, 160));
    scribbleOnButton();
    move(117, 175);  // within the button: no redraw
    EXPECT_EQ(pixel(info, 10, 142), scribble);
    move(300, 100);  // onto the picture: the plain button, once
    EXPECT_EQ(pixel(info, 60, 160), okPixel(kBitmapOkButton, 60, 160));
    scribbleOnButton();
    move(118, 175);
    EXPECT_EQ(pixel(info, 10, 142), scribble);
    EXPECT_FALSE(editorOf(effect).information().hoverOnOk());
}

TEST_F(InformationWindowTest, OkClosesItTheEditorsCloseDoesNot) {
    EditedEffect& other = openEditor();  // keeps the editor windows alive
    EditedEffect& effect = openEditor();
    const platform::WindowHandle info = showInformation(effect);
    editorOf(effect).close();
    EXPECT_TRUE(windows.isWindow(info));

    windows.send(info, platform::kMsgLeftButtonDown, 1, at(22, 160));  // beside the button
    EXPECT_TRUE(windows.isWindow(info));
    windows.send(info, platform::kMsgLeftButtonDown, 1, at(117, 151));
    EXPECT_FALSE(windows.isWindow(info));
    EXPECT_FALSE(editorOf(effect).information().window());
    // Messages that still arrive for it find nothing.
    windows.send(info, platform::kMsgPaint, 0, 0);
    windows.send(info, platform::kMsgMouseMove, 0, at(50, 160));

    ASSERT_TRUE(editorOf(effect).open(&hostWindow));
    const platform::WindowHandle again = showInformation(effect);
    EXPECT_TRUE(again);
    EXPECT_NE(again, info);
    // The last close destroys the editor windows, and an owned window goes
    // with its owner.
    editorOf(other).close();
    editorOf(effect).close();
    EXPECT_FALSE(windows.isWindow(again));
    EXPECT_FALSE(editorOf(effect).information().window());
}

TEST_F(InformationWindowTest, SharedResourcesLiveWhileAnyEffectDoes) {
    makeEffect();
    EXPECT_TRUE(windows.isClassRegistered(InformationWindow::kWindowClass));
    EXPECT_EQ(graphics.bitmapsLoaded, 3);
    EditedEffect& second = makeEffect();
    EXPECT_EQ(graphics.bitmapsLoaded, 3);  // nothing made again

    ASSERT_TRUE(editorOf(second).open(&hostWindow));
    const platform::WindowHandle info = showInformation(second);
    effects.erase(effects.begin());  // the first effect goes
    EXPECT_TRUE(windows.isClassRegistered(InformationWindow::kWindowClass));
    windows.updateWindow(info);  // the second's window still paints
    EXPECT_EQ(pixel(info, 60, 160), okPixel(kBitmapOkButton, 60, 160));

    effects.clear();
    EXPECT_FALSE(windows.isWindow(info));
    EXPECT_FALSE(windows.isClassRegistered(InformationWindow::kWindowClass));
}

}  // namespace
}  // namespace velmorin
