// The editor of the built Velmorin.vst3 (IPlugView): its answers, and the
// editor in a host's window under a private X server, pumped by the host's
// run loop, scaled, resized and removed, its gestures reaching the host as
// edits and its display feed reaching it as messages from the processor.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "formats/vst3/vst3_object.h"
#include "params/parameter_table.h"
#include "vst3/vst3_test_host.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

using namespace vst3_test;
using namespace velmorin::vst3;

namespace {

constexpr int32_t kWidth = 654, kHeight = 431;

// A size the user chose in another test run must not change these: the
// module keeps its preferences in a folder of this process's own.
const bool kOwnPreferences = [] {
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("velmorin-vst3-gui-" + std::to_string(getpid())))
            .string();
    return setenv("XDG_CONFIG_HOME", folder.c_str(), 1) == 0;
}();

// The host's frame around a view, with its run loop: records what the
// view registers and the sizes it asks for.
class HostFrame final : public Object {
  public:
    HostFrame() {
        static const Steinberg_IPlugFrameVtbl frame = {
            queryFace, addRefFace, releaseFace,
            [](void* face, Steinberg_IPlugView*, Steinberg_ViewRect* rect) SMTG_STDMETHODCALLTYPE {
                ownerOf<HostFrame>(face).resizes.push_back(
                    {rect->right - rect->left, rect->bottom - rect->top});
                return Steinberg_kResultOk;
            }};
        static const Steinberg_Linux_IRunLoopVtbl loop = {
            queryFace,
            addRefFace,
            releaseFace,
            [](void* face, Steinberg_Linux_IEventHandler* handler,
               Steinberg_Linux_FileDescriptor fd) SMTG_STDMETHODCALLTYPE {
                call(handler, &Steinberg_Linux_IEventHandlerVtbl::addRef);
                ownerOf<HostFrame>(face).events[handler] = fd;
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_IEventHandler* handler) SMTG_STDMETHODCALLTYPE {
                if (ownerOf<HostFrame>(face).events.erase(handler) == 0)
                    return Steinberg_kResultFalse;
                call(handler, &Steinberg_Linux_IEventHandlerVtbl::release);
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_ITimerHandler* handler,
               Steinberg_Linux_TimerInterval period) SMTG_STDMETHODCALLTYPE {
                call(handler, &Steinberg_Linux_ITimerHandlerVtbl::addRef);
                ownerOf<HostFrame>(face).timers[handler] = period;
                return Steinberg_kResultOk;
            },
            [](void* face, Steinberg_Linux_ITimerHandler* handler) SMTG_STDMETHODCALLTYPE {
                if (ownerOf<HostFrame>(face).timers.erase(handler) == 0)
                    return Steinberg_kResultFalse;
                call(handler, &Steinberg_Linux_ITimerHandlerVtbl::release);
                return Steinberg_kResultOk;
            },
        };
        frame_ = {&frame, this};
        loop_ = {&loop, this};
    }
    Steinberg_IPlugFrame* frame() { return frame_.as<Steinberg_IPlugFrame>(); }
    // What the run loop does as its timers and the watched descriptors fire.
    void fire() {
        for (const auto& [handler, period] : timers)
            call(handler, &Steinberg_Linux_ITimerHandlerVtbl::onTimer);
        for (const auto& [handler, fd] : events)
            call(handler, &Steinberg_Linux_IEventHandlerVtbl::onFDIsSet, fd);
    }

    std::map<Steinberg_Linux_ITimerHandler*, Steinberg_Linux_TimerInterval> timers;
    std::map<Steinberg_Linux_IEventHandler*, int> events;
    std::vector<std::pair<int, int>> resizes;

  private:
    void* faceFor(const Steinberg_TUID iid) override {
        if (sameId(iid, Steinberg_IPlugFrame_iid)) return &frame_;
        if (sameId(iid, Steinberg_Linux_IRunLoop_iid)) return &loop_;
        return nullptr;
    }
    Face frame_, loop_;
};

Steinberg_IPlugView* createView(const Instance& instance, const char* name = "editor") {
    return call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::createView, name);
}

Steinberg_ViewRect sizeOf(Steinberg_IPlugView* view) {
    Steinberg_ViewRect rect{};
    EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::getSize, &rect), Steinberg_kResultOk);
    return rect;
}

