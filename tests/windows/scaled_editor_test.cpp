// The editor drawn at a scale in its real window: at the size the user chose
// (SizeChoice), or at the monitor's DPI (MonitorDpi, which
// scaled_editor.sh runs alone with the system at 192 DPI). The window takes
// the device size, draws the golden picture of that scale, and a click at a
// device pixel reaches the control under its logical pixel. Made larger by
// its host, it shows the room in the skin's base colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "editor/context_menu.h"
#include "editor/layout.h"
#include "editor/room_colour.h"
#include "support/loaded_plugin.h"
#include "windows/editor_picture.h"
#include "windows/host_window.h"

namespace {

using namespace velmorin;
using platform::Scale;

constexpr const char* kPreferenceKey = "Software\\QuandorPlugIns\\Velmorin";
constexpr int kTickMs = 300;
constexpr Scale kTwice = Scale::ofQuarters(8);

// The stored "Size" choice: 0 for Automatic, else a percentage.
void storeSizeChoice(DWORD percent) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kPreferenceKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, "subSZ", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&percent),
                   sizeof percent);
    RegCloseKey(key);
}

DWORD storedSizeChoice() {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kPreferenceKey, "subSZ", RRF_RT_REG_DWORD, nullptr, &value,
                 &size);
    return value;
}

const ControlPlace& placeOf(ParameterIndex parameter) {
    for (const ControlPlace& place : kControlPlaces)
        if (place.parameter == parameter) return place;
    throw std::logic_error("no control for the parameter");
}

SIZE clientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// What effEditGetRect reports: width and height.
SIZE reportedSize(const Plugin& plugin) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    return rect ? SIZE{rect->right - rect->left, rect->bottom - rect->top} : SIZE{};
}

void expectDeviceSize(SIZE size, Scale scale) {
    EXPECT_EQ(size.cx, scale.device(kEditorWidth));
    EXPECT_EQ(size.cy, scale.device(kEditorHeight));
}

// An effect at Init with its editor open in a window that holds it at 2.0.
struct OpenEditor {
    explicit OpenEditor(const char* title)
        : host(kTwice.device(kEditorWidth), kTwice.device(kEditorHeight), title) {
        EXPECT_EQ(plugin.programName(), "Init");
        EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 1);
        editor = host.editor();
    }
    ~OpenEditor() { plugin.dispatch(effEditClose); }

    Plugin plugin;
    HostWindow host;
    HWND editor = nullptr;
};

// Opens the editor with the "Size" choice stored (0 for Automatic) and
// checks that it reports and takes the size of `scale`, and, if asked, that
// it draws the golden Init picture of that scale (init-x2, init-x1.5...).
void expectOpensAt(DWORD choice, Scale scale, bool withPicture) {
    SCOPED_TRACE(choice);
    storeSizeChoice(choice);
    OpenEditor open("Velmorin at a size");
    expectDeviceSize(reportedSize(open.plugin), scale);
    expectDeviceSize(clientSize(open.editor), scale);
    if (!withPicture) return;
    char name[16];
    std::snprintf(name, sizeof name, "init-x%g", scale.factor());
    const Picture reference = referencePicture(name);
    ASSERT_EQ(reference.width, scale.device(kEditorWidth)) << "no reference picture " << name;
    expectSameEditorPicture(pictureAfterFirstTick(open.editor), reference, name, scale);
}

class SizeChoice : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kPreferenceKey); }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kPreferenceKey);
        RecordingHost::sizeWindowAnswer() = 0;
    }
};

// 1.5 copies blocks by shifts that are no whole number of device pixels.
TEST_F(SizeChoice, OpensAtTheStoredSizeWithTheGoldenPicture) {
    expectOpensAt(150, Scale::ofQuarters(6), true);
    expectOpensAt(200, kTwice, true);
}

