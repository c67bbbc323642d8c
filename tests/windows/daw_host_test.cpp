// The Windows plug-in as a host drives it, in real windows: the editor opens
// in a window of the host, paints what the software canvas paints, lives
// beside the audio thread, and survives hosts that close things in any order.
// Run under Wine with an X server (see windows_editor.sh).
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "editor/context_menu.h"
#include "editor/layout.h"
#include "support/loaded_plugin.h"
#include "windows/host_window.h"
#include "windows/version_record.h"

namespace {

using velmorin::kEditorHeight;
using velmorin::kEditorWidth;

constexpr const char* kPreferenceKey = "Software\\QuandorPlugIns\\Velmorin";

bool openEditor(const Plugin& plugin, HWND parent) {
    return plugin.dispatch(effEditOpen, 0, 0, parent) == 1;
}

// The window class exists while at least one editor of the process is open.
bool editorClassRegistered() {
    WNDCLASSA windowClass{};
    return GetClassInfoA(GetModuleHandleA("Velmorin.dll"), "Velmorin", &windowClass) != 0;
}

// Plays a two-tone mix through the effect in 512-frame blocks until stopped,
// as a host's audio thread does.
class AudioThread {
  public:
    explicit AudioThread(const Plugin& plugin)
        : thread_([this, &plugin] {
              constexpr int kFrames = 512;
              std::vector<float> left(kFrames), right(kFrames), outLeft(kFrames), outRight(kFrames);
              long frame = 0;
              while (!stop_) {
                  for (int i = 0; i < kFrames; ++i, ++frame) {
                      const float t = static_cast<float>(frame) / 44100.0f;
                      left[i] = 0.5f * std::sin(2.0f * 3.14159265f * 110.0f * t);
                      right[i] = 0.3f * std::sin(2.0f * 3.14159265f * 2500.0f * t);
                  }
                  plugin.process(left.data(), right.data(), outLeft.data(), outRight.data(),
                                 kFrames);
                  for (int i = 0; i < kFrames; ++i)
                      if (!std::isfinite(outLeft[i]) || !std::isfinite(outRight[i]))
                          finite_ = false;
                  ++blocks_;
              }
          }) {}
    ~AudioThread() { stop(); }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int blocks() const { return blocks_; }
    bool finite() const { return finite_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<int> blocks_{0};
    std::atomic<bool> finite_{true};
    std::thread thread_;
};

TEST(WindowsEditor, OpensInTheHostsWindowAndRunsBesideTheAudioThread) {
    Plugin plugin;
    EXPECT_EQ(plugin.effect()->flags, 0x11);
    ERect* rect = nullptr;
    ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, kEditorHeight);
    EXPECT_EQ(rect->right, kEditorWidth);

    HostWindow host(rect->right, rect->bottom, "Velmorin host");
    plugin.dispatch(effMainsChanged, 0, 1);
    ASSERT_TRUE(openEditor(plugin, host.handle()));
    const HWND editor = host.editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(reinterpret_cast<void*>(GetWindowLongPtrA(editor, GWLP_USERDATA)),
              plugin.effect()->object);
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, kEditorWidth);
    EXPECT_EQ(client.bottom, kEditorHeight);
    // The value boxes: hidden EDIT children, one per fader.
    int editBoxes = 0;
    for (HWND child = FindWindowExA(editor, nullptr, "Edit", nullptr); child;
         child = FindWindowExA(editor, child, "Edit", nullptr)) {
        ++editBoxes;
        EXPECT_FALSE(IsWindowVisible(child));
    }
    EXPECT_EQ(editBoxes, 11);

    AudioThread audio(plugin);
    pumpMessages(800, {&plugin});
    audio.stop();
    EXPECT_GT(audio.blocks(), 10);
    EXPECT_TRUE(audio.finite());
    EXPECT_TRUE(IsWindow(editor));

    plugin.dispatch(effEditClose);
    // The last editor of the process takes every editor window with it.
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(editorClassRegistered());
}

// Hosts open and close editors of several effects in any order; an editor
// closed while another stays open leaves its window to the host.
TEST(WindowsEditor, TwoEditorsCloseInEitherOrder) {
    Plugin first, second;
    HostWindow firstHost(kEditorWidth, kEditorHeight, "first");
    HostWindow secondHost(kEditorWidth, kEditorHeight, "second");
    for (const bool firstClosesFirst : {true, false}) {
        SCOPED_TRACE(firstClosesFirst ? "first closes first" : "second closes first");
        ASSERT_TRUE(openEditor(first, firstHost.handle()));
        ASSERT_TRUE(openEditor(second, secondHost.handle()));
        const HWND firstEditor = firstHost.editor(), secondEditor = secondHost.editor();
        ASSERT_TRUE(firstEditor && secondEditor);
        pumpMessages(300, {&first, &second});

        const Plugin& early = firstClosesFirst ? first : second;
        const Plugin& late = firstClosesFirst ? second : first;
        early.dispatch(effEditClose);
        EXPECT_TRUE(editorClassRegistered());
        EXPECT_TRUE(IsWindow(firstEditor) && IsWindow(secondEditor));
        pumpMessages(300, {&first, &second});  // the closed one's window gets messages still
        late.dispatch(effEditClose);
        EXPECT_FALSE(IsWindow(firstEditor) || IsWindow(secondEditor));
        EXPECT_FALSE(editorClassRegistered());
        pumpMessages(50);
    }
}