Steinberg_tresult setScale(Steinberg_IPlugView* view, float factor) {
    auto* scale = queryAs<Steinberg_IPlugViewContentScaleSupport>(
        view, Steinberg_IPlugViewContentScaleSupport_iid);
    EXPECT_NE(scale, nullptr);
    const Steinberg_tresult result =
        call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::setContentScaleFactor, factor);
    call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::release);
    return result;
}

TEST(Vst3Editor, AnswersForItsSizeAtTheHostsScale) {
    // The desktop's own factor is 1.0 without a display.
    unsetenv("DISPLAY");
    unsetenv("GDK_SCALE");
    Instance instance;
    EXPECT_EQ(createView(instance, "other"), nullptr);
    Steinberg_IPlugView* view = createView(instance);
    ASSERT_NE(view, nullptr);
    const struct {
        const char* type;
        Steinberg_tresult answer;
    } types[] = {{"X11EmbedWindowID", Steinberg_kResultTrue},
                 {"HWND", Steinberg_kResultFalse},
                 {"NSView", Steinberg_kResultFalse}};
    for (const auto& t : types)
        EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::isPlatformTypeSupported, t.type), t.answer);
    EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::canResize), Steinberg_kResultFalse);
    const struct {
        float scale;
        Steinberg_tresult answer;
        int32_t width, height;
    } cases[] = {
        {1.0f, Steinberg_kResultOk, kWidth, kHeight}, {2.0f, Steinberg_kResultOk, 1308, 862},
        {1.4f, Steinberg_kResultOk, 981, 647},        {3.5f, Steinberg_kResultOk, 1962, 1293},
        {NAN, Steinberg_kResultFalse, 1962, 1293},    {0.0f, Steinberg_kResultFalse, 1962, 1293},
        {-2.0f, Steinberg_kResultFalse, 1962, 1293},  {1.25f, Steinberg_kResultOk, 818, 539},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("scale " + std::to_string(c.scale));
        EXPECT_EQ(setScale(view, c.scale), c.answer);
        const Steinberg_ViewRect size = sizeOf(view);
        EXPECT_EQ(size.right, c.width);
        EXPECT_EQ(size.bottom, c.height);
        // Only the size of the scale is taken; any other is adjusted to it.
        for (const auto& [w, h] : {std::pair{c.width, c.height},
                                   {c.width + 1, c.height},
                                   {c.width, c.height - 1},
                                   {0, 0}}) {
            Steinberg_ViewRect rect{10, 20, 10 + w, 20 + h};
            EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::onSize, &rect) == Steinberg_kResultOk,
                      w == c.width && h == c.height);
            ASSERT_EQ(call(view, &Steinberg_IPlugViewVtbl::checkSizeConstraint, &rect),
                      Steinberg_kResultOk);
            EXPECT_EQ(rect.right - rect.left, c.width);
            EXPECT_EQ(rect.bottom - rect.top, c.height);
        }
    }
    EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::removed), Steinberg_kResultFalse);
    call(view, &Steinberg_IPlugViewVtbl::release);
}

