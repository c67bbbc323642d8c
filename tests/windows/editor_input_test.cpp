// A user works the editor in its real window: mouse messages posted to the
// window as the system would send them, a typed value, the context menu
// driven with keys, and a drag through the X server (run by
// windows_editor.sh). Every change must reach the host as an automation
// report with the value the effect then holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "editor/layout.h"
#include "support/loaded_plugin.h"
#include "windows/host_window.h"

namespace {

using namespace velmorin;

constexpr int kTickMs = 300;  // more than one timer period at any speed the tests use

struct Report {
    int32_t index;
    float value;
};

// What the effect holds after the host sends `stored` in stored units.
float normalizedFor(int32_t index, float stored) {
    Plugin reference;
    reference.set(index, stored);
    return reference.get(index);
}

const ControlPlace& placeOf(ParameterIndex parameter) {
    for (const ControlPlace& place : kControlPlaces)
        if (place.parameter == parameter) return place;
    throw std::logic_error("no control for the parameter");
}

// The pixel row of a fader's cap centre for a stored value.
int capRow(ParameterIndex parameter, float value) {
    const ControlPlace& p = placeOf(parameter);
    const float q = (value - p.minimum) / (p.maximum - p.minimum);
    return p.y + static_cast<int>(q * static_cast<double>(p.travel - 1));
}

// The context menu is modal: the keys wait in the thread's queue and the
// menu's own loop reads them once it is up.
void chooseFromContextMenu(HWND editor, std::initializer_list<WPARAM> keys) {
    POINT point{300, 200};
    ClientToScreen(editor, &point);
    PostMessageA(editor, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor),
                 MAKELPARAM(point.x, point.y));
    for (const WPARAM key : keys) {
        PostMessageA(editor, WM_KEYDOWN, key, 1);
        PostMessageA(editor, WM_KEYUP, key, 0xC0000001);
    }
}

class EditorInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(plugin.dispatch(effEditOpen, 0, 0, host.handle()) == 1);
        editor = host.editor();
        pumpMessages(kTickMs, {&plugin});  // the first tick shows the stored values
        RecordingHost::calls().clear();
    }
    void TearDown() override { plugin.dispatch(effEditClose); }

    void post(UINT message, WPARAM keys, int x, int y) {
        PostMessageA(editor, message, keys, MAKELPARAM(x, y));
    }
    void click(int x, int y, WPARAM keys = 0) {
        post(WM_LBUTTONDOWN, MK_LBUTTON | keys, x, y);
        post(WM_LBUTTONUP, keys, x, y);
        pumpMessages(kTickMs, {&plugin});
    }
    std::vector<Report> reports() const {
        std::vector<Report> found;
        for (const HostCall& call : RecordingHost::calls())
            if (call.opcode == audioMasterAutomate) found.push_back({call.index, call.opt});
        RecordingHost::calls().clear();
        return found;
    }
    // The reports name these parameters in this order, each with the value
    // the effect holds afterwards.
    void expectReports(const std::vector<std::pair<ParameterIndex, float>>& expected) {
        const std::vector<Report> got = reports();
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].index, expected[i].first);
            EXPECT_FLOAT_EQ(got[i].value, normalizedFor(expected[i].first, expected[i].second));
        }
        // The effect holds the last value reported for each parameter.
        for (std::size_t i = 0; i < expected.size(); ++i) {
            bool last = true;
            for (std::size_t later = i + 1; later < expected.size(); ++later)
                if (expected[later].first == expected[i].first) last = false;
            if (last) {
                EXPECT_FLOAT_EQ(plugin.get(expected[i].first),
                                normalizedFor(expected[i].first, expected[i].second));
            }
        }
    }

    Plugin plugin;
    HostWindow host{kEditorWidth, kEditorHeight, "Velmorin input"};
    HWND editor = nullptr;
};

TEST_F(EditorInput, DragsAndPagesAFader) {
    // Init holds ThrH at 20 steps; the press on the cap takes the value under
    // the pointer, the move drags it, a move with Shift held does nothing.
    const int x = placeOf(kThrH).x + 4;
    const int cap = capRow(kThrH, 20);
    post(WM_LBUTTONDOWN, MK_LBUTTON, x, cap);
    post(WM_MOUSEMOVE, MK_LBUTTON, x, cap + 33);
    post(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, x, cap + 50);
    post(WM_LBUTTONUP, 0, x, cap + 50);
    pumpMessages(kTickMs, {&plugin});
    const auto storedAt = [](int y) {
        const ControlPlace& p = placeOf(kThrH);
        return static_cast<float>(static_cast<int>(
            p.minimum + static_cast<float>(y - p.y) / (p.travel - 1) * (p.maximum - p.minimum)));
    };
    expectReports({{kThrH, storedAt(cap)}, {kThrH, storedAt(cap + 33)}});

    // Paging: 20 pixels below the cap one step more, 20 above one step less.
    plugin.set(kThrH, 20.0f);
    pumpMessages(kTickMs, {&plugin});
    RecordingHost::calls().clear();
    click(x, capRow(kThrH, 20) + 20);
    expectReports({{kThrH, 21}});
    click(x, capRow(kThrH, 21) - 20);
    expectReports({{kThrH, 20}});
}

