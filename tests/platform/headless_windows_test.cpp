// The headless window services behave as the editor expects of a windowing
// system, and let a test drive time, menus, typing and dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "platform/soft/headless_windows.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

struct Seen {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    bool liveWhenSeen;
};

// Window and timer procedures are plain functions, as on Windows.
HeadlessWindows* gWindows = nullptr;
std::vector<Seen> gSeen;

std::intptr_t recordingProcedure(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t) {
    gSeen.push_back({window, message, wParam, gWindows->isWindow(window)});
    return 0;
}

void postingTimer(WindowHandle window, std::uint32_t message, std::uintptr_t id, std::uint32_t) {
    gSeen.push_back({window, message, id, true});
    gWindows->postMessage(window, kMsgUser + 5, 0, 0);
}

class HeadlessWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gWindows = &windows;
        gSeen.clear();
        ASSERT_TRUE(windows.registerWindowClass("Velmorin", recordingProcedure));
        window = windows.createChildWindow("Velmorin", "Velmorin", &hostWindow, 654, 431);
        ASSERT_TRUE(window);
    }

    std::vector<std::uint32_t> messagesSeen() const {
        std::vector<std::uint32_t> out;
        for (const Seen& s : gSeen) out.push_back(s.message);
        return out;
    }

    HeadlessWindows windows;
    int hostWindow = 0;
    WindowHandle window;
};

TEST_F(HeadlessWindowsTest, ClassesAndWindowsFailAsWindowsWould) {
    windows.initCommonControls();
    EXPECT_EQ(windows.commonControlsInits(), 1);
    EXPECT_FALSE(windows.registerWindowClass("Velmorin", recordingProcedure));  // already there
    EXPECT_FALSE(windows.createChildWindow("Other", "x", &hostWindow, 10, 10));
    windows.failures.windowCreation = true;
    EXPECT_FALSE(windows.createChildWindow("Velmorin", "x", &hostWindow, 10, 10));
    windows.failures.windowCreation = false;
    windows.unregisterWindowClass("Velmorin");
    EXPECT_FALSE(windows.isClassRegistered("Velmorin"));
    windows.failures.classRegistration = true;
    EXPECT_FALSE(windows.registerWindowClass("Velmorin", recordingProcedure));
}

TEST_F(HeadlessWindowsTest, WindowKeepsUserDataAndSizeAndDiesOnce) {
    int effect = 0;
    windows.setUserData(window, &effect);
    EXPECT_EQ(windows.userData(window), &effect);
    EXPECT_EQ(windows.clientPixels(window)->width, 654);
    EXPECT_EQ(windows.clientPixels(window)->height, 431);
    const WindowHandle edit = windows.createEditBox(window, {535, 223, 577, 238}, "---");
    windows.setTimer(window, 1, 125, postingTimer);

    windows.destroyWindow(window);
    ASSERT_EQ(messagesSeen(), std::vector<std::uint32_t>{kMsgDestroy});
    EXPECT_TRUE(gSeen[0].liveWhenSeen);  // the window still exists while it hears of it
    EXPECT_FALSE(windows.isWindow(window));
    EXPECT_FALSE(windows.isWindow(edit));
    EXPECT_EQ(windows.userData(window), nullptr);
    windows.advance(1000);  // its timer went with it
    EXPECT_EQ(gSeen.size(), 1u);
    windows.destroyWindow(window);
    EXPECT_EQ(gSeen.size(), 1u);

    // A new window never reuses a dead handle.
    EXPECT_NE(windows.createChildWindow("Velmorin", "Velmorin", &hostWindow, 654, 431), window);
}

TEST_F(HeadlessWindowsTest, HostDestroyingItsWindowTakesOurWindowAlong) {
    int otherHost = 0;
    const WindowHandle other = windows.createChildWindow("Velmorin", "V", &otherHost, 10, 10);
    windows.destroyChildrenOf(&hostWindow);
    EXPECT_FALSE(windows.isWindow(window));
    EXPECT_TRUE(windows.isWindow(other));
}

TEST_F(HeadlessWindowsTest, TimerFiresEachPeriodAndItsPostedMessageFollows) {
    windows.setTimer(window, 1, 125, postingTimer);
    EXPECT_EQ(windows.timerPeriod(window, 1), 125u);
    windows.advance(124);
    EXPECT_TRUE(gSeen.empty());
    windows.advance(1);
    ASSERT_EQ(messagesSeen(), (std::vector<std::uint32_t>{kMsgTimer, kMsgUser + 5}));
    EXPECT_EQ(gSeen[0].wParam, 1u);
    windows.advance(250);
    EXPECT_EQ(gSeen.size(), 6u);

    windows.setTimer(window, 1, 80, postingTimer);  // replaces the 125 ms timer
    gSeen.clear();
    windows.advance(400);
    EXPECT_EQ(gSeen.size(), 10u);
    windows.killTimer(window, 1);
    EXPECT_FALSE(windows.timerPeriod(window, 1));
    windows.advance(1000);
    EXPECT_EQ(gSeen.size(), 10u);
}

