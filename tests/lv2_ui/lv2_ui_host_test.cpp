// The UI loaded as hosts load it: the bundle discovered through lilv, the
// plug-in instantiated and run block by block on the dense test mix, its UI
// instantiated through suil in an X11 parent window of the test's own under
// a private X server, every output port forwarded to the UI after each block
// and the UI's idle called. The editor shows at its size, its meters move,
// outside what moves it shows the headless picture (the screenshot in docs/formats.md
// is what it shows then), a click on one of its lamps reaches the host's port
// inside a touch gesture, and under Normalize the host's Output port follows
// the engine's gain.
#include <lv2/atom/util.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <suil/suil.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dense_mix.h"
#include "editor/layout.h"
#include "engine/parameter_mapping.h"
#include "formats/lv2/display_feed_reader.h"
#include "formats/lv2/lv2_identity.h"
#include "lv2_bundle/lilv_host.h"
#include "params/shown_value.h"
#include "platform/soft/file_preference_store.h"
#include "snapshot/editor_snapshot.h"
#include "snapshot/png_file.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace {

using namespace velmorin;

// Where the display feed moves the picture: wave displays, gain strips, the
// output meter and the level readout.
bool moves(int x, int y) {
    const auto within = [x, y](Place place, int width, int height) {
        return x >= place.x && x < place.x + width && y >= place.y && y < place.y + height;
    };
    for (const Place place : kDisplayPlaces) {
        if (within(place, kDisplayWidth, kDisplayHeight)) return true;
    }
    for (const Place place : kGainStripPlaces) {
        if (within(place, kGainStripWidth, kGainStripHeight)) return true;
    }
    return within(kOutputMeterPlace, kOutputMeterWidth, kOutputMeterHeight) ||
           within(kLevelReadoutSkin, kLevelReadoutSkinWidth, kLevelReadoutSkinHeight);
}

using Pixels = std::vector<platform::Colour>;

size_t stillPixelsDiffering(const Pixels& shown, const platform::PixelBuffer& expected) {
    size_t differing = 0;
    for (int y = 0; y < kEditorHeight; ++y) {
        for (int x = 0; x < kEditorWidth; ++x) {
            differing += !moves(x, y) && !(shown[y * kEditorWidth + x] == expected.at(x, y));
        }
    }
    return differing;
}

size_t movingPixelsChanged(const Pixels& before, const Pixels& after) {
    size_t changed = 0;
    for (int y = 0; y < kEditorHeight; ++y) {
        for (int x = 0; x < kEditorWidth; ++x) {
            changed +=
                moves(x, y) && !(before[y * kEditorWidth + x] == after[y * kEditorWidth + x]);
        }
    }
    return changed;
}

// The UI this host can show: lilv picks it as hosts do, with suil telling
// which widget types it embeds in an X11 window.
struct UiChoice {
    std::string uri, type, bundlePath, binaryPath;
};

std::string pathOf(const LilvNode* fileUri) {
    char* path = lilv_file_uri_parse(lilv_node_as_uri(fileUri), nullptr);
    std::string copy = path ? path : "";
    lilv_free(path);
    return copy;
}

std::optional<UiChoice> chooseUi(LilvBundle& bundle) {
    LilvUIs* uis = lilv_plugin_get_uis(bundle.plugin());
    LilvNode* container = bundle.node(LV2_UI__X11UI);
    std::optional<UiChoice> chosen;
    LILV_FOREACH(uis, i, uis) {
        const LilvUI* ui = lilv_uis_get(uis, i);
        const LilvNode* type = nullptr;
        if (chosen || !lilv_ui_is_supported(ui, suil_ui_supported, container, &type)) continue;
        chosen = UiChoice{lilv_node_as_uri(lilv_ui_get_uri(ui)), lilv_node_as_uri(type),
                          pathOf(lilv_ui_get_bundle_uri(ui)), pathOf(lilv_ui_get_binary_uri(ui))};
    }
    lilv_node_free(container);
    lilv_uis_free(uis);
    return chosen;
}

// The host's side of the UI: its port writes go into the plug-in's port
// buffers, its touches and its size request are recorded.
struct Controller {
    LilvEffect& effect;
    int width = 0, height = 0;
    int writes = 0;
    struct Touch {
        uint32_t port;
        bool grabbed;
        friend bool operator==(const Touch&, const Touch&) = default;
    };
    std::vector<Touch> touches;
    // The UI keeps the feature for its lifetime.
    LV2UI_Resize resizeFeature{this, Controller::resize};

