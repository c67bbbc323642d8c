// The X11 window services under a private X server, worked by real input:
// mouse messages with their key flags, the context-menu request, the pop-up
// menu, edit boxes, the colour chooser and the message box; what reaches the
// screen.
#include "platform/x11/x11_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/soft/soft_canvas.h"
#include "platform/window_messages.h"
#include "platform/x11/colour_chooser_panel.h"
#include "platform/x11/panel_drawing.h"
#include "platform/x11/pointer_messages.h"
#include "support/scaled_picture_check.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace platform::x11 {
namespace {

struct Message {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const Message&, const Message&) = default;
};

std::vector<Message> gMessages;

std::intptr_t recordingProcedure(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    if (message != kMsgPaint) gMessages.push_back({window, message, wParam, lParam});
    return 0;
}

constexpr int kParentX = 100, kParentY = 80;

class X11WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        ASSERT_TRUE(windows.registerWindowClass("Test", recordingProcedure));
        parent = client.createParent(kParentX, kParentY, 300, 200);
        window = windows.createChildWindow("Test", "test", nativeParent(parent), 300, 200);
        ASSERT_TRUE(window);
        settle();
        gMessages.clear();
    }
    void TearDown() override {
        windows.destroyWindow(window);
        windows.unregisterWindowClass("Test");
        EXPECT_FALSE(windows.connected());
    }
    static NativeParent nativeParent(xcb_window_t id) {
        return reinterpret_cast<NativeParent>(static_cast<std::uintptr_t>(id));
    }
    // Lets the events the server has for us arrive, and handles them.
    void settle() {
        for (int i = 0; i < 5; ++i) {
            client.sync();
            windows.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    void clickAt(int x, int y, int button = kLeftButton) {
        client.moveTo(x, y);
        client.click(button);
        settle();
    }

    VirtualXServer server;
    XClient client;
    X11Windows windows;
    xcb_window_t parent = 0;
    WindowHandle window;
};

TEST_F(X11WindowsTest, ButtonsAndMovesArriveWithTheirKeyFlags) {
    client.moveTo(kParentX + 10, kParentY + 20);
    client.button(1, true);
    client.moveTo(kParentX + 30, kParentY + 25);
    client.button(1, false);
    client.key(kSymControl, true);
    client.click(1);
    client.key(kSymShift, true);
    client.click(1);
    client.key(kSymShift, false);
    client.key(kSymControl, false);
    client.moveTo(kParentX + 31, kParentY + 26);
    client.moveTo(kParentX + 400, kParentY + 26);  // off the window: not ours
    settle();
    const std::vector<Message> expected = {
        {window, kMsgMouseMove, 0, pointParam(10, 20)},
        {window, kMsgLeftButtonDown, kKeyLeftButton, pointParam(10, 20)},
        {window, kMsgMouseMove, kKeyLeftButton, pointParam(30, 25)},
        {window, kMsgLeftButtonUp, 0, pointParam(30, 25)},
        {window, kMsgLeftButtonDown, kKeyLeftButton | kKeyControl, pointParam(30, 25)},
        {window, kMsgLeftButtonUp, kKeyControl, pointParam(30, 25)},
        {window, kMsgLeftButtonDown, kKeyLeftButton | kKeyControl | kKeyShift, pointParam(30, 25)},
        {window, kMsgLeftButtonUp, kKeyControl | kKeyShift, pointParam(30, 25)},
        {window, kMsgMouseMove, 0, pointParam(31, 26)},
    };
    EXPECT_EQ(gMessages, expected);

    // The right button asks for the context menu at its release, with the
    // point on the screen.
    client.moveTo(kParentX + 50, kParentY + 60);
    settle();
    gMessages.clear();
    client.click(kRightButton);
    settle();
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0], (Message{window, kMsgContextMenu, window.value,
                                     pointParam(kParentX + 50, kParentY + 60)}));
    EXPECT_EQ(windows.screenToClient(window, {kParentX + 50, kParentY + 60}), (Point{50, 60}));
}