TEST_F(HeadlessWindowsTest, PostedMessagesArriveInOrderOnlyForLiveWindows) {
    const WindowHandle second = windows.createChildWindow("Velmorin", "V", &hostWindow, 10, 10);
    windows.postMessage(window, kMsgUser + 5, 7, 0);
    windows.postMessage(second, kMsgUser + 5, 8, 0);
    windows.postMessage(window, kMsgUser + 5, 9, 0);
    windows.destroyWindow(second);
    gSeen.clear();
    windows.dispatchPostedMessages();
    ASSERT_EQ(gSeen.size(), 2u);
    EXPECT_EQ(gSeen[0].wParam, 7u);
    EXPECT_EQ(gSeen[1].wParam, 9u);
}

TEST_F(HeadlessWindowsTest, MenuChecksAndPopupChoiceReachTheOwner) {
    using Kind = MenuItemDescription::Kind;
    const MenuDescription description{
        {Kind::Popup,
         "Nobody",
         0,
         {{Kind::Popup,
           "Display speed",
           0,
           {{Kind::Command, "Slow", 40027, {}}, {Kind::Command, "Normal", 40028, {}}}},
          {Kind::Separator, "", 0, {}},
          {Kind::Command, "Info", 40022, {}}}}};
    const MenuHandle menu = windows.createMenu(description);
    windows.setWindowMenu(window, menu);
    EXPECT_EQ(windows.windowMenu(window), menu);
    windows.checkMenuItem(menu, 40028, true);
    windows.checkMenuItem(menu, 12345, true);  // no such item: nothing
    EXPECT_TRUE(windows.isMenuItemChecked(menu, 40028));
    EXPECT_FALSE(windows.isMenuItemChecked(menu, 40027));
    EXPECT_FALSE(windows.isMenuItemChecked(menu, 12345));
    windows.checkMenuItem(menu, 40028, false);
    EXPECT_FALSE(windows.isMenuItemChecked(menu, 40028));

    EXPECT_FALSE(windows.chooseMenuCommand(40027));  // no popup open yet
    windows.trackPopupMenu(menu, 0, window, {700, 300});
    ASSERT_TRUE(windows.openPopup());
    EXPECT_EQ(windows.openPopup()->screen, (Point{700, 300}));
    EXPECT_FALSE(windows.chooseMenuCommand(1));
    EXPECT_TRUE(windows.chooseMenuCommand(40027));
    ASSERT_EQ(messagesSeen(), std::vector<std::uint32_t>{kMsgCommand});
    EXPECT_EQ(gSeen[0].wParam, 40027u);
    EXPECT_FALSE(windows.openPopup());

    windows.destroyWindow(window);  // the window's menu goes with it
    EXPECT_FALSE(windows.isMenu(menu));
}

TEST_F(HeadlessWindowsTest, EditBoxKeepsTextSelectionFocusAndVisibility) {
    const WindowHandle edit = windows.createEditBox(window, {53, 13, 95, 28}, "---");
    ASSERT_TRUE(edit);
    EXPECT_EQ(windows.text(edit), "---");
    EXPECT_TRUE(windows.isVisible(edit));
    windows.showWindow(edit, false);
    EXPECT_FALSE(windows.isVisible(edit));
    windows.setEditMargins(edit, 1, 1);
    windows.setEditFormattingRect(edit, {0, 0, 47, 30});
    EXPECT_EQ(windows.editBox(edit)->formatting, (Rect{0, 0, 47, 30}));
    EXPECT_EQ(windows.editBox(edit)->leftMargin, 1);

    windows.setText(edit, "-24.0");
    windows.setEditSelection(edit, 0, -1);
    EXPECT_EQ(windows.editBox(edit)->selectionStart, 0);
    EXPECT_EQ(windows.editBox(edit)->selectionEnd, 5);
    windows.setEditSelection(edit, 9, 2);  // clamped and ordered
    EXPECT_EQ(windows.editBox(edit)->selectionStart, 2);
    EXPECT_EQ(windows.editBox(edit)->selectionEnd, 5);
    windows.setFocus(edit);
    EXPECT_EQ(windows.focus(), edit);
    EXPECT_EQ(windows.editLineCount(edit), 1);

    windows.type(edit, "-12\r\n");  // Enter in a multi-line box starts a second line
    EXPECT_EQ(windows.editLineCount(edit), 2);
    ASSERT_EQ(messagesSeen(), std::vector<std::uint32_t>{kMsgCommand});
    EXPECT_EQ(gSeen[0].wParam >> 16, kEditChanged);
    EXPECT_EQ(gSeen[0].wParam & 0xFFFF, 0u);  // value boxes have identifier 0

    windows.destroyWindow(edit);
    EXPECT_EQ(windows.focus(), WindowHandle{});
    EXPECT_EQ(windows.editLineCount(edit), 0);
}

