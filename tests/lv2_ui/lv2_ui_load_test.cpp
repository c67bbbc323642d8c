// The UI loaded as hosts load it: found through lilv, its binary opened and
// instantiated in a real X parent window under a private X server, pumped on
// idle calls and fed the display feed the plug-in writes while audio runs;
// outside what moves it shows the headless picture, and the README's
// screenshot is what it shows then.
#include <dlfcn.h>
#include <lv2/atom/util.h>
#include <lv2/ui/ui.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "dense_mix.h"
#include "editor/layout.h"
#include "formats/lv2/lv2_identity.h"
#include "lv2_bundle/lilv_host.h"
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

size_t stillPixelsDiffering(const std::vector<platform::Colour>& shown,
                            const platform::PixelBuffer& expected) {
    size_t differing = 0;
    for (int y = 0; y < kEditorHeight; ++y) {
        for (int x = 0; x < kEditorWidth; ++x) {
            differing += !moves(x, y) && !(shown[y * kEditorWidth + x] == expected.at(x, y));
        }
    }
    return differing;
}

struct UiHost {
    int width = 0, height = 0;
    int writes = 0;
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle handle, int width, int height) {
                            auto* host = static_cast<UiHost*>(handle);
                            host->width = width;
                            host->height = height;
                            return 0;
                        }};
    static void write(LV2UI_Controller controller, uint32_t, uint32_t, uint32_t, const void*) {
        ++static_cast<UiHost*>(controller)->writes;
    }
};

// The UI module of the bundle's plug-in, as lilv describes it.
std::string uiBinaryPath(LilvBundle& bundle) {
    LilvUIs* uis = lilv_plugin_get_uis(bundle.plugin());
    std::string path;
    LILV_FOREACH(uis, i, uis) {
        const LilvUI* ui = lilv_uis_get(uis, i);
        LilvNode* x11 = bundle.node(LV2_UI__X11UI);
        if (lilv_ui_is_a(ui, x11)) {
            char* file = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
            path = file;
            lilv_free(file);
        }
        lilv_node_free(x11);
    }
    lilv_uis_free(uis);
    return path;
}

TEST(Lv2UiLoaded, ShowsTheEditorAndItsMetersMoveWhileAudioRuns) {
    // A new user's display preferences, as the headless picture has them.
    const auto config =
        std::filesystem::temp_directory_path() / ("velmorin-lv2-ui-" + std::to_string(::getpid()));
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const platform::PixelBuffer expected = snapshot::snapshotEditor(snapshot::Scene{});
    VirtualXServer server;
    ASSERT_TRUE(server.running());
    XClient client;
    ASSERT_TRUE(client.connected());
    const xcb_window_t parent = client.createParent(0, 0, kEditorWidth, kEditorHeight);

    LilvBundle bundle;
    const std::string binary = uiBinaryPath(bundle);
    ASSERT_FALSE(binary.empty()) << "no X11 UI described";
    void* module = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    using DescriptorFunction = const LV2UI_Descriptor* (*)(uint32_t);
    const auto descriptorOf =
        reinterpret_cast<DescriptorFunction>(dlsym(module, "lv2ui_descriptor"));
    ASSERT_NE(descriptorOf, nullptr);
    const LV2UI_Descriptor* descriptor = descriptorOf(0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_STREQ(descriptor->URI, lv2::kUiUri);
    const auto* idle =
        static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
    ASSERT_NE(idle, nullptr);

    UiHost host;
    const LV2_Feature mapFeature{LV2_URID__map, bundle.map()};
    const LV2_Feature parentFeature{LV2_UI__parent,
                                    reinterpret_cast<void*>(static_cast<uintptr_t>(parent))};
    const LV2_Feature resizeFeature{LV2_UI__resize, &host.resize};
    const LV2_Feature* features[] = {&mapFeature, &parentFeature, &resizeFeature, nullptr};
    LV2UI_Widget widget = nullptr;
    LV2UI_Handle ui = descriptor->instantiate(descriptor, lv2::kPluginUri, "", UiHost::write, &host,
                                              &widget, features);
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(host.width, kEditorWidth);
    EXPECT_EQ(host.height, kEditorHeight);
    const auto children = client.children(parent);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(static_cast<xcb_window_t>(reinterpret_cast<uintptr_t>(widget)), children[0]);

    // Idle calls for a while; with audio, each block's feed goes to the UI.
    LilvEffect effect(bundle);
    const LV2_URID transfer = bundle.map()->map(bundle.map()->handle, LV2_ATOM__eventTransfer);
    constexpr size_t kBlock = 512;
    const StereoSignal mix = denseMix(5 * 44100);
    size_t played = 0;
    const auto run = [&](std::chrono::milliseconds length, bool audio) {
        const auto end = std::chrono::steady_clock::now() + length;
        while (std::chrono::steady_clock::now() < end) {
            if (audio) {
                std::vector<float> left(kBlock), right(kBlock), outLeft, outRight;
                for (size_t i = 0; i < kBlock; ++i, played = (played + 1) % mix.left.size()) {
                    left[i] = mix.left[played];
                    right[i] = mix.right[played];
                }
                effect.process(left, right, outLeft, outRight, kBlock, false);
                LV2_ATOM_SEQUENCE_FOREACH(&effect.displayFeed(), event) {
                    descriptor->port_event(ui, lv2::kDisplayFeedPort,
                                           sizeof(LV2_Atom) + event->body.size, transfer,
                                           &event->body);
                }
            }
            EXPECT_EQ(idle->idle(ui), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        client.sync();
    };
    run(std::chrono::milliseconds(600), false);
    const auto silent = client.pixels(parent, kEditorWidth, kEditorHeight);
    // Opening may correct zooms to the display preferences; the feed writes nothing.
    const int writesOnOpen = host.writes;
    run(std::chrono::milliseconds(3000), true);
    const auto playing = client.pixels(parent, kEditorWidth, kEditorHeight);
    size_t changed = 0;
    for (size_t i = 0; i < silent.size(); ++i) changed += !(silent[i] == playing[i]);
    EXPECT_GT(changed, 1000u) << "the meters and wave displays did not move";
    EXPECT_EQ(host.writes, writesOnOpen) << "showing the feed writes nothing to the plug-in";
    EXPECT_EQ(stillPixelsDiffering(silent, expected), 0u);
    EXPECT_EQ(stillPixelsDiffering(playing, expected), 0u);
    platform::PixelBuffer screenshot(kEditorWidth, kEditorHeight);
    screenshot.pixels = playing;
    snapshot::writePng(VELMORIN_LV2_SCREENSHOT, screenshot);

    descriptor->cleanup(ui);
    EXPECT_TRUE(client.children(parent).empty());
    dlclose(module);
    std::filesystem::remove_all(config);
}

}  // namespace
