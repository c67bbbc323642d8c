// The gui extension of the built Velmorin.clap: its answers, and the editor
// in a host's window under a private X server, ticked by the host's timer and
// descriptor callbacks, its gestures reaching the host as output events.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "clap/clap_test_host.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace {

constexpr uint32_t kWidth = 654, kHeight = 431;

// A size the user chose in another test run must not change these: the
// module keeps its preferences in a folder of this process's own.
const bool kOwnPreferences = [] {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("velmorin-clap-gui-" + std::to_string(getpid())))
            .string();
    return setenv("XDG_CONFIG_HOME", folder.c_str(), 1) == 0;
}();

const clap_plugin_gui_t& guiOf(const ClapInstance& instance) {
    return instance.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
}

TEST(ClapGui, OffersOnlyAnEmbeddedX11Window) {
    const ClapInstance instance;
    const clap_plugin_gui_t& gui = guiOf(instance);
    const struct {
        const char* api;
        bool floating;
        bool supported;
    } cases[] = {
        {CLAP_WINDOW_API_X11, false, true},      {CLAP_WINDOW_API_X11, true, false},
        {CLAP_WINDOW_API_WAYLAND, false, false}, {CLAP_WINDOW_API_WIN32, false, false},
        {CLAP_WINDOW_API_COCOA, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.api) + (c.floating ? " floating" : " embedded"));
        EXPECT_EQ(gui.is_api_supported(&instance.plugin(), c.api, c.floating), c.supported);
        EXPECT_EQ(gui.create(&instance.plugin(), c.api, c.floating), c.supported);
        gui.destroy(&instance.plugin());
    }
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui.get_preferred_api(&instance.plugin(), &api, &floating));
    EXPECT_STREQ(api, CLAP_WINDOW_API_X11);
    EXPECT_FALSE(floating);
}