TEST_F(HeadlessWindowsTest, PaintReachesOnlyAnInvalidWindow) {
    {
        auto canvas = windows.beginPaint(window);  // new windows are invalid
        canvas->setPixel(0, 0, rgb(1, 1, 1));
    }
    {
        auto canvas = windows.beginPaint(window);
        canvas->setPixel(1, 0, rgb(1, 1, 1));
    }
    EXPECT_EQ(windows.clientPixels(window)->at(0, 0), rgb(1, 1, 1));
    EXPECT_EQ(windows.clientPixels(window)->at(1, 0), rgb(0, 0, 0));

    windows.updateWindow(window);  // valid: no paint message
    EXPECT_TRUE(gSeen.empty());
    windows.invalidate(window);
    windows.updateWindow(window);
    EXPECT_EQ(messagesSeen(), std::vector<std::uint32_t>{kMsgPaint});

    windows.destroyWindow(window);
    auto dead = windows.windowCanvas(window);  // draws nowhere, without fault
    dead->fillRect({0, 0, 10, 10}, Brush(rgb(1, 1, 1)));
    EXPECT_EQ(dead->pixel(0, 0), kInvalidColour);
}

TEST_F(HeadlessWindowsTest, ScreenPlacementAndDialogsAreRecorded) {
    windows.placeOnScreen(window, {-20, 100});
    EXPECT_EQ(windows.screenRect(window), (Rect{-20, 100, 634, 531}));
    EXPECT_EQ(windows.screenToClient(window, {0, 0}), (Point{20, -100}));

    windows.messageBox({}, "Not enough memory !", "Error");
    ASSERT_EQ(windows.messageBoxes().size(), 1u);
    EXPECT_EQ(windows.messageBoxes()[0].caption, "Error");

    std::array<Colour, 16> custom{};
    custom[0] = rgb(0, 160, 0);
    EXPECT_FALSE(windows.chooseColour(window, custom[0], custom));  // nobody answers: cancel
    windows.colourDialogUser = [](std::array<Colour, 16>& colours) {
        colours[0] = rgb(255, 0, 0);
        return false;
    };
    EXPECT_FALSE(windows.chooseColour(window, custom[0], custom));
    EXPECT_EQ(custom[0], rgb(0, 160, 0));  // a cancelled edit is not kept
    windows.colourDialogUser = [](std::array<Colour, 16>& colours) {
        colours[11] = rgb(1, 2, 3);
        return true;
    };
    EXPECT_TRUE(windows.chooseColour(window, rgb(9, 9, 9), custom));
    EXPECT_EQ(custom[11], rgb(1, 2, 3));
    EXPECT_EQ(windows.colourDialogsShown(), 3);
    EXPECT_EQ(windows.lastColourDialogInitial(), rgb(9, 9, 9));
}

TEST_F(HeadlessWindowsTest, PopupStaysActiveUntilMinimisedAndGoesWithItsOwner) {
    EXPECT_FALSE(windows.createPopupWindow("Nothing", "About", window, {0, 0, 10, 10}));
    const WindowHandle popup =
        windows.createPopupWindow("Velmorin", "About", window, {118, 104, 516, 328});
    ASSERT_TRUE(popup);
    EXPECT_EQ(windows.owner(popup), window);
    EXPECT_EQ(windows.screenRect(popup), (Rect{118, 104, 516, 328}));
    EXPECT_EQ(windows.activeWindow(), popup);

    windows.minimize(popup);
    EXPECT_TRUE(windows.isMinimized(popup));
    EXPECT_EQ(windows.activeWindow(), WindowHandle{});
    windows.restoreAndActivate(popup);
    EXPECT_FALSE(windows.isMinimized(popup));
    EXPECT_EQ(windows.activeWindow(), popup);

    windows.destroyWindow(window);
    EXPECT_FALSE(windows.isWindow(popup));
    EXPECT_EQ(windows.activeWindow(), WindowHandle{});
    EXPECT_EQ(messagesSeen(), (std::vector<std::uint32_t>{kMsgDestroy, kMsgDestroy}));
}

}  // namespace
}  // namespace platform
