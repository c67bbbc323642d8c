// The Windows Velmorin.clap as a Windows CLAP host drives its editor, in
// real windows: loaded through clap_entry, its gui extension offers an
// embedded Win32 window of fixed size; the editor opens in windows of the
// host, ticks itself with its own timer in the host's message loop (no
// timer-support asked for), is shown, hidden and destroyed over and over in
// two instances at once, draws at Init what Velmorin.dll draws
// (tests/windows/init-under-wine.png), and the user's gestures reach the
// host as begin, value and end events. The module carries the editor's
// resources and a version record of its own. Run under Wine with an X
// server (see clap_editor.sh).
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "clap/clap_test_host.h"
#include "editor/bitmap_ids.h"
#include "editor/context_menu.h"
#include "editor/layout.h"
#include "windows/editor_picture.h"
#include "windows/host_window.h"
#include "windows/version_record.h"

namespace {

using velmorin::kEditorHeight;
using velmorin::kEditorWidth;

// More than one period of the editor's timer (125 ms by default).
constexpr int kTickMs = 300;

const clap_plugin_gui_t& guiOf(const ClapInstance& instance) {
    return instance.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
}

const velmorin::ControlPlace& placeOf(velmorin::ParameterIndex parameter) {
    for (const velmorin::ControlPlace& place : velmorin::kControlPlaces)
        if (place.parameter == parameter) return place;
    throw std::logic_error("no control for the parameter");
}

// The window class exists while at least one editor of the module is open.
bool editorClassRegistered() {
    WNDCLASSA windowClass{};
    return GetClassInfoA(GetModuleHandleA("Velmorin.clap"), "Velmorin", &windowClass) != 0;
}

TEST(ClapWindowsModule, CarriesTheEditorsResourcesAndItsOwnVersionRecord) {
    const ClapInstance instance;  // the module is loaded
    const HMODULE module = GetModuleHandleA("Velmorin.clap");
    ASSERT_NE(module, nullptr);
    const HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(velmorin::kContextMenuResource));
    EXPECT_NE(menu, nullptr);
    if (menu) DestroyMenu(menu);
    const HBITMAP skin = LoadBitmapA(module, MAKEINTRESOURCEA(velmorin::kBitmapSkin));
    EXPECT_NE(skin, nullptr);
    if (skin) DeleteObject(skin);

    const auto text = [module](const char* name) { return versionText(module, name); };
    EXPECT_EQ(text("ProductName"), "Velmorin");
    EXPECT_EQ(text("OriginalFilename"), "Velmorin.clap");
    EXPECT_EQ(text("FileVersion"), VELMORIN_VERSION);
    EXPECT_NE(text("FileDescription").find("CLAP"), std::string::npos);
}

TEST(ClapWindowsGui, OffersOnlyAnEmbeddedWin32Window) {
    const ClapInstance instance;
    const clap_plugin_t* plugin = &instance.plugin();
    const clap_plugin_gui_t& gui = guiOf(instance);
    const struct {
        const char* api;
        bool floating;
        bool supported;
    } cases[] = {
        {CLAP_WINDOW_API_WIN32, false, true},  {CLAP_WINDOW_API_WIN32, true, false},
        {CLAP_WINDOW_API_X11, false, false},   {CLAP_WINDOW_API_WAYLAND, false, false},
        {CLAP_WINDOW_API_COCOA, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.api) + (c.floating ? " floating" : " embedded"));
        EXPECT_EQ(gui.is_api_supported(plugin, c.api, c.floating), c.supported);
        EXPECT_EQ(gui.create(plugin, c.api, c.floating), c.supported);
        gui.destroy(plugin);
    }
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui.get_preferred_api(plugin, &api, &floating));
    EXPECT_STREQ(api, CLAP_WINDOW_API_WIN32);
    EXPECT_FALSE(floating);
    // The editor ticks itself: it asks for no host timers or descriptors.
    EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_TIMER_SUPPORT), nullptr);
    EXPECT_EQ(plugin->get_extension(plugin, CLAP_EXT_POSIX_FD_SUPPORT), nullptr);
}

