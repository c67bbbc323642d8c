// The pointer over an editor drawn at a scale is on device pixels; the
// windows hand the editor the logical pixel under it, so every gesture (a
// drag over the same logical distance, a page click, a lamp and a lamp group,
// a typed value, a menu choice) stores what it stores at 1.0: whether the
// editor opened at the scale or was switched to it in its "Size" menu.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "editor/ad_editor.h"
#include "editor/context_menu.h"
#include "editor/editor_timer.h"
#include "editor/layout.h"
#include "editor/mouse_input.h"
#include "editor/soft_editor_scales.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"
#include "platform/soft/headless_windows.h"
#include "platform/window_messages.h"
#include "resources/embedded_bitmaps.h"
#include "support/scaled_picture_check.h"

namespace velmorin {
namespace {

class NoPreferences : public platform::PreferenceStore {
  public:
    void read(platform::PreferenceRecord&) override {}
    void write(const platform::PreferenceRecord&) override {}
};

// How the editor came to its scale: opened on windows at that scale, or
// opened at 1.0 and switched in its menu.
enum class Reached { Opened, ChosenInMenu };

// An editor at a scale on the High threshold at 42 steps, its cap's value
// row at logical row 93.
struct ScaledEditor {
    ScaledEditor(platform::Scale s, Reached reached)
        : scale(s), opened(reached == Reached::Opened), windows(opened ? s : platform::Scale()) {
        effect.setParameter(kThrH, 42.0f);
        EXPECT_TRUE(editor.open(&hostWindow));
        if (reached == Reached::ChosenInMenu) choose(s);
        windows.advance(timerPeriodMs(editor.view().prefs.displaySpeed));
    }
    ~ScaledEditor() { editor.close(); }

    void choose(platform::Scale s) {
        windows.send(editor.view().window, platform::kMsgContextMenu, 0,
                     platform::pointParam({100, 100}));
        for (const MenuChoice& choice : kEditorScaleChoices) {
            if (choice.value == s.percent()) {
                EXPECT_TRUE(windows.chooseMenuCommand(choice.command));
            }
        }
        EXPECT_EQ(windows.clientPixels(editor.view().window)->width, s.device(654));
    }
    // The pointer at the device pixel where logical pixel (x, y) begins.
    void mouse(std::uint32_t message, std::uintptr_t keys, int x, int y) {
        windows.send(editor.view().window, message, keys,
                     platform::pointParam({scale.device(x), scale.device(y)}));
    }
    void click(int x, int y, std::uintptr_t keys = 0) {
        mouse(platform::kMsgLeftButtonDown, kKeyLeftButton | keys, x, y);
        mouse(platform::kMsgLeftButtonUp, keys, x, y);
    }
    void tick() { windows.advance(timerPeriodMs(editor.view().prefs.displaySpeed)); }

