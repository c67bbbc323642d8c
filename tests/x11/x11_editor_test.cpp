// The editor on a private X server: its window inside a host's window shows,
// pixel for pixel, the picture the headless software canvas paints, also at
// the desktop's scale, with any room the host gives in the skin's base
// colour; editors open and close in any order, with their effect, with
// their host window, and when the server goes away.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "editor/editor_timer.h"
#include "editor/room_colour.h"
#include "editor/shared_editor_resources.h"
#include "formats/vst2/adelay_edit.h"
#include "formats/vst2/vst2_editor.h"
#include "formats/x11/x11_editor_platform.h"
#include "platform/soft/file_preference_store.h"
#include "platform/soft/soft_graphics.h"
#include "platform/x11/x11_windows.h"
#include "resources/embedded_bitmaps.h"
#include "snapshot/editor_snapshot.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

class X11EditorTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        fs::remove_all(folder);
    }
    void TearDown() override {
        effects.clear();
        EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
        EXPECT_FALSE(windows.connected());  // the last close closed the connection
        fs::remove_all(folder);
    }

    ADelayEdit& makeEffect() {
        effects.push_back(std::make_unique<ADelayEdit>(
            nullptr, [this](ADelayEdit& effect) { return new Vst2Editor(effect, platform); }));
        return *effects.back();
    }
    static ADEditor& editorOf(ADelayEdit& effect) {
        return static_cast<Vst2Editor*>(effect.getEditor())->editor();
    }
    static void* parentId(xcb_window_t window) {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
    }
    bool open(ADelayEdit& effect, xcb_window_t parent) {
        return effect.dispatcher(effEditOpen, 0, 0, parentId(parent), 0) == 1;
    }
    // What the host's idle calls do, with the server's answers in between.
    void idle(int passes = 3) {
        for (int i = 0; i < passes; ++i) {
            client.sync();
            windows.pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // One pass a little after the first tick fell due and well before the
    // second (`opened` is taken right after the last open, which starts its
    // timer last): the tick, its posted message and the paint run in it.
    void firstTick() {
        std::this_thread::sleep_until(opened + std::chrono::milliseconds(timerPeriodMs(2) + 15));
        const auto pumped = std::chrono::steady_clock::now();
        windows.pump();
        ASSERT_LT(pumped - opened, std::chrono::milliseconds(2 * timerPeriodMs(2)))
            << "the machine was too slow to see one tick alone";
    }
    std::vector<platform::Colour> shown(ADelayEdit& effect) {
        return client.pixels(windows.nativeWindow(editorOf(effect).view().window), kEditorWidth,
                             kEditorHeight);
    }

    VirtualXServer server{{.sharedMemory = GetParam()}};
    XClient client;
    fs::path folder = fs::temp_directory_path() / ("velmorin-x11-" + std::to_string(::getpid()));
    platform::x11::X11Windows windows;
    platform::SoftGraphics graphics{findEmbeddedBitmap};
    platform::FilePreferenceStore preferences{folder / "preferences"};
    EditorPlatform platform{graphics, windows, preferences};
    std::vector<std::unique_ptr<ADelayEdit>> effects;
    std::chrono::steady_clock::time_point opened;
};

TEST_P(X11EditorTest, WindowShowsTheHeadlessPictureOfTheSameState) {
    // Painted first: the editors of a process share one platform at a time.
    const platform::PixelBuffer expected = snapshot::snapshotEditor(snapshot::Scene{});
    const xcb_window_t host = client.createParent(20, 20, kEditorWidth, kEditorHeight);
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(open(effect, host));
    opened = std::chrono::steady_clock::now();  // the timer started last
    // As the snapshot does: the first tick, then a paint of the whole window
    // (the window's first).
    firstTick();
    const platform::WindowHandle window = editorOf(effect).view().window;
    EXPECT_EQ(windows.usesSharedMemory(window), GetParam());
    EXPECT_TRUE(client.eventually(
        [&] { return client.childAt(host, 30, 30) == windows.nativeWindow(window); }));
    EXPECT_TRUE(client.eventually([&] { return shown(effect) == expected.pixels; }));
}

TEST_P(X11EditorTest, AtTheDesktopsScaleTheWindowShowsTheHeadlessPictureOfThatScale) {
    const platform::PixelBuffer expected = snapshot::snapshotEditor(
        snapshot::Scene{.prepare = {}, .scale = platform::Scale::ofQuarters(8)});
    client.loadResources("Xft.antialias:\t1\nXft.dpi:\t192\n");
    // The module's platform as the plug-in makes it, with a preference file
    // of the test's own.
    X11EditorPlatform desktop(folder / "preferences");
    ADelayEdit effect(nullptr, [&](ADelayEdit& e) { return new Vst2Editor(e, desktop.services); });
    ERect* rect = nullptr;
    ASSERT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0), 1);  // before the open
    EXPECT_EQ((std::array{rect->top, rect->left, rect->bottom, rect->right}),
              (std::array<std::int16_t, 4>{0, 0, 862, 1308}));

    const xcb_window_t host = client.createParent(20, 20, 1308, 862);
    ASSERT_TRUE(open(effect, host));
    opened = std::chrono::steady_clock::now();
    std::this_thread::sleep_until(opened + std::chrono::milliseconds(timerPeriodMs(2) + 15));
    desktop.windows.pump();
    const xcb_window_t shownWindow = desktop.windows.nativeWindow(editorOf(effect).view().window);
    EXPECT_EQ(client.size(shownWindow), (std::pair{1308, 862}));
    EXPECT_TRUE(client.eventually(
        [&] { return client.pixels(shownWindow, 1308, 862) == expected.pixels; }));
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0);
    desktop.windows.pump();
    EXPECT_FALSE(desktop.windows.connected());
}