TEST_F(EditorInput, SwitchesLampsAloneAndInGroupsWithCtrlAndShift) {
    const ControlPlace& midOn = placeOf(kMidOn);
    plugin.set(kMidOn, 0.0f);
    pumpMessages(kTickMs, {&plugin});
    RecordingHost::calls().clear();
    click(midOn.x + 2, midOn.y + 2, MK_CONTROL);  // all three bands on
    expectReports({{kMidOn, 1}, {kHighOn, 1}, {kLowOn, 1}});
    click(midOn.x + 2, midOn.y + 2, MK_SHIFT);  // Mid off, the others the opposite
    expectReports({{kMidOn, 0}, {kHighOn, 1}, {kLowOn, 1}});
    const ControlPlace& dither = placeOf(kDither);
    click(dither.x + 2, dither.y + 2);
    expectReports({{kDither, 1}});
}

TEST_F(EditorInput, TakesATypedValue) {
    const ValueBoxPlace& box = kValueBoxPlaces[2];  // ThrH
    ASSERT_EQ(box.parameter, kThrH);
    click(box.x + 20, box.y + 7);
    HWND edit = nullptr;
    for (HWND child = FindWindowExA(editor, nullptr, "Edit", nullptr); child;
         child = FindWindowExA(editor, child, "Edit", nullptr))
        if (IsWindowVisible(child)) edit = child;
    ASSERT_NE(edit, nullptr) << "no value box opened";
    char shown[32] = {};
    GetWindowTextA(edit, shown, sizeof shown);
    EXPECT_STREQ(shown, "-10.0");
    // The text a user would type, then Enter: the box is multi-line, so the
    // line break it inserts (and the change it reports) is what commits it.
    SetWindowTextA(edit, "-12.5");
    SendMessageA(edit, EM_SETSEL, 5, 5);
    PostMessageA(edit, WM_CHAR, '\r', 1);
    pumpMessages(kTickMs, {&plugin});
    expectReports({{kThrH, 25}});
    EXPECT_FALSE(IsWindowVisible(edit));
}

DWORD storedPreference(const char* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\QuandorPlugIns\\Velmorin", name, RRF_RT_REG_DWORD,
                 nullptr, &value, &size);
    return value;
}

TEST_F(EditorInput, ShowsTheInformationWindowFromTheMenuAndClosesItWithOk) {
    // "Info" follows the six popups and the separator.
    chooseFromContextMenu(
        editor, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    pumpMessages(kTickMs, {&plugin});
    const HWND information = FindWindowA("VelmorinAbout", nullptr);
    ASSERT_NE(information, nullptr);
    // Windows makes the editor's top-level ancestor, the host's window, the owner.
    EXPECT_EQ(GetWindow(information, GW_OWNER), host.handle());
    RECT client{};
    GetClientRect(information, &client);
    EXPECT_GT(client.right, 0);
    PostMessageA(information, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 160));  // OK
    pumpMessages(kTickMs, {&plugin});
    EXPECT_FALSE(IsWindow(information));
    EXPECT_TRUE(reports().empty());
}

// Run by windows_editor.sh before it reads the registry back with
// `wine reg query` and runs SecondEffectStartsWithThem in a new process.
TEST(PreferencesFromTheMenu, ChoosesCommands) {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuandorPlugIns\\Velmorin");
    Plugin plugin;
    plugin.set(kZoomH, 1.0f);  // stored units
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin menu");
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    pumpMessages(kTickMs, {&plugin});
    // "WaveDisplay zoom" is the fourth popup, "1x - 16x" its third item.
    chooseFromContextMenu(
        host.editor(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    pumpMessages(kTickMs, {&plugin});
    EXPECT_FLOAT_EQ(plugin.get(kZoomH), normalizedFor(kZoomH, 2));  // raised into the new range
    EXPECT_EQ(storedPreference("subWZ"), 2u);
    // "Display speed" is the sixth popup, "Fast" its third item.
    chooseFromContextMenu(host.editor(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                                          VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
    pumpMessages(kTickMs, {&plugin});
    EXPECT_EQ(storedPreference("subDS"), 3u);
    plugin.dispatch(effEditClose);
}

TEST(PreferencesFromTheMenu, SecondEffectStartsWithThem) {
    Plugin plugin;
    plugin.set(kZoomH, 1.0f);
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin second");
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    EXPECT_FLOAT_EQ(plugin.get(kZoomH), normalizedFor(kZoomH, 2));
    plugin.dispatch(effEditClose);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuandorPlugIns\\Velmorin");
}

// Run by windows_editor.sh, which moves the X server's pointer with xdotool
// once the file named by VELMORIN_DRAG_READY holds where to press.
TEST(XServerInput, DragsAFaderWithTheRealMouse) {
    const char* ready = std::getenv("VELMORIN_DRAG_READY");
    ASSERT_NE(ready, nullptr) << "run by windows_editor.sh";
    Plugin plugin;
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin drag");
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    pumpMessages(kTickMs, {&plugin});
    const ControlPlace& thr = placeOf(kThrH);
    POINT press{thr.x + 4, capRow(kThrH, 20)};
    const int clientY = press.y;
    ClientToScreen(host.editor(), &press);
    const float expected = static_cast<float>(
        static_cast<int>(thr.minimum + static_cast<float>(clientY + 33 - thr.y) / (thr.travel - 1) *
                                           (thr.maximum - thr.minimum)));
    std::ofstream(ready) << press.x << " " << press.y << "\n";
    for (int waited = 0; waited < 60000 && plugin.get(kThrH) != normalizedFor(kThrH, expected);
         waited += 100)
        pumpMessages(100, {&plugin});
    EXPECT_FLOAT_EQ(plugin.get(kThrH), normalizedFor(kThrH, expected));
    bool reported = false;
    for (const HostCall& call : RecordingHost::calls())
        if (call.opcode == audioMasterAutomate && call.index == kThrH &&
            call.opt == normalizedFor(kThrH, expected))
            reported = true;
    EXPECT_TRUE(reported);
    plugin.dispatch(effEditClose);
}

}  // namespace
