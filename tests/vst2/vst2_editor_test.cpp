// The editor as a VST 2.4 host drives it: the record's editor flag, the
// rectangle, open, idle and close requests, the requests it declines, a size
// chosen in the editor that the host follows or refuses, and an effect whose
// editor could not be made.
#include "formats/vst2/vst2_editor.h"

#include <array>
#include <new>

#include "editor/context_menu.h"
#include "editor/editor_fixture.h"
#include "editor/soft_editor_scales.h"
#include "formats/vst2/adelay_edit.h"
#include "platform/window_messages.h"

namespace velmorin {
namespace {

class Vst2EditorTest : public EditorFixture {
  protected:
    ADelayEdit& makeVst2Effect() {
        vst2Effects.push_back(std::make_unique<ADelayEdit>(
            nullptr, [this](ADelayEdit& effect) { return new Vst2Editor(effect, platform); }));
        return *vst2Effects.back();
    }
    void TearDown() override {
        vst2Effects.clear();
        EditorFixture::TearDown();
    }
    std::vector<std::unique_ptr<ADelayEdit>> vst2Effects;
};

TEST_F(Vst2EditorTest, HostRequestsAroundTheWindow) {
    ADelayEdit& effect = makeVst2Effect();
    auto& editor = *static_cast<Vst2Editor*>(effect.getEditor());
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsHasEditor | effFlagsCanReplacing);
    ERect* rect = nullptr;
    ASSERT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0), 1);  // before any open
    EXPECT_EQ((std::array{rect->top, rect->left, rect->bottom, rect->right}),
              (std::array<int16_t, 4>{0, 0, 431, 654}));
    EXPECT_FALSE(editor.getRect(nullptr));

    EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 1);
    EXPECT_TRUE(editor.isOpen());
    EXPECT_EQ(effect.dispatcher(effEditKeyDown, 0, 'a', nullptr, 0), 0);
    EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0), 0);
    EXPECT_FALSE(editor.onKeyUp());
    const platform::WindowHandle window = editor.editor().view().window;
    EXPECT_EQ(windows.userData(window), effect.getAeffect()->object);  // what hosts find there
    const auto before = windows.clientPixels(window)->pixels;
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0);
    EXPECT_EQ(windows.clientPixels(window)->pixels, before);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0);
    EXPECT_FALSE(editor.isOpen());
}

// The host's answer to audioMasterSizeWindow, and the sizes it was asked for.
intptr_t gSizeWindowAnswer = 0;
std::vector<std::array<intptr_t, 2>> gSizeWindowAsked;

intptr_t sizingHost(AEffect*, int32_t opcode, int32_t index, intptr_t value, void*, float) {
    if (opcode != audioMasterSizeWindow) return 0;
    gSizeWindowAsked.push_back({index, value});
    return gSizeWindowAnswer;
}

TEST_F(Vst2EditorTest, ASizeChosenInTheEditorGoesToTheHostAndTheRectangle) {
    SoftEditorScales scales{embeddedBitmapsAt, [] { return 1.0; }};
    const EditorPlatform scaled{scales.graphicsAt({}), windows, preferences, &scales};
    ADelayEdit effect(sizingHost, [&](ADelayEdit& e) { return new Vst2Editor(e, scaled); });
    const auto rectangle = [&effect] {
        ERect* rect = nullptr;
        effect.dispatcher(effEditGetRect, 0, 0, &rect, 0);
        return std::array{rect->top, rect->left, rect->bottom, rect->right};
    };
    const auto choose = [&](std::uint16_t id) {
        const auto& editor = static_cast<Vst2Editor*>(effect.getEditor())->editor();
        windows.send(editor.view().window, platform::kMsgContextMenu, 0,
                     platform::pointParam({100, 100}));
        ASSERT_TRUE(windows.chooseMenuCommand(id));
    };
    ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 1);
    gSizeWindowAsked.clear();

    gSizeWindowAnswer = 0;  // a host that cannot resize
    choose(kCmdSize200);
    EXPECT_EQ(gSizeWindowAsked, (std::vector<std::array<intptr_t, 2>>{{1308, 862}}));
    EXPECT_EQ(rectangle(), (std::array<int16_t, 4>{0, 0, 431, 654}));

    gSizeWindowAnswer = 1;
    choose(kCmdSize150);
    EXPECT_EQ(gSizeWindowAsked.back(), (std::array<intptr_t, 2>{981, 647}));
    EXPECT_EQ(rectangle(), (std::array<int16_t, 4>{0, 0, 647, 981}));
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0);
    // Closed, it reports the size it will open at.
    EXPECT_EQ(rectangle(), (std::array<int16_t, 4>{0, 0, 647, 981}));
}

TEST_F(Vst2EditorTest, TheHostIsDestroyingTheEffectWithItsEditorOpen) {
    ADelayEdit& effect = makeVst2Effect();
    ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 1);
    vst2Effects.clear();
    EXPECT_EQ(SharedEditorResources::process().openEditorCount(), 0);
}

TEST_F(Vst2EditorTest, EffectWithoutAnEditorAnnouncesNone) {
    ADelayEdit plain(nullptr);
    ADelayEdit refused(nullptr, [](ADelayEdit&) -> AEffEditor* { throw std::bad_alloc(); });
    for (ADelayEdit* effect : {&plain, &refused}) {
        EXPECT_EQ(effect->getAeffect()->flags, effFlagsCanReplacing);
        EXPECT_EQ(effect->getEditor(), nullptr);
        EXPECT_EQ(effect->dispatcher(effEditOpen, 0, 0, &hostWindow, 0), 0);
    }
}

}  // namespace
}  // namespace velmorin