TEST(ClapGui, AnswersForItsSizeAtTheHostsScale) {
    // The desktop's own factor is 1.0 without a display.
    unsetenv("DISPLAY");
    unsetenv("GDK_SCALE");
    const ClapInstance instance;
    const clap_plugin_gui_t& gui = guiOf(instance);
    const clap_plugin_t* plugin = &instance.plugin();
    ASSERT_TRUE(gui.create(plugin, CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(gui.create(plugin, CLAP_WINDOW_API_X11, false));  // one editor at a time
    EXPECT_FALSE(gui.can_resize(plugin));
    const struct {
        double scale;
        bool accepted;
        uint32_t width, height;
    } cases[] = {
        {1.0, true, kWidth, kHeight}, {2.0, true, 1308, 862},
        {1.4, true, 981, 647},        {3.5, true, 1962, 1293},  // snapped, capped
        {NAN, false, 1962, 1293},     {0.0, false, 1962, 1293},
        {-2.0, false, 1962, 1293},    {1.25, true, 818, 539},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("scale " + std::to_string(c.scale));
        EXPECT_EQ(gui.set_scale(plugin, c.scale), c.accepted);
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(gui.get_size(plugin, &width, &height));
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        clap_gui_resize_hints_t hints{true, true, false, 0, 0};
        ASSERT_TRUE(gui.get_resize_hints(plugin, &hints));
        EXPECT_FALSE(hints.can_resize_horizontally || hints.can_resize_vertically);
        // Only the size of the scale is taken; any other is adjusted to it.
        for (const auto& [w, h] : {std::pair{c.width, c.height},
                                   {c.width + 1, c.height},
                                   {c.width, c.height - 1},
                                   {0u, 0u},
                                   {4000u, 3000u}}) {
            EXPECT_EQ(gui.set_size(plugin, w, h), w == c.width && h == c.height);
            uint32_t adjustedWidth = w, adjustedHeight = h;
            ASSERT_TRUE(gui.adjust_size(plugin, &adjustedWidth, &adjustedHeight));
            EXPECT_EQ(adjustedWidth, c.width);
            EXPECT_EQ(adjustedHeight, c.height);
        }
    }
    // No window yet: nothing to show.
    EXPECT_FALSE(gui.show(plugin));
    gui.destroy(plugin);
}

class ClapGuiWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.running()); }

    // Creates the editor in a fresh parent window of the host, shown.
    xcb_window_t open(const ClapInstance& instance) {
        const clap_plugin_gui_t& gui = guiOf(instance);
        const xcb_window_t parent = client.createParent(10, 10, kWidth, kHeight);
        clap_window_t window{};
        window.api = CLAP_WINDOW_API_X11;
        window.x11 = parent;
        EXPECT_TRUE(gui.create(&instance.plugin(), CLAP_WINDOW_API_X11, false));
        EXPECT_TRUE(gui.set_parent(&instance.plugin(), &window));
        EXPECT_TRUE(gui.show(&instance.plugin()));
        return parent;
    }
    // The host's callbacks, as its timer and its watch on the descriptor fire.
    void tick(const ClapInstance& instance, int passes = 4) {
        const auto& timers =
            instance.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
        const auto& fds =
            instance.extension<clap_plugin_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
        for (int i = 0; i < passes; ++i) {
            client.sync();
            for (const auto& [id, period] : instance.record().timers)
                timers.on_timer(&instance.plugin(), id);
            for (int fd : instance.record().fds)
                fds.on_fd(&instance.plugin(), fd, CLAP_POSIX_FD_READ);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    bool editorIn(xcb_window_t parent, std::pair<int, int> size = {kWidth, kHeight}) {
        return client.holdsOneChildOfSize(parent, size);
    }

    VirtualXServer server;
    XClient client;
};

TEST_F(ClapGuiWindow, TwoInstancesOpenAndCloseTheirEditorsRepeatedly) {
    ClapInstance first, second;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const xcb_window_t parents[] = {open(first), open(second)};
        for (const ClapInstance* instance : {&first, &second}) {
            // The editor's timer period (125 ms by default) and the X connection.
            EXPECT_EQ(instance->record().timers.size(), 1u);
            for (const auto& [id, period] : instance->record().timers) EXPECT_EQ(period, 125u);
            EXPECT_EQ(instance->record().fds.size(), 1u);
            tick(*instance);
        }
        EXPECT_TRUE(editorIn(parents[0]));
        EXPECT_TRUE(editorIn(parents[1]));
        EXPECT_TRUE(guiOf(first).hide(&first.plugin()));
        guiOf(first).destroy(&first.plugin());
        EXPECT_TRUE(first.record().timers.empty());
        EXPECT_TRUE(first.record().fds.empty());
        EXPECT_TRUE(client.eventually([&] { return client.children(parents[0]).empty(); }));
        EXPECT_TRUE(editorIn(parents[1]));  // the other editor stays
        guiOf(second).destroy(&second.plugin());
        EXPECT_TRUE(second.record().timers.empty());
        EXPECT_TRUE(client.eventually([&] { return client.children(parents[1]).empty(); }));
        for (xcb_window_t parent : parents) client.destroy(parent);
    }
}

TEST_F(ClapGuiWindow, AHostWithoutTimersOrDescriptorsStillGetsTheEditor) {
    ClapInstance instance;
    instance.record().noEditorServices = true;
    const xcb_window_t parent = open(instance);
    EXPECT_TRUE(instance.record().timers.empty());
    EXPECT_TRUE(instance.record().fds.empty());
    EXPECT_TRUE(editorIn(parent));
    guiOf(instance).destroy(&instance.plugin());
    EXPECT_TRUE(client.eventually([&] { return client.children(parent).empty(); }));
}

TEST_F(ClapGuiWindow, TheOpenEditorFollowsTheHostsScale) {
    ClapInstance instance;
    const xcb_window_t parent = open(instance);
    EXPECT_TRUE(editorIn(parent));
    ASSERT_TRUE(guiOf(instance).set_scale(&instance.plugin(), 2.0));
    tick(instance);
    EXPECT_TRUE(editorIn(parent, {1308, 862}));
    guiOf(instance).destroy(&instance.plugin());
}

TEST_F(ClapGuiWindow, AClickInTheEditorReachesTheHostAsAGesture) {
    ClapInstance instance;
    open(instance);
    tick(instance);
    ASSERT_TRUE(instance.flushOutput().empty());
    // The High band's On lamp, as the X11 editor tests click it.
    client.moveTo(10 + 20, 10 + 175);
    client.click();
    tick(instance);
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
    guiOf(instance).destroy(&instance.plugin());
}

}  // namespace