class Vst3EditorWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(server.running()); }

    // The view attached to a fresh parent window of the host.
    xcb_window_t attach(Steinberg_IPlugView* view, HostFrame& frame) {
        const xcb_window_t parent = client.createParent(10, 10, kWidth, kHeight);
        EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::setFrame, frame.frame()),
                  Steinberg_kResultOk);
        EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::attached,
                       reinterpret_cast<void*>(static_cast<uintptr_t>(parent)), "X11EmbedWindowID"),
                  Steinberg_kResultOk);
        return parent;
    }
    void tick(HostFrame& frame, int passes = 4) {
        for (int i = 0; i < passes; ++i) {
            client.sync();
            frame.fire();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    bool editorIn(xcb_window_t parent, std::pair<int, int> size = {kWidth, kHeight}) {
        return client.holdsOneChildOfSize(parent, size);
    }

    VirtualXServer server;
    XClient client;
};

TEST_F(Vst3EditorWindow, TwoInstancesAttachAndRemoveTheirEditorsRepeatedly) {
    Instance first, second;
    HostFrame* frames[] = {new HostFrame, new HostFrame};
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Steinberg_IPlugView* views[] = {createView(first), createView(second)};
        const xcb_window_t parents[] = {attach(views[0], *frames[0]), attach(views[1], *frames[1])};
        for (HostFrame* frame : frames) {
            // The editor's timer period (125 ms by default) and the X connection.
            ASSERT_EQ(frame->timers.size(), 1u);
            EXPECT_EQ(frame->timers.begin()->second, 125u);
            EXPECT_EQ(frame->events.size(), 1u);
            tick(*frame);
        }
        EXPECT_TRUE(editorIn(parents[0]));
        EXPECT_TRUE(editorIn(parents[1]));
        EXPECT_EQ(call(views[0], &Steinberg_IPlugViewVtbl::removed), Steinberg_kResultOk);
        EXPECT_TRUE(frames[0]->timers.empty());
        EXPECT_TRUE(frames[0]->events.empty());
        EXPECT_TRUE(client.eventually([&] { return client.children(parents[0]).empty(); }));
        EXPECT_TRUE(editorIn(parents[1]));  // the other editor stays
        // A view released while attached closes as well.
        call(views[1], &Steinberg_IPlugViewVtbl::release);
        EXPECT_TRUE(frames[1]->timers.empty());
        EXPECT_TRUE(client.eventually([&] { return client.children(parents[1]).empty(); }));
        call(views[0], &Steinberg_IPlugViewVtbl::release);
        for (xcb_window_t parent : parents) client.destroy(parent);
    }
    for (HostFrame* frame : frames) frame->release();
}

TEST_F(Vst3EditorWindow, TheAttachedEditorFollowsTheHostsScaleAndAsksForItsSize) {
    Instance instance;
    auto* frame = new HostFrame;
    Steinberg_IPlugView* view = createView(instance);
    const xcb_window_t parent = attach(view, *frame);
    EXPECT_TRUE(editorIn(parent));
    ASSERT_EQ(setScale(view, 2.0f), Steinberg_kResultOk);
    ASSERT_EQ(frame->resizes.size(), 1u);
    EXPECT_EQ(frame->resizes[0], std::make_pair(1308, 862));
    tick(*frame);
    EXPECT_TRUE(editorIn(parent, {1308, 862}));
    EXPECT_EQ(setScale(view, 2.0f), Steinberg_kResultOk);
    EXPECT_EQ(frame->resizes.size(), 1u);  // the same size: nothing to ask
    call(view, &Steinberg_IPlugViewVtbl::removed);
    call(view, &Steinberg_IPlugViewVtbl::release);
    frame->release();
}

TEST_F(Vst3EditorWindow, AClickReachesTheHostAsAnEditAndTheFeedComesAsMessages) {
    auto* host = new HostApplication;
    {
        Instance instance(*host);
        auto* frame = new HostFrame;
        Steinberg_IPlugView* view = createView(instance);
        attach(view, *frame);
        // Every display tick (at the editor's period) asks the processor,
        // which answers at once.
        const auto& made = host->made;
        for (int pass = 0; pass < 100 && made.size() < 2; ++pass) tick(*frame, 1);
        ASSERT_GE(made.size(), 2u);
        EXPECT_EQ(made[0], "VlmFeedRequest");
        EXPECT_EQ(made[1], "VlmFeed");
        // A band's On lamp, where the X11 editor tests click it.
        client.moveTo(10 + 20, 10 + 175);
        client.click();
        tick(*frame);
        const auto& edits = instance.handler().edits;
        ASSERT_EQ(edits.size(), 3u);
        const Steinberg_Vst_ParamID id = edits[0].id;
        EXPECT_LE(id, static_cast<Steinberg_Vst_ParamID>(velmorin::kLowOn));
        const std::vector<ComponentHandler::Edit> expected = {
            {'b', id, 0.0},
            {'p', id,
             call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::getParamNormalized,
                  id)},
            {'e', id, 0.0}};
        EXPECT_EQ(edits, expected);
        call(view, &Steinberg_IPlugViewVtbl::removed);
        call(view, &Steinberg_IPlugViewVtbl::release);
        frame->release();
    }
    host->release();
}

}  // namespace