    static void write(SuilController controller, uint32_t port, uint32_t size, uint32_t protocol,
                      const void* buffer) {
        auto& self = *static_cast<Controller*>(controller);
        ++self.writes;
        const auto& inputs = self.effect.controlPorts(false);
        const bool input = std::find(inputs.begin(), inputs.end(), port) != inputs.end();
        if (protocol == 0 && size == sizeof(float) && input) {
            std::memcpy(&self.effect.control(port), buffer, sizeof(float));
        }
    }
    static void touch(SuilController controller, uint32_t port, bool grabbed) {
        static_cast<Controller*>(controller)->touches.push_back({port, grabbed});
    }
    static int resize(LV2UI_Feature_Handle handle, int width, int height) {
        auto& self = *static_cast<Controller*>(handle);
        self.width = width;
        self.height = height;
        return 0;
    }
};

// The UI in `parent` as suil makes it for a host with the URID map, resize,
// idle and, when given, options features.
SuilInstance* instantiate(SuilHost* host, LilvBundle& bundle, const UiChoice& choice,
                          Controller& controller, xcb_window_t parent,
                          const LV2_Options_Option* options = nullptr) {
    const LV2_Feature mapFeature{LV2_URID__map, bundle.map()};
    const LV2_Feature unmapFeature{LV2_URID__unmap, bundle.unmap()};
    const LV2_Feature parentFeature{LV2_UI__parent,
                                    reinterpret_cast<void*>(static_cast<uintptr_t>(parent))};
    const LV2_Feature resizeFeature{LV2_UI__resize, &controller.resizeFeature};
    const LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
    const LV2_Feature optionsFeature{LV2_OPTIONS__options,
                                     const_cast<LV2_Options_Option*>(options)};
    const LV2_Feature* features[] = {&mapFeature,    &unmapFeature,
                                     &parentFeature, &resizeFeature,
                                     &idleFeature,   options ? &optionsFeature : nullptr,
                                     nullptr};
    return suil_instance_new(host, &controller, LV2_UI__X11UI, lv2::kPluginUri, choice.uri.c_str(),
                             choice.type.c_str(), choice.bundlePath.c_str(),
                             choice.binaryPath.c_str(), features);
}

// A host of our own around the UI: a private X server, the host's parent
// window sized for the editor at 1.0, the bundle, and the plug-in whose
// ports the UI writes.
class Lv2UiHost : public testing::Test {
  protected:
    void SetUp() override {
        // A new user's display preferences, as the headless picture has them.
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
        ASSERT_TRUE(server.running());
        ASSERT_TRUE(client.connected());
        ASSERT_TRUE(choice) << "no UI this host can embed";
        parent = client.createParent(0, 0, kEditorWidth, kEditorHeight);
        suil_host_set_touch_func(host, Controller::touch);
    }
    void TearDown() override {
        close();
        suil_host_free(host);
        std::filesystem::remove_all(config_);
    }

