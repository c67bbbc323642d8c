// The gui extension of the built Velmorin.clap: its answers, and the editor
// in a host's window under a private X server, ticked by the host's timer and
// descriptor callbacks, its gestures reaching the host as output events.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "clap/clap_test_host.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace {

constexpr uint32_t kWidth = 654, kHeight = 431;

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

TEST(ClapGui, AnswersForAFixedSize) {
    const ClapInstance instance;
    const clap_plugin_gui_t& gui = guiOf(instance);
    const clap_plugin_t* plugin = &instance.plugin();
    ASSERT_TRUE(gui.create(plugin, CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(gui.create(plugin, CLAP_WINDOW_API_X11, false));  // one editor at a time
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui.get_size(plugin, &width, &height));
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    EXPECT_FALSE(gui.can_resize(plugin));
    EXPECT_FALSE(gui.set_scale(plugin, 2.0));
    clap_gui_resize_hints_t hints{true, true, true, 0, 0};
    ASSERT_TRUE(gui.get_resize_hints(plugin, &hints));
    EXPECT_FALSE(hints.can_resize_horizontally || hints.can_resize_vertically);
    const struct {
        uint32_t width, height;
        bool accepted;
    } sizes[] = {{kWidth, kHeight, true},
                 {kWidth + 1, kHeight, false},
                 {kWidth, kHeight - 1, false},
                 {0, 0, false},
                 {2000, 1000, false}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        EXPECT_EQ(gui.set_size(plugin, size.width, size.height), size.accepted);
        uint32_t w = size.width, h = size.height;
        ASSERT_TRUE(gui.adjust_size(plugin, &w, &h));
        EXPECT_EQ(w, kWidth);
        EXPECT_EQ(h, kHeight);
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
    bool editorIn(xcb_window_t parent) {
        return client.eventually([&] {
            const std::vector<xcb_window_t> children = client.children(parent);
            return children.size() == 1 &&
                   client.size(children[0]) == std::pair<int, int>(kWidth, kHeight);
        });
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