TEST_F(X11WindowsTest, WhatIsDrawnReachesTheScreenAndComesBackAfterAnExpose) {
    {
        auto canvas = windows.windowCanvas(window);
        canvas->fillRect({0, 0, 300, 200}, Brush(rgb(10, 20, 30)));
        canvas->fillRect({40, 50, 60, 70}, Brush(rgb(200, 100, 50)));
        canvas->setPixel(299, 199, rgb(1, 2, 3));
    }
    settle();
    const auto shown = client.pixels(windows.nativeWindow(window), 300, 200);
    ASSERT_EQ(shown.size(), 300u * 200u);
    EXPECT_EQ(shown[0], rgb(10, 20, 30));
    EXPECT_EQ(shown[55 * 300 + 45], rgb(200, 100, 50));
    EXPECT_EQ(shown[199 * 300 + 299], rgb(1, 2, 3));
    EXPECT_TRUE(windows.usesSharedMemory(window));

    // Unmapped and mapped again, the server forgot the pixels; we did not.
    xcb_window_t cover = client.createParent(kParentX, kParentY, 300, 200);
    client.destroy(cover);
    settle();
    EXPECT_TRUE(client.eventually(
        [&] { return client.pixels(windows.nativeWindow(window), 300, 200) == shown; }));
}

MenuDescription testMenu() {
    using Kind = MenuItemDescription::Kind;
    return {{Kind::Popup,
             "Context",
             0,
             {{Kind::Command, "&First", 101, {}},
              {Kind::Separator, "", 0, {}},
              {Kind::Popup, "More", 0, {{Kind::Command, "Deep", 201, {}}}},
              {Kind::Command, "Last", 102, {}}}}};
}

// A panel as drawn at 1.0 on a plain software canvas.
template <typename Panel>
std::shared_ptr<PixelBuffer> pictureAtOne(const Panel& panel) {
    auto picture = std::make_shared<PixelBuffer>(panel.width(), panel.height());
    SoftCanvas canvas(picture);
    panel.paint(canvas);
    return picture;
}

TEST_F(X11WindowsTest, PopupMenuShowsChecksChoosesFromSubmenusAndClosesOnEscape) {
    const MenuDescription description = testMenu();
    const MenuHandle menu = windows.createMenu(description);
    windows.checkMenuItem(menu, 102, true);

    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    ASSERT_EQ(windows.popupLevels().size(), 1u);
    const Rect level = windows.screenRect(windows.popupLevels()[0]);
    EXPECT_EQ((Point{level.left, level.top}), (Point{kParentX + 20, kParentY + 20}));

    // On the screen the level is the software picture of the panel, with
    // the item under the pointer lit and "Last" checked.
    MenuPanel panel(description[0].children, {102});
    client.moveTo(level.left + 30, level.top + panel.itemTop(0) + 5);
    settle();
    panel.setHover(0);
    const auto painted = pictureAtOne(panel);
    EXPECT_TRUE(client.eventually([&] {
        return client.pixels(windows.nativeWindow(windows.popupLevels()[0]), panel.width(),
                             panel.height()) == painted->pixels;
    }));

    // The pointer over "More" opens its submenu; a click on "Deep" chooses.
    clickAt(level.left + 30, level.top + panel.itemTop(2) + 5);
    ASSERT_EQ(windows.popupLevels().size(), 2u);
    const Rect submenu = windows.screenRect(windows.popupLevels()[1]);
    clickAt(submenu.left + 20, submenu.top + 10);
    EXPECT_TRUE(windows.popupLevels().empty());
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0], (Message{window, kMsgCommand, 201, 0}));

    // A click elsewhere closes the menu and is used up; the keys reach the
    // menu too.
    gMessages.clear();
    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    clickAt(kParentX + 250, kParentY + 180);
    EXPECT_TRUE(windows.popupLevels().empty());
    EXPECT_TRUE(gMessages.empty());
    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    client.tap(kSymEscape);  // Escape closes without a command
    settle();
    EXPECT_TRUE(windows.popupLevels().empty());
    EXPECT_TRUE(gMessages.empty());
    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    client.tap(kSymDown);
    client.tap(kSymReturn);
    settle();
    ASSERT_EQ(gMessages.size(), 1u);
    EXPECT_EQ(gMessages[0], (Message{window, kMsgCommand, 101, 0}));
    windows.destroyMenu(menu);
}