// At each scale a click on a device pixel inside a control's logical cell
// works that control; a value box opens over its place, at its scaled size.
TEST_F(SizeChoice, ClicksReachTheControlUnderTheLogicalPixel) {
    for (const DWORD percent : {100u, 150u, 200u}) {
        SCOPED_TRACE(percent);
        const Scale scale = Scale::ofQuarters(static_cast<int>(percent) / 25);
        storeSizeChoice(percent);
        OpenEditor open("Velmorin clicks");
        pumpMessages(kTickMs, {&open.plugin});
        RecordingHost::calls().clear();
        const auto click = [&](int x, int y) {
            PostMessageA(open.editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            PostMessageA(open.editor, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
            pumpMessages(kTickMs, {&open.plugin});
        };

        // The last device pixel of the lamp's first logical column.
        const ControlPlace& dither = placeOf(kDither);
        click(scale.device(dither.x + 1) - 1, scale.device(dither.y + 2));
        bool switched = false;
        for (const HostCall& call : RecordingHost::calls())
            switched |= call.opcode == audioMasterAutomate && call.index == kDither;
        EXPECT_TRUE(switched) << "the Dither lamp was not switched";

        const ValueBoxPlace& box = kValueBoxPlaces[2];
        click(scale.device(box.x + 20), scale.device(box.y + 7));
        HWND edit = nullptr;
        for (HWND child = FindWindowExA(open.editor, nullptr, "Edit", nullptr); child;
             child = FindWindowExA(open.editor, child, "Edit", nullptr))
            if (IsWindowVisible(child)) edit = child;
        ASSERT_NE(edit, nullptr) << "no value box opened";
        RECT placed{};
        GetWindowRect(edit, &placed);
        MapWindowPoints(nullptr, open.editor, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, scale.device(box.x));
        EXPECT_EQ(placed.top, scale.device(box.y));
        EXPECT_EQ(placed.right, scale.device(box.x + kReadoutWidth));
        EXPECT_EQ(placed.bottom, scale.device(box.y + kReadoutHeight));
    }
}

// A host that makes the editor's window larger than the editor: the editor
// stays at the top left as it was, the room shows the skin's base colour.
TEST_F(SizeChoice, RoomAHostGivesShowsTheSkinsBaseColour) {
    storeSizeChoice(100);
    OpenEditor open("Velmorin with room");
    const Picture before = pictureAfterFirstTick(open.editor);
    ASSERT_EQ(before.width, kEditorWidth);
    SetWindowPos(open.editor, nullptr, 0, 0, kTwice.device(kEditorWidth),
                 kTwice.device(kEditorHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(open.editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const Picture after = captureWindow(open.editor);
    ASSERT_EQ(after.width, kTwice.device(kEditorWidth));
    const std::uint32_t room = std::uint32_t{platform::redOf(kRoomColour)} << 16 |
                               std::uint32_t{platform::greenOf(kRoomColour)} << 8 |
                               platform::blueOf(kRoomColour);
    int moved = 0, notRoom = 0;
    for (int y = 0; y < after.height; ++y)
        for (int x = 0; x < after.width; ++x) {
            if (x < before.width && y < before.height)
                moved += after.at(x, y) != before.at(x, y);
            else
                notRoom += after.at(x, y) != room;
        }
    EXPECT_EQ(moved, 0) << "pixels of the editor changed";
    EXPECT_EQ(notRoom, 0) << "pixels of the room are not the skin's base colour";
}

// The host is asked to fit the new size, the window takes it, and the next
// editor opens with it; Automatic brings 1.0 back at 96 DPI.
TEST_F(SizeChoice, ChosenFromTheMenuResizesAndPersists) {
    RecordingHost::sizeWindowAnswer() = 1;
    {
        OpenEditor open("Velmorin size");
        expectDeviceSize(clientSize(open.editor), Scale());
        RecordingHost::calls().clear();
        SendMessageA(open.editor, WM_COMMAND, kCmdSize200, 0);
        bool asked = false;
        for (const HostCall& call : RecordingHost::calls())
            asked |=
                call.opcode == audioMasterSizeWindow && call.index == 1308 && call.value == 862;
        EXPECT_TRUE(asked) << "the host was not asked for 1308 x 862";
        expectDeviceSize(clientSize(open.editor), kTwice);
    }
    EXPECT_EQ(storedSizeChoice(), 200u);

    OpenEditor next("Velmorin size again");
    expectDeviceSize(reportedSize(next.plugin), kTwice);
    expectDeviceSize(clientSize(next.editor), kTwice);
    SendMessageA(next.editor, WM_COMMAND, kCmdSizeAutomatic, 0);
    expectDeviceSize(clientSize(next.editor), Scale());
    EXPECT_EQ(storedSizeChoice(), 0u);
}

// Run alone with the system at 192 DPI. The host is DPI-aware, as a host
// must be for its plug-ins to learn the monitor's DPI: an unaware one is
// drawn at 96 and enlarged by the system.
class MonitorDpi : public SizeChoice {
  protected:
    void SetUp() override {
        SetProcessDPIAware();
        SizeChoice::SetUp();
    }
};

TEST_F(MonitorDpi, OpensAtTheMonitorsScaleUnlessASizeIsChosen) {
    expectOpensAt(0, kTwice, true);
    expectOpensAt(100, Scale(), false);
    expectOpensAt(150, Scale::ofQuarters(6), false);
}

}  // namespace