    platform::Scale scale;
    bool opened;
    platform::HeadlessWindows windows;
    SoftEditorScales scales{embeddedBitmapsAt, [] { return 1.0; }};
    NoPreferences preferences;
    // Opened at the scale: windows and graphics of that scale only.
    EditorPlatform platform{scales.graphicsAt(opened ? scale : platform::Scale()), windows,
                            preferences, opened ? nullptr : &scales};
    int hostWindow = 0;
    Effect effect;
    InProcessControls controls{effect};
    ADEditor editor{controls, platform};
};

// What a user's gesture on an editor leaves stored, step by step.
using Gesture = std::vector<float> (*)(ScaledEditor&);

// A drag from the High threshold's cap down by each distance in turn, then
// above the window.
std::vector<float> dragThreshold(ScaledEditor& e) {
    std::vector<float> stored;
    e.mouse(platform::kMsgLeftButtonDown, kKeyLeftButton, 70, 93);
    for (int row : {1, 7, 13, 24, -5, -29}) {
        e.mouse(platform::kMsgMouseMove, kKeyLeftButton, 71, 93 + row);
        stored.push_back(e.effect.storedValue(kThrH));
    }
    e.mouse(platform::kMsgMouseMove, kKeyLeftButton, 70, -40);
    stored.push_back(e.effect.storedValue(kThrH));
    e.mouse(platform::kMsgLeftButtonUp, 0, 70, 60);
    return stored;
}

// Presses on the High threshold's track below and above its cap: page steps.
std::vector<float> pageThreshold(ScaledEditor& e) {
    std::vector<float> stored;
    for (int row : {113, 140, 60}) {
        e.click(70, row);
        stored.push_back(e.effect.storedValue(kThrH));
    }
    return stored;
}

// Three clicks on the Low Bypass lamp, a tick apart.
std::vector<float> clickLowBypass(ScaledEditor& e) {
    std::vector<float> stored;
    for (int click = 0; click < 3; ++click) {
        e.click(25, 330);
        stored.push_back(e.effect.storedValue(kLowBypass));
        e.tick();  // the lamp shows the stored value from the next tick on
    }
    return stored;
}

// The High band's On lamp with Ctrl, then Shift: its partners follow.
std::vector<float> ctrlShiftHighOn(ScaledEditor& e) {
    std::vector<float> stored;
    for (std::uintptr_t keys : {kKeyControl, kKeyShift}) {
        e.click(20, 175, keys);
        for (ParameterIndex on : {kHighOn, kMidOn, kLowOn})
            stored.push_back(e.effect.storedValue(on));
        e.tick();
    }
    return stored;
}

// A value typed into the High threshold's read-out.
std::vector<float> typeThreshold(ScaledEditor& e) {
    for (const ValueBoxPlace& place : kValueBoxPlaces)
        if (place.parameter == kThrH) e.click(place.x + 20, place.y + 7);
    const platform::WindowHandle box = e.editor.view().controls.valueBox(kThrH);
    e.windows.type(box, "-12.5");
    e.windows.type(box, "-12.5\r\n");
    return {e.effect.storedValue(kThrH)};
}

// A normalize target and DC removal chosen in the context menu.
std::vector<float> chooseInMenu(ScaledEditor& e) {
    std::vector<float> stored;
    for (MenuCommand command : {kCmdNormalize009, kCmdDcOn}) {
        e.windows.send(e.editor.view().window, platform::kMsgContextMenu, 0,
                       platform::pointParam({e.scale.device(300), e.scale.device(200)}));
        EXPECT_TRUE(e.windows.chooseMenuCommand(command));
        stored.push_back(static_cast<float>(e.effect.normalizeTarget()));
        stored.push_back(static_cast<float>(e.effect.dcRemoval()));
    }
    return stored;
}

// Every stored parameter and both settings.
std::vector<float> settings(const Effect& effect) {
    std::vector<float> all;
    for (int32_t index = 0; index < kNumParameters; ++index)
        all.push_back(effect.storedValue(static_cast<ParameterIndex>(index)));
    all.push_back(static_cast<float>(effect.normalizeTarget()));
    all.push_back(static_cast<float>(effect.dcRemoval()));
    return all;
}

struct Outcome {
    std::vector<float> steps;  // what the gesture read after each step
    bool changedSomething;
};

Outcome storedAfter(Gesture gesture, platform::Scale scale, Reached reached) {
    ScaledEditor e(scale, reached);
    const std::vector<float> before = settings(e.effect);
    std::vector<float> steps = gesture(e);
    return {std::move(steps), settings(e.effect) != before};
}

TEST(ScaledMouse, EveryGestureStoresWhatItStoresAtOne) {
    const struct {
        const char* name;
        Gesture gesture;
    } gestures[] = {
        {"fader drag", dragThreshold},  {"page click", pageThreshold},
        {"lamp click", clickLowBypass}, {"lamp group", ctrlShiftHighOn},
        {"typed value", typeThreshold}, {"context menu", chooseInMenu},
    };
    for (const auto& g : gestures) {
        const Outcome atOne = storedAfter(g.gesture, platform::Scale(), Reached::Opened);
        ASSERT_TRUE(atOne.changedSomething) << g.name;
        for (const Reached reached : {Reached::Opened, Reached::ChosenInMenu})
            for (int quarters : {6, 8}) {
                EXPECT_EQ(
                    storedAfter(g.gesture, platform::Scale::ofQuarters(quarters), reached).steps,
                    atOne.steps)
                    << g.name << " at " << quarters * 25 << "%"
                    << (reached == Reached::ChosenInMenu ? " chosen" : "");
            }
    }
}

TEST(ScaledMouse, TheInformationWindowIsDrawnAtTheEditorsScaleAndItsOkActs) {
    platform::PixelBuffer atOne(0, 0);
    for (int quarters : {4, 8}) {
        const platform::Scale scale = platform::Scale::ofQuarters(quarters);
        ScaledEditor e(scale, Reached::ChosenInMenu);
        e.windows.send(e.editor.view().window, platform::kMsgCommand, kCmdInfo, 0);
        const platform::WindowHandle info = e.editor.information().window();
        ASSERT_TRUE(info);
        e.windows.updateWindow(info);
        const platform::PixelBuffer picture = *e.windows.clientPixels(info);
        ASSERT_EQ(picture.width, scale.device(398));
        ASSERT_EQ(picture.height, scale.device(224));
        if (scale.isIdentity()) {
            atOne = picture;
        } else {
            // The same picture drawn finer: each 2 x 2 block averages to the
            // pixel at 1.0, within the antialiasing of the finer drawing.
            EXPECT_LT(testing_support::compareWithOne(picture, atOne, scale,
                                                      [](int, int) { return false; })
                          .meanDifference,
                      4.0);
        }
        // Beside the OK button nothing happens; on it the window closes.
        e.windows.send(info, platform::kMsgLeftButtonDown, kKeyLeftButton,
                       platform::pointParam({scale.device(20), scale.device(160)}));
        EXPECT_TRUE(e.windows.isWindow(info));
        e.windows.send(info, platform::kMsgLeftButtonDown, kKeyLeftButton,
                       platform::pointParam({scale.device(60), scale.device(160)}));
        EXPECT_FALSE(e.windows.isWindow(info)) << quarters * 25 << "%";
    }
}

}  // namespace
}  // namespace velmorin