TEST_F(X11WindowsTest, EditBoxTakesTypingAndTellsItsOwnerOfEachChange) {
    const WindowHandle edit = windows.createEditBox(window, {20, 30, 80, 46}, "");
    ASSERT_TRUE(edit);
    windows.setEditFont(edit, panelFont());
    windows.setText(edit, "-6.0");
    windows.setEditSelection(edit, 0, -1);
    windows.setFocus(edit);
    settle();
    client.type("4.5");
    client.tap(kSymBackSpace);
    client.type("7");
    settle();
    EXPECT_EQ(windows.text(edit), "4.7");
    EXPECT_EQ(windows.editLineCount(edit), 1);
    client.tap(kSymReturn);
    settle();
    EXPECT_EQ(windows.text(edit), "4.7\r\n");
    EXPECT_EQ(windows.editLineCount(edit), 2);
    const Message change{window, kMsgCommand, std::uintptr_t{kEditChanged} << 16,
                         static_cast<std::intptr_t>(edit.value)};
    EXPECT_EQ(gMessages, std::vector<Message>(6, change));  // 4 . 5 Backspace 7 Enter

    // Shown in the parent at its place; hidden, the parent shows again.
    EXPECT_EQ(client.childAt(windows.nativeWindow(window), kParentX + 25, kParentY + 35),
              windows.nativeWindow(edit));
    windows.showWindow(edit, false);
    settle();
    EXPECT_EQ(client.childAt(windows.nativeWindow(window), kParentX + 25, kParentY + 35), XCB_NONE);
    windows.destroyWindow(edit);
    EXPECT_FALSE(windows.isWindow(edit));
}

