// The Windows bundle's editor as a Windows VST3 host drives it, in real
// windows under Wine: the view embeds in an HWND only, answers for its size
// at the host's scale, and two instances attach and remove their editors
// over and over, each ticking by its own timer in the host's message loop.
// Run under Wine with an X server (wine_x_session.sh).
#include <gtest/gtest.h>

#include <string>

#include "editor/layout.h"
#include "vst3/vst3_test_host.h"
#include "windows/host_window.h"

using namespace vst3_test;
using velmorin::kEditorHeight;
using velmorin::kEditorWidth;

namespace {

// More than one period of the editor's timer (125 ms by default).
constexpr int kTickMs = 300;

Steinberg_IPlugView* createView(const Instance& instance) {
    return call(instance.controller(), &Steinberg_Vst_IEditControllerVtbl::createView, "editor");
}

Steinberg_ViewRect sizeOf(Steinberg_IPlugView* view) {
    Steinberg_ViewRect rect{};
    call(view, &Steinberg_IPlugViewVtbl::getSize, &rect);
    return rect;
}

TEST(Vst3WindowsEditor, EmbedsInAnHwndAtTheHostsScale) {
    Instance instance;
    Steinberg_IPlugView* view = createView(instance);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::isPlatformTypeSupported, "HWND"),
              Steinberg_kResultTrue);
    EXPECT_EQ(call(view, &Steinberg_IPlugViewVtbl::isPlatformTypeSupported, "X11EmbedWindowID"),
              Steinberg_kResultFalse);
    EXPECT_EQ(sizeOf(view).right, kEditorWidth);
    EXPECT_EQ(sizeOf(view).bottom, kEditorHeight);
    auto* scale = queryAs<Steinberg_IPlugViewContentScaleSupport>(
        view, Steinberg_IPlugViewContentScaleSupport_iid);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::setContentScaleFactor, 2.0f),
              Steinberg_kResultOk);
    EXPECT_EQ(sizeOf(view).right, 2 * kEditorWidth);
    EXPECT_EQ(sizeOf(view).bottom, 2 * kEditorHeight);
    call(scale, &Steinberg_IPlugViewContentScaleSupportVtbl::release);
    call(view, &Steinberg_IPlugViewVtbl::release);
}

TEST(Vst3WindowsEditor, TwoInstancesAttachAndRemoveTheirEditorsRepeatedly) {
    Instance first, second;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        HostWindow firstHost(kEditorWidth, kEditorHeight, "Velmorin VST3 1");
        HostWindow secondHost(kEditorWidth, kEditorHeight, "Velmorin VST3 2");
        Steinberg_IPlugView* views[] = {createView(first), createView(second)};
        const HostWindow* hosts[] = {&firstHost, &secondHost};
        HWND editors[2] = {};
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(call(views[i], &Steinberg_IPlugViewVtbl::attached,
                           static_cast<void*>(hosts[i]->handle()), "HWND"),
                      Steinberg_kResultOk);
            editors[i] = hosts[i]->editor();
            ASSERT_NE(editors[i], nullptr);
            EXPECT_EQ(GetParent(editors[i]), hosts[i]->handle());
            RECT client{};
            GetClientRect(editors[i], &client);
            EXPECT_EQ(client.right, kEditorWidth);
            EXPECT_EQ(client.bottom, kEditorHeight);
        }
        EXPECT_GT(countDisplayTicks(editors[0], kTickMs), 0);
        EXPECT_GT(countDisplayTicks(editors[1], kTickMs), 0);
        // The removed editor's window goes at once; the other stays and ticks.
        const int gone = round % 2;
        EXPECT_EQ(call(views[gone], &Steinberg_IPlugViewVtbl::removed), Steinberg_kResultOk);
        EXPECT_FALSE(IsWindow(editors[gone]));
        EXPECT_TRUE(IsWindow(editors[1 - gone]));
        EXPECT_GT(countDisplayTicks(editors[1 - gone], kTickMs), 0);
        // Released while attached, the other closes as well.
        call(views[1 - gone], &Steinberg_IPlugViewVtbl::release);
        EXPECT_FALSE(IsWindow(editors[1 - gone]));
        call(views[gone], &Steinberg_IPlugViewVtbl::release);
    }
}

}  // namespace