TEST_P(X11EditorTest, RoomAHostGivesBeyondTheEditorShowsTheSkinsBaseColourAfterEachExpose) {
    // Sized as a host whose toolkit draws at twice the desktop's scale sizes
    // its window for the editor.
    const xcb_window_t host = client.createParent(20, 20, 2 * kEditorWidth, 2 * kEditorHeight);
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(open(effect, host));
    const platform::WindowHandle window = editorOf(effect).view().window;
    // What the editor drew at the top left, the room around it.
    const auto hostShows = [&](int width, int height) {
        return client.eventually([&] {
            windows.pump();
            const std::unique_ptr<platform::Canvas> drawing = windows.windowCanvas(window);
            platform::PixelBuffer expected(width, height, kRoomColour);
            for (int y = 0; y < kEditorHeight; ++y)
                for (int x = 0; x < kEditorWidth; ++x) expected.at(x, y) = drawing->pixel(x, y);
            return client.pixels(host, width, height) == expected.pixels;
        });
    };
    EXPECT_TRUE(hostShows(2 * kEditorWidth, 2 * kEditorHeight));

    // The host's window grows; the host sizes the plug-in's window to the
    // editor's size (as one sizing it in its toolkit's logical pixels does);
    // a window passes over both.
    client.resize(host, 1360, 870);
    idle();
    client.resize(windows.nativeWindow(window), kEditorWidth, kEditorHeight);
    idle();
    client.destroy(client.createParent(0, 0, VirtualXServer::kWidth, VirtualXServer::kHeight));
    EXPECT_TRUE(hostShows(1360, 870));
}

TEST_P(X11EditorTest, TwoEditorsCloseInEitherOrder) {
    for (const bool firstClosesFirst : {true, false}) {
        const xcb_window_t hostA = client.createParent(0, 0, kEditorWidth, kEditorHeight);
        const xcb_window_t hostB = client.createParent(700, 0, kEditorWidth, kEditorHeight);
        ADelayEdit& a = makeEffect();
        ADelayEdit& b = makeEffect();
        ASSERT_TRUE(open(a, hostA));
        ASSERT_TRUE(open(b, hostB));
        opened = std::chrono::steady_clock::now();
        // Both at their first tick: the same state, the same picture.
        firstTick();
        EXPECT_TRUE(client.eventually([&] { return shown(a) == shown(b); }));
        ADelayEdit& first = firstClosesFirst ? a : b;
        ADelayEdit& second = firstClosesFirst ? b : a;
        first.dispatcher(effEditClose, 0, 0, nullptr, 0);
        idle();
        // The other one goes on: its timer ticks, its pixels are served.
        EXPECT_TRUE(editorOf(second).isOpen());
        EXPECT_FALSE(shown(second).empty());
        second.dispatcher(effEditClose, 0, 0, nullptr, 0);
        idle();
        EXPECT_FALSE(windows.connected());
        client.destroy(hostA);
        client.destroy(hostB);
        effects.clear();
    }
}

TEST_P(X11EditorTest, EffectClosedWithItsEditorOpen) {
    const xcb_window_t host = client.createParent(0, 0, kEditorWidth, kEditorHeight);
    ASSERT_TRUE(open(makeEffect(), host));
    idle();
    effects.clear();
    idle();
    EXPECT_FALSE(windows.connected());
    EXPECT_TRUE(client.eventually([&] { return client.children(host).empty(); }));
}

TEST_P(X11EditorTest, HostDestroysItsWindowBeforeClose) {
    const xcb_window_t host = client.createParent(0, 0, kEditorWidth, kEditorHeight);
    ADelayEdit& effect = makeEffect();
    ASSERT_TRUE(open(effect, host));
    idle();
    client.destroy(host);
    idle();
    EXPECT_FALSE(editorOf(effect).isOpen());  // torn down by the window's destruction
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0);
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
}

TEST_P(X11EditorTest, BadParentsAnswerZeroAndLeaveNothingOpen) {
    ADelayEdit& effect = makeEffect();
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, nullptr, 0), 0);
    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, parentId(0x3FFFFF), 0), 0);  // no such window
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
    EXPECT_FALSE(windows.connected());
    // A good parent after the bad ones opens.
    const xcb_window_t host = client.createParent(0, 0, kEditorWidth, kEditorHeight);
    EXPECT_TRUE(open(effect, host));
}

TEST_P(X11EditorTest, ServerGoingAwayLeavesTheHostRunning) {
    const xcb_window_t host = client.createParent(0, 0, kEditorWidth, kEditorHeight);
    ADelayEdit& a = makeEffect();
    ADelayEdit& b = makeEffect();
    ASSERT_TRUE(open(a, host));
    ASSERT_TRUE(open(b, host));
    idle();
    server.kill();
    for (int i = 0; i < 5; ++i) {
        a.dispatcher(effEditIdle, 0, 0, nullptr, 0);
        windows.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(timerPeriodMs(2)));
    }
    EXPECT_FALSE(windows.serverAlive());
    std::vector<float> left(512, 0.5f), right(512, -0.5f);
    float* io[] = {left.data(), right.data()};
    a.processReplacing(io, io, 512);  // the audio keeps running
    a.dispatcher(effEditClose, 0, 0, nullptr, 0);
    effects.clear();
}

INSTANTIATE_TEST_SUITE_P(SharedMemory, X11EditorTest, ::testing::Values(true));
INSTANTIATE_TEST_SUITE_P(Socket, X11EditorTest, ::testing::Values(false));

}  // namespace
}  // namespace velmorin