TEST(ClapWindowsGui, AnswersForAFixedSizeAtTheHostsScale) {
    const ClapInstance instance;
    const clap_plugin_gui_t& gui = guiOf(instance);
    const clap_plugin_t* plugin = &instance.plugin();
    ASSERT_TRUE(gui.create(plugin, CLAP_WINDOW_API_WIN32, false));
    EXPECT_FALSE(gui.create(plugin, CLAP_WINDOW_API_WIN32, false));  // one editor at a time
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui.get_size(plugin, &width, &height));
    EXPECT_EQ(width, static_cast<uint32_t>(kEditorWidth));
    EXPECT_EQ(height, static_cast<uint32_t>(kEditorHeight));
    EXPECT_FALSE(gui.can_resize(plugin));
    // The host's scale (its monitor's, for a DPI-aware host) sets the size.
    EXPECT_TRUE(gui.set_scale(plugin, 2.0));
    const uint32_t atTwice[] = {2 * kEditorWidth, 2 * kEditorHeight};
    ASSERT_TRUE(gui.get_size(plugin, &width, &height));
    EXPECT_EQ(width, atTwice[0]);
    EXPECT_EQ(height, atTwice[1]);
    clap_gui_resize_hints_t hints{true, true, true, 0, 0};
    ASSERT_TRUE(gui.get_resize_hints(plugin, &hints));
    EXPECT_FALSE(hints.can_resize_horizontally || hints.can_resize_vertically);
    EXPECT_TRUE(gui.set_size(plugin, atTwice[0], atTwice[1]));
    EXPECT_FALSE(gui.set_size(plugin, kEditorWidth, kEditorHeight));
    uint32_t w = 2000, h = 1000;
    ASSERT_TRUE(gui.adjust_size(plugin, &w, &h));
    EXPECT_EQ(w, atTwice[0]);
    EXPECT_EQ(h, atTwice[1]);
    // No window yet: nothing to show, and a window of another API is refused.
    EXPECT_FALSE(gui.show(plugin));
    clap_window_t x11{};
    x11.api = CLAP_WINDOW_API_X11;
    x11.x11 = 1;
    EXPECT_FALSE(gui.set_parent(plugin, &x11));
    // A dead parent window makes no editor.
    HostWindow gone(kEditorWidth, kEditorHeight, "Velmorin gone");
    clap_window_t dead{};
    dead.api = CLAP_WINDOW_API_WIN32;
    dead.win32 = gone.handle();
    gone.destroy();
    EXPECT_FALSE(gui.set_parent(plugin, &dead));
    gui.destroy(plugin);
}

class ClapWindowsEditor : public ::testing::Test {
  protected:
    // Creates the editor in the host's window and shows it; its window.
    static HWND open(const ClapInstance& instance, const HostWindow& host) {
        const clap_plugin_gui_t& gui = guiOf(instance);
        const clap_plugin_t* plugin = &instance.plugin();
        clap_window_t window{};
        window.api = CLAP_WINDOW_API_WIN32;
        window.win32 = host.handle();
        EXPECT_TRUE(gui.create(plugin, CLAP_WINDOW_API_WIN32, false));
        EXPECT_TRUE(gui.set_parent(plugin, &window));
        EXPECT_TRUE(gui.show(plugin));
        return host.editor();
    }
    static void expectEditorIn(HWND editor, const HostWindow& host) {
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(GetParent(editor), host.handle());
        EXPECT_TRUE(IsWindowVisible(editor));
        RECT client{};
        GetClientRect(editor, &client);
        EXPECT_EQ(client.right, kEditorWidth);
        EXPECT_EQ(client.bottom, kEditorHeight);
    }
};

TEST_F(ClapWindowsEditor, TwoInstancesShowHideAndDestroyTheirEditorsRepeatedly) {
    ClapInstance first, second;
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HostWindow firstHost(kEditorWidth, kEditorHeight, "Velmorin CLAP 1");
        HostWindow secondHost(kEditorWidth, kEditorHeight, "Velmorin CLAP 2");
        const HWND editors[] = {open(first, firstHost), open(second, secondHost)};
        expectEditorIn(editors[0], firstHost);
        expectEditorIn(editors[1], secondHost);
        EXPECT_TRUE(editorClassRegistered());
        // Both tick by their own timers in this message loop, with no idle
        // call and no host timer.
        EXPECT_GT(countDisplayTicks(editors[0], kTickMs), 0);
        EXPECT_GT(countDisplayTicks(editors[1], kTickMs), 0);
        for (const ClapInstance* instance : {&first, &second}) {
            EXPECT_TRUE(instance->record().timers.empty());
            EXPECT_TRUE(instance->record().fds.empty());
        }

        // Hidden and shown again; a hidden editor keeps its window.
        EXPECT_TRUE(guiOf(first).hide(&first.plugin()));
        EXPECT_FALSE(IsWindowVisible(editors[0]));
        EXPECT_TRUE(IsWindowVisible(editors[1]));
        EXPECT_TRUE(guiOf(first).show(&first.plugin()));
        EXPECT_TRUE(IsWindowVisible(editors[0]));
        EXPECT_TRUE(guiOf(first).hide(&first.plugin()));

        // The destroyed editor's window goes at once, whichever closes first;
        // the other editor stays and goes on ticking.
        const ClapInstance& closesFirst = round % 2 == 0 ? first : second;
        const ClapInstance& closesLast = round % 2 == 0 ? second : first;
        const HWND firstGone = round % 2 == 0 ? editors[0] : editors[1];
        const HWND lastGone = round % 2 == 0 ? editors[1] : editors[0];
        guiOf(closesFirst).destroy(&closesFirst.plugin());
        EXPECT_FALSE(IsWindow(firstGone));
        EXPECT_TRUE(IsWindow(lastGone));
        EXPECT_TRUE(editorClassRegistered());
        if (lastGone == editors[0]) {
            EXPECT_TRUE(guiOf(first).show(&first.plugin()));
        }
        EXPECT_GT(countDisplayTicks(lastGone, kTickMs), 0);
        guiOf(closesLast).destroy(&closesLast.plugin());
        EXPECT_FALSE(IsWindow(lastGone));
        // The last editor of the module takes the window class with it.
        EXPECT_FALSE(editorClassRegistered());
        EXPECT_EQ(firstHost.editor(), nullptr);
        EXPECT_EQ(secondHost.editor(), nullptr);
        pumpMessages(20);
    }
}

