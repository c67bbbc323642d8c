// The built Velmorin.so worked by real input through an X server: clicks,
// a drag, Ctrl and Shift clicks, a typed value and context-menu choices
// (also on a desktop at 2.0, where the editor and its menu open twice as
// large). The effect's parameters, the automation reports its host receives
// and the preference file show what each did.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "editor/context_menu.h"
#include "editor/layout.h"
#include "platform/scale.h"
#include "platform/x11/menu_panel.h"
#include "support/loaded_plugin.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

struct Report {
    int32_t index;
    float value;
    friend bool operator==(const Report&, const Report&) = default;
};

class EditorInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        fs::remove_all(config);
        fs::create_directories(config);
        // Read when the plug-in's first editor is made: before the effect.
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        // The desktop's scale, as its settings daemon publishes it.
        client.loadResources("Xft.dpi:\t" + std::to_string(96 * scale().quarters() / 4) + "\n");
        plugin = std::make_unique<Plugin>();
        host = client.createParent(kHostX, kHostY, scale().device(kEditorWidth),
                                   scale().device(kEditorHeight));
        ASSERT_EQ(plugin->dispatch(effEditOpen, 0, 0,
                                   reinterpret_cast<void*>(static_cast<std::uintptr_t>(host))),
                  1);
    }
    void TearDown() override {
        plugin->dispatch(effEditClose);
        plugin.reset();
        fs::remove_all(config);
    }

    // The host's idle calls, with time for the server's events between them.
    void idle(int passes = 4) {
        for (int i = 0; i < passes; ++i) {
            client.sync();
            plugin->dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    // Past the next timer tick: the controls show the stored values.
    void tick() {
        std::this_thread::sleep_for(std::chrono::milliseconds(180));
        idle();
    }
    // The desktop's scale the editor opens at.
    virtual platform::Scale scale() const { return {}; }
    // The pointer over the editor's logical pixel (x, y).
    void moveOver(int x, int y) {
        client.moveTo(kHostX + scale().device(x), kHostY + scale().device(y));
    }
    void clickAt(int x, int y, int button = 1) {
        moveOver(x, y);
        client.click(button);
        idle();
    }
    std::vector<Report> reports() const {
        std::vector<Report> out;
        for (const HostCall& call : RecordingHost::calls())
            if (call.opcode == audioMasterAutomate) out.push_back({call.index, call.opt});
        return out;
    }
    std::string preferences() const {
        std::ifstream in(config / "velmorin" / "preferences");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // A menu item's middle on the screen, from the layout the menu draws in
    // logical pixels.
    platform::Point itemOf(const platform::MenuItemDescription& popup, int index,
                           platform::Point levelOrigin) const {
        const platform::x11::MenuPanel panel(popup.children, {});
        return {levelOrigin.x + scale().device(30),
                levelOrigin.y + scale().device(panel.itemTop(index) + 8)};
    }
    platform::Point submenuOrigin(const platform::MenuItemDescription& popup, int index,
                                  platform::Point levelOrigin) const {
        const platform::x11::MenuPanel panel(popup.children, {});
        return {levelOrigin.x + scale().device(panel.width()) - scale().device(3),
                levelOrigin.y + scale().device(panel.itemTop(index)) - scale().device(2)};
    }

    static constexpr int kHostX = 40, kHostY = 30;
    VirtualXServer server;
    XClient client;
    fs::path config = fs::temp_directory_path() / ("velmorin-input-" + std::to_string(getpid()));
    std::unique_ptr<Plugin> plugin;
    xcb_window_t host = 0;
};

class DesktopScaleTest : public EditorInputTest, public ::testing::WithParamInterface<int> {
  protected:
    platform::Scale scale() const override { return platform::Scale::ofQuarters(GetParam()); }
};

TEST_P(DesktopScaleTest, ClicksDragsAndModifierClicksReachTheEffectAndItsHost) {
    plugin->set(kThrH, 42.0f);  // stored steps: the cap at row 60 + 33
    for (ParameterIndex on : {kHighOn, kMidOn, kLowOn}) plugin->set(on, 0.0f);
    tick();
    RecordingHost::calls().clear();

    clickAt(70, 113);  // below the cap: one step down
    clickAt(70, 74);   // above it: one step up again
    // A drag from the cap to the bottom of its travel.
    moveOver(70, 93);
    client.button(1, true);
    idle();
    moveOver(75, 300);
    idle();
    client.button(1, false);
    idle();

    // Ctrl sets the three bands' On alike, Shift the other two the other way.
    client.key(kSymControl, true);
    clickAt(20, 175);
    client.key(kSymControl, false);
    tick();  // the lamps show what the host now stores
    client.key(kSymShift, true);
    clickAt(20, 175);
    client.key(kSymShift, false);
    EXPECT_EQ(plugin->get(kMidOn), 0.0f);
    EXPECT_EQ(plugin->get(kHighOn), 1.0f);
    EXPECT_EQ(plugin->get(kLowOn), 1.0f);

    const std::vector<Report> expected = {
        {kThrH, 43.0f / 72.0f},
        {kThrH, 42.0f / 72.0f},
        {kThrH, 42.0f / 72.0f},
        {kThrH, 0.99999f},
        {kMidOn, 1},
        {kHighOn, 1},
        {kLowOn, 1},
        {kMidOn, 0},
        {kHighOn, 1},
        {kLowOn, 1},
    };
    EXPECT_EQ(reports(), expected);
}

TEST_P(DesktopScaleTest, TypedValueIsCommittedByEnter) {
    tick();
    RecordingHost::calls().clear();
    const ValueBoxPlace output = kValueBoxPlaces[0];
    ASSERT_EQ(output.parameter, kOutput);
    clickAt(output.x + 20, output.y + 7);  // the read-out opens its value box
    client.type("3");
    client.tap(kSymReturn);
    idle();
    EXPECT_EQ(plugin->display(kOutput), "3.00");
    EXPECT_EQ(reports(), (std::vector<Report>{{kOutput, 21000.0f / 24000.0f}}));
}

TEST_P(DesktopScaleTest, ContextMenuChoicesAreAppliedAndStored) {
    tick();
    const platform::MenuItemDescription& menu = contextMenuDescription()[0];
    const auto choose = [&](int item, int command) {
        const platform::Point at{kHostX + 300, kHostY + 200};
        client.moveTo(at.x, at.y);
        client.click(3);  // the menu opens where the button was let go
        idle();
        const platform::Point over = itemOf(menu, item, at);
        client.moveTo(over.x, over.y);  // over a submenu's item: it opens
        idle();
        const platform::Point sub = submenuOrigin(menu, item, at);
        const platform::Point target =
            itemOf(menu.children[static_cast<std::size_t>(item)], command, sub);
        client.moveTo(target.x, target.y);
        client.click();
        idle();
    };
    choose(5, 0);  // Display speed: Slow
    choose(0, 1);  // DC Removal: Off
    const std::string stored = preferences();
    EXPECT_NE(stored.find("subDS=1"), std::string::npos) << stored;
    EXPECT_NE(stored.find("subDC=0"), std::string::npos) << stored;

    // Escape closes the menu and nothing changes.
    client.moveTo(kHostX + 300, kHostY + 200);
    client.click(3);
    idle();
    client.tap(kSymEscape);
    idle();
    EXPECT_EQ(preferences(), stored);

    // "Info" opens the information window: a top-level window of its own.
    const std::size_t topLevels = client.children(client.root()).size();
    const platform::Point at{kHostX + 300, kHostY + 200};
    client.moveTo(at.x, at.y);
    client.click(3);
    idle();
    const platform::Point info = itemOf(menu, 7, at);
    client.moveTo(info.x, info.y);
    client.click();
    idle();
    EXPECT_EQ(client.children(client.root()).size(), topLevels + 1);
}

INSTANTIATE_TEST_SUITE_P(DesktopScale, DesktopScaleTest, ::testing::Values(4, 8),
                         [](const auto& info) { return std::to_string(info.param * 25); });

}  // namespace
}  // namespace velmorin