TEST_F(X11WindowsTest, ColourChooserEditsTheChosenSlotAndAnswersConfirmOrCancel) {
    // The dialog waits for the user: the user is a thread of its own.
    const auto user = [](std::vector<Rect> clicks) {
        return std::thread([clicks] {
            XClient hand;
            const int left = (VirtualXServer::kWidth - 320) / 2;
            const int top = (VirtualXServer::kHeight - 300) / 2;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            for (const Rect& r : clicks) {
                hand.moveTo(left + (r.left + r.right) / 2, top + (r.top + r.bottom) / 2);
                hand.click();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    };
    std::array<Colour, 16> custom{};
    custom[3] = rgb(9, 9, 9);
    // Slot 5 gets basic colour 8 (pure red), then OK.
    std::thread confirming =
        user({ColourChooserPanel::customCell(5), ColourChooserPanel::basicCell(8),
              ColourChooserPanel::okButton()});
    EXPECT_TRUE(windows.chooseColour(window, rgb(9, 9, 9), custom));
    confirming.join();
    EXPECT_EQ(custom[5], rgb(255, 0, 0));
    EXPECT_EQ(custom[3], rgb(9, 9, 9));

    std::thread cancelling =
        user({ColourChooserPanel::basicCell(0), ColourChooserPanel::cancelButton()});
    EXPECT_FALSE(windows.chooseColour(window, rgb(9, 9, 9), custom));
    cancelling.join();
    EXPECT_EQ(custom[3], rgb(9, 9, 9));
    EXPECT_FALSE(windows.openDialog());
}

TEST_F(X11WindowsTest, MessageBoxWaitsForItsAnswerWhileTimersRun) {
    static int ticks = 0;
    ticks = 0;
    windows.setTimer(window, 1, 20,
                     [](WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t) { ++ticks; });
    std::thread user([] {
        XClient hand;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        hand.tap(kSymReturn);
    });
    windows.messageBox({}, "Not enough memory !", "Error");
    user.join();
    EXPECT_GT(ticks, 3);
    EXPECT_FALSE(windows.openDialog());
}

// At 1.0 the picture shown is exactly the 1.0 one. At a scale each logical
// pixel's device cell, averaged, is close to the 1.0 pixel (misplaced
// panels differ by over 100 a channel; text alone, by about 7 in a menu),
// and under the 1.0 text most cells are not one flat colour, as they would
// all be in a 1.0 picture enlarged (1.0 glyphs at mapped places: 0.3).
void expectDrawnAtScale(const std::vector<Colour>& shown, const PixelBuffer& reference, Scale scale,
                        const Rect& textArea) {
    const int stride = scale.device(reference.width);
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(stride) * scale.device(reference.height));
    if (scale.isIdentity()) {
        EXPECT_EQ(shown, reference.pixels);
        return;
    }
    PixelBuffer device(stride, scale.device(reference.height));
    device.pixels = shown;
    const velmorin::testing_support::ScaledComparison compared =
        velmorin::testing_support::compareWithOne(device, reference, scale, [&](int x, int y) {
            return reference.at(x, y) != kPanelFace && textArea.contains(x, y);
        });
    EXPECT_LT(compared.meanDifference, 12.0);
    EXPECT_GT(compared.detailedCells, compared.markedCells / 2);
}

// What the user saw of a dialog centred on the screen before clicking the
// device places of logical points of it.
struct DialogSeen {
    std::pair<int, int> size;
    std::vector<Colour> pixels;
    bool stuck = false;  // still open after the clicks, and closed by Escape
};

std::thread dialogUser(Scale scale, Point logicalSize, std::vector<Point> clicks,
                       DialogSeen& seen) {
    return std::thread([=, &seen] {
        XClient hand;
        const int w = scale.device(logicalSize.x), h = scale.device(logicalSize.y);
        const int left = (VirtualXServer::kWidth - w) / 2, top = (VirtualXServer::kHeight - h) / 2;
        xcb_window_t dialog = XCB_NONE;
        hand.eventually([&] {
            dialog = hand.childAt(hand.root(), left + w / 2, top + h / 2);
            return dialog != XCB_NONE && hand.size(dialog) == std::pair{w, h};
        });
        seen.size = hand.size(dialog);
        hand.eventually([&] {
            seen.pixels = hand.pixels(dialog, w, h);
            return !seen.pixels.empty() && seen.pixels.front() == kPanelFace;
        });
        for (const Point& p : clicks) {
            hand.moveTo(left + scale.device(p.x), top + scale.device(p.y));
            hand.click();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        seen.stuck = dialog == XCB_NONE || !hand.eventually([&] {
            return hand.size(dialog) == std::pair{0, 0};
        });
        if (seen.stuck) hand.tap(kSymEscape);
    });
}

Point centreOf(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Menus and dialogs at the scale of the editor window they belong to: at
// 1.0, where nothing may differ from before, at 1.5 and at 2.
class X11PopupsAtScaleTest : public X11WindowsTest, public ::testing::WithParamInterface<double> {
  protected:
    void SetUp() override {
        X11WindowsTest::SetUp();
        windows.resizeWindow(window, scale);
        settle();
        gMessages.clear();
    }
    const Scale scale = *editorScaleOf(GetParam());
};

TEST_P(X11PopupsAtScaleTest, MenuLevelsAreScaledPicturesAndChooseTheItemsOfTheirLogicalPoints) {
    const MenuDescription description = testMenu();
    const MenuHandle menu = windows.createMenu(description);
    windows.checkMenuItem(menu, 102, true);
    const MenuPanel panel(description[0].children, {102});
    const MenuPanel submenuPanel(description[0].children[2].children, {});
    const auto shownSize = [&](std::size_t level) {
        return client.size(windows.nativeWindow(windows.popupLevels()[level]));
    };
    const auto clickItem = [&](std::size_t level, const MenuPanel& shown, int index, int row) {
        const Rect at = windows.screenRect(windows.popupLevels()[level]);
        clickAt(at.left + scale.device(30), at.top + scale.device(shown.itemTop(index) + row));
    };

    client.moveTo(VirtualXServer::kWidth - 1, VirtualXServer::kHeight - 1);  // nothing lit
    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    ASSERT_EQ(windows.popupLevels().size(), 1u);
    EXPECT_EQ(shownSize(0), (std::pair{scale.device(panel.width()), scale.device(panel.height())}));
    const auto reference = pictureAtOne(panel);
    // The first item's row holds its label only.
    const Rect firstLabel{4, panel.itemTop(0), panel.width() - 4, panel.itemTop(1)};
    std::vector<Colour> shown;
    EXPECT_TRUE(client.eventually([&] {
        shown = client.pixels(windows.nativeWindow(windows.popupLevels()[0]),
                              scale.device(panel.width()), scale.device(panel.height()));
        return !shown.empty() && shown.front() == kPanelShade;
    }));
    expectDrawnAtScale(shown, *reference, scale, firstLabel);

    // "More" opens its level; "Deep" chooses, clicked on its last row.
    clickItem(0, panel, 2, 5);
    ASSERT_EQ(windows.popupLevels().size(), 2u);
    EXPECT_EQ(shownSize(1),
              (std::pair{scale.device(submenuPanel.width()), scale.device(submenuPanel.height())}));
    clickItem(1, submenuPanel, 0, 21);
    EXPECT_TRUE(windows.popupLevels().empty());
    // "Last" on its first row.
    windows.trackPopupMenu(menu, 0, window, {kParentX + 20, kParentY + 20});
    settle();
    clickItem(0, panel, 3, 0);
    EXPECT_EQ(gMessages,
              (std::vector<Message>{{window, kMsgCommand, 201, 0}, {window, kMsgCommand, 102, 0}}));
    // Asked for at the screen's corner, it opens leftward and upward.
    const Point corner{VirtualXServer::kWidth, VirtualXServer::kHeight};
    windows.trackPopupMenu(menu, 0, window, {corner.x - 5, corner.y - 5});
    settle();
    const Rect cornered = windows.screenRect(windows.popupLevels()[0]);
    EXPECT_EQ((Point{cornered.right, cornered.bottom}), corner);
    windows.destroyMenu(menu);
}

TEST_P(X11PopupsAtScaleTest, DialogsAreScaledPicturesAndTakeTheClicksOfTheirLogicalPoints) {
    std::array<Colour, 16> custom{};
    const ColourChooserPanel chooser(rgb(9, 9, 9), custom);
    DialogSeen seen;
    // Slot 5 gets pure red with green 100 from its bar, then OK.
    const Rect green = ColourChooserPanel::bar(1);
    std::thread choosing = dialogUser(scale, {chooser.width(), chooser.height()},
                                      {centreOf(ColourChooserPanel::customCell(5)),
                                       centreOf(ColourChooserPanel::basicCell(8)),
                                       {green.left + 100, green.top + 4},
                                       centreOf(ColourChooserPanel::okButton())},
                                      seen);
    EXPECT_TRUE(windows.chooseColour(window, rgb(9, 9, 9), custom));
    choosing.join();
    EXPECT_FALSE(seen.stuck);
    EXPECT_EQ(custom[5], rgb(255, 100, 0));
    EXPECT_EQ(seen.size,
              (std::pair{scale.device(chooser.width()), scale.device(chooser.height())}));
    // Above the basic colours: the first label only.
    expectDrawnAtScale(seen.pixels, *pictureAtOne(chooser), scale, {0, 0, chooser.width(), 26});

    const MessageBoxPanel message("Not enough memory !");
    std::thread answering = dialogUser(scale, {message.width(), message.height()},
                                       {centreOf(message.okButton())}, seen);
    windows.messageBox(window, "Not enough memory !", "Error");
    answering.join();
    EXPECT_FALSE(seen.stuck);
    EXPECT_EQ(seen.size,
              (std::pair{scale.device(message.width()), scale.device(message.height())}));
    expectDrawnAtScale(seen.pixels, *pictureAtOne(message), scale, {0, 20, message.width(), 40});
}

INSTANTIATE_TEST_SUITE_P(Scales, X11PopupsAtScaleTest, ::testing::Values(1.0, 1.5, 2.0));

TEST(X11WindowsWithoutDisplay, NoWindowAndNothingLeftOpen) {
    unsetenv("DISPLAY");
    X11Windows windows;
    EXPECT_TRUE(windows.registerWindowClass("Test", recordingProcedure));
    int hostWindow = 0;
    EXPECT_FALSE(windows.createChildWindow("Test", "test", &hostWindow, 100, 100));
    EXPECT_FALSE(windows.connected());
    windows.unregisterWindowClass("Test");
}

TEST(X11WindowsWithoutSharedMemory, PixelsGoOverTheSocket) {
    VirtualXServer server({.sharedMemory = false});
    XClient client;
    X11Windows windows;
    ASSERT_TRUE(windows.registerWindowClass("Test", recordingProcedure));
    const xcb_window_t parent = client.createParent(0, 0, 654, 431);
    const WindowHandle window = windows.createChildWindow(
        "Test", "test", reinterpret_cast<NativeParent>(std::uintptr_t{parent}), 654, 431);
    ASSERT_TRUE(window);
    EXPECT_FALSE(windows.usesSharedMemory(window));
    {
        // More than one request's worth of pixels.
        auto canvas = windows.windowCanvas(window);
        for (int y = 0; y < 431; ++y)
            canvas->drawLine(0, y, 654, y, Pen(rgb(static_cast<std::uint8_t>(y), 7, 200)));
    }
    windows.pump();
    EXPECT_TRUE(client.eventually([&] {
        const auto shown = client.pixels(windows.nativeWindow(window), 654, 431);
        return shown.size() == 654u * 431u && shown[430 * 654 + 653] == rgb(430 % 256, 7, 200) &&
               shown[0] == rgb(0, 7, 200);
    }));
    windows.destroyWindow(window);
    windows.unregisterWindowClass("Test");
}

}  // namespace
}  // namespace platform::x11