TEST_F(ClapWindowsEditor, AHostWithoutTimerSupportStillGetsATickingEditor) {
    ClapInstance instance;
    instance.record().noEditorServices = true;
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin CLAP no timers");
    const HWND editor = open(instance, host);
    expectEditorIn(editor, host);
    EXPECT_GT(countDisplayTicks(editor, kTickMs), 0);
    guiOf(instance).destroy(&instance.plugin());
    EXPECT_FALSE(IsWindow(editor));
}

TEST_F(ClapWindowsEditor, DrawsInitAsTheVst2EditorDoes) {
    const Picture reference = referencePicture("init-under-wine");
    ASSERT_EQ(reference.width, kEditorWidth) << "no reference picture init-under-wine";
    ClapInstance instance;
    ASSERT_TRUE(instance.loadPreset(0));  // Init
    HostWindow host(kEditorWidth, kEditorHeight, "Velmorin CLAP picture");
    const HWND editor = open(instance, host);
    const Picture window = pictureAfterFirstTick(editor);
    guiOf(instance).destroy(&instance.plugin());
    expectSameEditorPicture(window, reference, "clap-init");
}

class ClapWindowsEditorInput : public ClapWindowsEditor {
  protected:
    void SetUp() override {
        editor = open(instance, host);
        ASSERT_NE(editor, nullptr);
        pumpMessages(kTickMs);  // the first tick shows the stored values
        ASSERT_TRUE(instance.flushOutput().empty());
    }
    void TearDown() override { guiOf(instance).destroy(&instance.plugin()); }

    void post(UINT message, WPARAM keys, int x, int y) {
        PostMessageA(editor, message, keys, MAKELPARAM(x, y));
    }

    ClapInstance instance;
    HostWindow host{kEditorWidth, kEditorHeight, "Velmorin CLAP input"};
    HWND editor = nullptr;
};

TEST_F(ClapWindowsEditorInput, AClickReachesTheHostAsAGesture) {
    // The High band's On lamp, as the Linux CLAP gui test clicks it.
    post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 175);
    post(WM_LBUTTONUP, 0, 20, 175);
    pumpMessages(kTickMs);
    EXPECT_GT(instance.record().flushRequests, 0);
    const std::vector<OutputEvent> sent = instance.flushOutput();
    ASSERT_EQ(sent.size(), 3u);
    const clap_id id = sent[0].id;
    const std::vector<OutputEvent> expected = {
        {CLAP_EVENT_PARAM_GESTURE_BEGIN, id, 0.0},
        {CLAP_EVENT_PARAM_VALUE, id, instance.value(id)},
        {CLAP_EVENT_PARAM_GESTURE_END, id, 0.0},
    };
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(instance.flushOutput().empty());  // sent once
}

TEST_F(ClapWindowsEditorInput, ADragReachesTheHostAsOneGestureOfValues) {
    // Init holds ThrH at 20 steps: the press on its cap takes the value under
    // the pointer, the moves drag it (as the VST 2.4 input test drags it).
    const velmorin::ControlPlace& fader = placeOf(velmorin::kThrH);
    const clap_id id = static_cast<clap_id>(velmorin::kThrH);
    const double before = instance.value(id);
    const int x = fader.x + 4;
    const int cap =
        fader.y + static_cast<int>((20.0f - fader.minimum) / (fader.maximum - fader.minimum) *
                                   static_cast<double>(fader.travel - 1));
    post(WM_LBUTTONDOWN, MK_LBUTTON, x, cap);
    post(WM_MOUSEMOVE, MK_LBUTTON, x, cap + 20);
    post(WM_MOUSEMOVE, MK_LBUTTON, x, cap + 33);
    post(WM_LBUTTONUP, 0, x, cap + 33);
    pumpMessages(kTickMs);
    const std::vector<OutputEvent> sent = instance.flushOutput();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent.front(), (OutputEvent{CLAP_EVENT_PARAM_GESTURE_BEGIN, id, 0.0}));
    EXPECT_EQ(sent.back(), (OutputEvent{CLAP_EVENT_PARAM_GESTURE_END, id, 0.0}));
    for (std::size_t i = 1; i + 1 < sent.size(); ++i) {
        EXPECT_EQ(sent[i].type, CLAP_EVENT_PARAM_VALUE);
        EXPECT_EQ(sent[i].id, id);
    }
    // The last value sent is the one the effect holds, a new one.
    EXPECT_EQ(sent[sent.size() - 2].value, instance.value(id));
    EXPECT_NE(instance.value(id), before);
    EXPECT_TRUE(instance.flushOutput().empty());
}

}  // namespace