    // The UI in the parent window, with the host's options where given.
    SuilInstance* open(const LV2_Options_Option* options = nullptr) {
        ui = instantiate(host, bundle, *choice, controller, parent, options);
        return ui;
    }
    void close() {
        if (ui) suil_instance_free(ui);
        ui = nullptr;
    }
    // Idle calls 10 ms apart, so the editor's timer ticks, until `done`.
    void idleFor(
        int steps, const std::function<bool()>& done = [] { return false; }) {
        const auto* idle = static_cast<const LV2UI_Idle_Interface*>(
            suil_instance_extension_data(ui, LV2_UI__idleInterface));
        for (int step = 0; step < steps && !done(); ++step) {
            idle->idle(suil_instance_get_handle(ui));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    const std::filesystem::path config_ =
        std::filesystem::temp_directory_path() / ("velmorin-lv2-ui-" + std::to_string(::getpid()));
    VirtualXServer server;
    XClient client;
    xcb_window_t parent = 0;
    LilvBundle bundle;
    const std::optional<UiChoice> choice = chooseUi(bundle);
    LilvEffect effect{bundle};
    Controller controller{.effect = effect, .touches = {}};
    SuilHost* host = suil_host_new(Controller::write, nullptr, nullptr, nullptr);
    SuilInstance* ui = nullptr;
};

TEST_F(Lv2UiHost, ShowsTheEditorMovesItsMetersAndWritesThroughTheHost) {
    const platform::PixelBuffer expected = snapshot::snapshotEditor(snapshot::Scene{});
    EXPECT_EQ(choice->uri, lv2::kUiUri);
    ASSERT_NE(open(), nullptr);
    const auto* idle = static_cast<const LV2UI_Idle_Interface*>(
        suil_instance_extension_data(ui, LV2_UI__idleInterface));
    ASSERT_NE(idle, nullptr);

    // (a) The editor, at its size, is what the parent window holds.
    EXPECT_EQ(controller.width, kEditorWidth);
    EXPECT_EQ(controller.height, kEditorHeight);
    const auto editor =
        static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(suil_instance_get_widget(ui)));
    EXPECT_EQ(client.children(parent), std::vector<xcb_window_t>{editor});
    EXPECT_EQ(client.size(editor), std::make_pair(kEditorWidth, kEditorHeight));

    // Hosts send every control port's value as the UI opens, then after
    // each block every output port's: the latency and the display feed.
    const auto sendControls = [&](bool outputs) {
        for (const uint32_t port : effect.controlPorts(outputs)) {
            suil_instance_port_event(ui, port, sizeof(float), 0, &effect.control(port));
        }
    };
    sendControls(false);
    sendControls(true);
    const LV2_URID transfer = bundle.map()->map(bundle.map()->handle, LV2_ATOM__eventTransfer);
    const lv2::DisplayFeedReader reader(bundle.map());
    float engineGain = 0.0f;  // the output gain the last feed reported
    constexpr size_t kBlock = 512;
    const StereoSignal mix = denseMix(5 * 44100);
    size_t played = 0;
    // One idle call per step, 10 ms apart, so the editor's timer ticks.
    const auto run = [&](int steps, bool audio) {
        for (int step = 0; step < steps; ++step) {
            if (audio) {
                std::vector<float> left(kBlock), right(kBlock), outLeft, outRight;
                for (size_t i = 0; i < kBlock; ++i, played = (played + 1) % mix.left.size()) {
                    left[i] = mix.left[played];
                    right[i] = mix.right[played];
                }
                effect.process(left, right, outLeft, outRight, kBlock, false);
                sendControls(true);
                LV2_ATOM_SEQUENCE_FOREACH(&effect.displayFeed(), event) {
                    const auto size = static_cast<uint32_t>(sizeof(LV2_Atom) + event->body.size);
                    suil_instance_port_event(ui, lv2::kDisplayFeedPort, size, transfer,
                                             &event->body);
                    if (const auto values = reader.read(&event->body, size)) {
                        engineGain = values->outputGain;
                    }
                }
            }
            EXPECT_EQ(idle->idle(suil_instance_get_handle(ui)), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        client.sync();
    };

    // (b) and (c): silent, then playing.
    run(60, false);
    const Pixels silent = client.pixels(parent, kEditorWidth, kEditorHeight);
    // Opening writes nothing, and neither does showing the feed.
    ASSERT_EQ(controller.writes, 0);
    const int writesOnOpen = controller.writes;
    run(300, true);
    const Pixels playing = client.pixels(parent, kEditorWidth, kEditorHeight);
    EXPECT_GT(movingPixelsChanged(silent, playing), 1000u)
        << "the meters and wave displays did not move";
    EXPECT_EQ(controller.writes, writesOnOpen) << "showing the feed writes nothing to the plug-in";
    EXPECT_EQ(stillPixelsDiffering(silent, expected), 0u);
    EXPECT_EQ(stillPixelsDiffering(playing, expected), 0u);
    platform::PixelBuffer screenshot(kEditorWidth, kEditorHeight);
    screenshot.pixels = playing;
    snapshot::writePng(VELMORIN_LV2_SCREENSHOT, screenshot);

    // (d) A click on the Auto Normalize lamp reaches the host's port,
    // inside a touch gesture.
    const float outputBefore = effect.control(kOutput);
    ASSERT_EQ(effect.control(kNormalize), 0.0f);
    for (const ControlPlace& place : kControlPlaces) {
        if (place.parameter != kNormalize) continue;
        client.moveTo(place.x + place.travel / 2, place.y + place.height / 2);
        client.click();
    }
    client.sync();
    run(10, false);
    EXPECT_EQ(effect.control(kNormalize), 1.0f);
    ASSERT_GE(controller.touches.size(), 2u);
    EXPECT_EQ(controller.touches[0], (Controller::Touch{kNormalize, true}));
    EXPECT_EQ(controller.touches[1], (Controller::Touch{kNormalize, false}));

    // Under Normalize the host's Output port follows the engine's gain.
    run(200, true);
    const float followed = shownValueOf(kOutput, outputValueFor(engineGain));
    for (int wait = 0; wait < 50 && effect.control(kOutput) != followed; ++wait) run(1, false);
    EXPECT_EQ(effect.control(kOutput), followed);
    EXPECT_NE(effect.control(kOutput), outputBefore);

    close();
    EXPECT_TRUE(client.eventually([&] { return client.children(parent).empty(); }));
}

// A saved session's values survive the editor: opening it writes nothing,
// though the user's preferences hold other settings and a zoom range; only a
// zoom the host sends outside that range is corrected, and a gesture writes.
TEST_F(Lv2UiHost, OpeningTheEditorLeavesTheSessionAsItWas) {
    platform::PreferenceRecord preferences;
    preferences.normalizeTarget = 3;
    preferences.dcRemoval = 1;
    preferences.zoomRange = 2;  // 2 to 32: raises a zoom below 2
    platform::FilePreferenceStore(platform::FilePreferenceStore::defaultLocation())
        .write(preferences);
    effect.loadPreset(bundle.presets().at("Carpe Diem"));  // zooms of 5
    effect.control("normalize_target") = 2.0f;
    effect.control("dc_removal") = 0.0f;
    ASSERT_NE(open(), nullptr);
    for (const uint32_t port : effect.controlPorts(false))
        suil_instance_port_event(ui, port, sizeof(float), 0, &effect.control(port));
    idleFor(30);
    EXPECT_EQ(controller.writes, 0);

    effect.control(kZoomL) = 0.0f;
    suil_instance_port_event(ui, kZoomL, sizeof(float), 0, &effect.control(kZoomL));
    EXPECT_EQ(controller.writes, 1);
    EXPECT_EQ(effect.control(kZoomL), 2.0f);

    // The Dither lamp, clicked.
    for (const ControlPlace& place : kControlPlaces) {
        if (place.parameter == kDither) {
            client.moveTo(place.x + place.travel / 2, place.y + place.height / 2);
            client.click();
        }
    }
    client.sync();
    idleFor(10, [&] { return effect.control(kDither) != 0.0f; });
    EXPECT_EQ(effect.control(kDither), 1.0f);
    EXPECT_EQ(effect.control("normalize_target"), 2.0f);
    EXPECT_EQ(effect.control("dc_removal"), 0.0f);
}

// The parent is sized for the editor at 1.0: the window takes each scale's
// size over it.
TEST_F(Lv2UiHost, DrawsAtTheHostsScaleFactorAndFollowsItsChange) {
    LV2_URID_Map* map = bundle.map();
    const LV2_URID scaleFactor = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    float factor = 2.0f;
    const LV2_Options_Option options[] = {
        {LV2_OPTIONS_INSTANCE, 0, scaleFactor, sizeof(float), floatType, &factor},
        {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    ASSERT_NE(open(options), nullptr);
    const auto editor =
        static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(suil_instance_get_widget(ui)));
    EXPECT_EQ(std::make_pair(controller.width, controller.height), std::make_pair(1308, 862));
    EXPECT_TRUE(
        client.eventually([&] { return client.size(editor) == std::make_pair(1308, 862); }));

    const auto* optionsInterface = static_cast<const LV2_Options_Interface*>(
        suil_instance_extension_data(ui, LV2_OPTIONS__interface));
    ASSERT_NE(optionsInterface, nullptr);
    factor = 1.5f;
    EXPECT_EQ(optionsInterface->set(suil_instance_get_handle(ui), options), LV2_OPTIONS_SUCCESS);
    EXPECT_EQ(std::make_pair(controller.width, controller.height), std::make_pair(981, 647));
    EXPECT_TRUE(client.eventually([&] { return client.size(editor) == std::make_pair(981, 647); }));
}

}  // namespace