TEST(WindowsEditor, SurvivesHostsThatCloseThingsInAnyOrder) {
    {
        SCOPED_TRACE("the host destroys its window before closing the editor");
        Plugin plugin;
        HostWindow host(kEditorWidth, kEditorHeight, "host");
        ASSERT_TRUE(openEditor(plugin, host.handle()));
        host.destroy();
        EXPECT_FALSE(editorClassRegistered());
        EXPECT_EQ(plugin.dispatch(effEditClose), 0);
        EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
        HostWindow again(kEditorWidth, kEditorHeight, "host again");
        EXPECT_TRUE(openEditor(plugin, again.handle()));
        pumpMessages(200, {&plugin});
        plugin.dispatch(effEditClose);
    }
    {
        SCOPED_TRACE("close twice, idle without an editor");
        Plugin plugin;
        EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
        HostWindow host(kEditorWidth, kEditorHeight, "host");
        ASSERT_TRUE(openEditor(plugin, host.handle()));
        plugin.dispatch(effEditClose);
        EXPECT_EQ(plugin.dispatch(effEditClose), 0);
        EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
    }
    {
        SCOPED_TRACE("the effect is closed with its editor open");
        Plugin plugin, other;
        HostWindow host(kEditorWidth, kEditorHeight, "host");
        HostWindow otherHost(kEditorWidth, kEditorHeight, "other host");
        ASSERT_TRUE(openEditor(plugin, host.handle()));
        ASSERT_TRUE(openEditor(other, otherHost.handle()));
        const HWND editor = host.editor();
        EXPECT_EQ(plugin.close(), 1);
        // Its window stays with the host; messages that reach it find no effect.
        InvalidateRect(editor, nullptr, TRUE);
        pumpMessages(300, {&other});
        EXPECT_TRUE(editorClassRegistered());
        other.dispatch(effEditClose);
        EXPECT_FALSE(editorClassRegistered());
    }
}

TEST(WindowsEditor, RefusesParentsThatAreNoWindows) {
    Plugin plugin;
    HWND dead = nullptr;
    {
        HostWindow gone(100, 100, "gone");
        dead = gone.handle();
    }
    for (HWND parent : {HWND{nullptr}, reinterpret_cast<HWND>(std::uintptr_t{0xDEAD0}), dead}) {
        EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, parent), 0);
        EXPECT_FALSE(editorClassRegistered());  // nothing left behind
        EXPECT_EQ(plugin.dispatch(effEditClose), 0);
    }
    HostWindow host(kEditorWidth, kEditorHeight, "host");
    EXPECT_TRUE(openEditor(plugin, host.handle()));
    plugin.dispatch(effEditClose);
}

// Preferences stored by an earlier editor decide how the next one starts;
// a stored value of the wrong kind is passed over.
TEST(WindowsEditor, StartsWithTheStoredPreferences) {
    struct Case {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
        float expectedZoom;  // in stored units
    };
    const std::vector<Case> cases = {
        {"zoom range 1x - 16x raises zoom 1 to 2", REG_DWORD, {2, 0, 0, 0}, 2.0f},
        {"a text where a number belongs", REG_SZ, {'2', 0}, 1.0f},
        {"two bytes where four belong", REG_DWORD, {2, 0}, 1.0f},
        {"a binary value", REG_BINARY, {2, 0, 0, 0}, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegDeleteKeyA(HKEY_CURRENT_USER, kPreferenceKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPreferenceKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "subWZ", 0, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
        RegCloseKey(key);

        Plugin plugin;
        plugin.set(velmorin::kZoomH, 1.0f);  // stored units: the narrowest zoom
        Plugin reference;
        reference.set(velmorin::kZoomH, c.expectedZoom);
        HostWindow host(kEditorWidth, kEditorHeight, "host");
        ASSERT_TRUE(openEditor(plugin, host.handle()));
        EXPECT_FLOAT_EQ(plugin.get(velmorin::kZoomH), reference.get(velmorin::kZoomH));
        plugin.dispatch(effEditClose);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kPreferenceKey);
}

}  // namespace

namespace {

// Walks a real menu and its description side by side.
void expectSameMenu(HMENU menu, const platform::MenuDescription& items) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const platform::MenuItemDescription& item = items[static_cast<std::size_t>(i)];
        SCOPED_TRACE(item.text);
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
        switch (item.kind) {
            case platform::MenuItemDescription::Kind::Separator:
                EXPECT_TRUE(info.fType & MFT_SEPARATOR);
                break;
            case platform::MenuItemDescription::Kind::Command:
                EXPECT_EQ(std::string(text), item.text);
                EXPECT_EQ(info.wID, item.id);
                EXPECT_EQ(info.hSubMenu, nullptr);
                break;
            case platform::MenuItemDescription::Kind::Popup:
                EXPECT_EQ(std::string(text), item.text);
                ASSERT_NE(info.hSubMenu, nullptr);
                expectSameMenu(info.hSubMenu, item.children);
                break;
        }
    }
}

// The menu resource and the commands the editor handles come from one table.
TEST(WindowsModule, MenuResourceHoldsTheContextMenu) {
    Plugin plugin;  // the module stays loaded
    const HMENU menu = LoadMenuA(GetModuleHandleA("Velmorin.dll"),
                                 MAKEINTRESOURCEA(velmorin::kContextMenuResource));
    ASSERT_NE(menu, nullptr);
    expectSameMenu(menu, velmorin::contextMenuDescription());
    DestroyMenu(menu);
}

TEST(WindowsModule, VersionRecordNamesTheEffect) {
    Plugin plugin;
    const auto text = [](const char* name) {
        return versionText(GetModuleHandleA("Velmorin.dll"), name);
    };
    EXPECT_EQ(text("ProductName"), "Velmorin");
    EXPECT_EQ(text("CompanyName"), "QuandorWeb");
    EXPECT_EQ(text("OriginalFilename"), "Velmorin.dll");
    EXPECT_EQ(text("FileVersion"), VELMORIN_VERSION);
}

}  // namespace
