// The pointer over an editor drawn at a scale is on device pixels; the
// windows hand the editor the logical pixel under it, so a drag over the same
// logical distance, or a click on a lamp, stores what it stores at 1.0:
// whether the editor opened at the scale or was switched to it in its "Size"
// menu.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "editor/ad_editor.h"
#include "editor/context_menu.h"
#include "editor/editor_timer.h"
#include "editor/mouse_input.h"
#include "editor/soft_editor_scales.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"
#include "platform/soft/headless_windows.h"
#include "platform/window_messages.h"
#include "resources/embedded_bitmaps.h"

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
        for (const MenuChoice& choice : kEditorScaleChoices)
            if (choice.value == s.percent()) EXPECT_TRUE(windows.chooseMenuCommand(choice.command));
        EXPECT_EQ(windows.clientPixels(editor.view().window)->width, s.device(654));
    }
    // The pointer at the device pixel where logical pixel (x, y) begins.
    void mouse(std::uint32_t message, std::uintptr_t keys, int x, int y) {
        windows.send(editor.view().window, message, keys,
                     platform::pointParam({scale.device(x), scale.device(y)}));
    }

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

// The stored threshold after each step of a drag from the cap: down by each
// distance in turn, then above the window.
std::vector<float> dragThreshold(platform::Scale scale, Reached reached,
                                 const std::vector<int>& rows) {
    ScaledEditor e(scale, reached);
    std::vector<float> stored;
    e.mouse(platform::kMsgLeftButtonDown, kKeyLeftButton, 70, 93);
    for (int row : rows) {
        e.mouse(platform::kMsgMouseMove, kKeyLeftButton, 71, 93 + row);
        stored.push_back(e.effect.storedValue(kThrH));
    }
    e.mouse(platform::kMsgMouseMove, kKeyLeftButton, 70, -40);
    stored.push_back(e.effect.storedValue(kThrH));
    e.mouse(platform::kMsgLeftButtonUp, 0, 70, 60);
    return stored;
}

// The stored Low Bypass after each of three clicks on its lamp, a tick apart.
std::vector<float> clickLowBypass(platform::Scale scale, Reached reached) {
    ScaledEditor e(scale, reached);
    std::vector<float> stored;
    for (int click = 0; click < 3; ++click) {
        e.mouse(platform::kMsgLeftButtonDown, kKeyLeftButton, 25, 330);
        e.mouse(platform::kMsgLeftButtonUp, 0, 25, 330);
        stored.push_back(e.effect.storedValue(kLowBypass));
        // The lamp shows the stored value from the next tick on.
        e.windows.advance(timerPeriodMs(e.editor.view().prefs.displaySpeed));
    }
    return stored;
}

TEST(ScaledMouse, AFaderDragAndALampClickStoreWhatTheyStoreAtOne) {
    const std::vector<int> rows{1, 7, 13, 24, -5, -29};
    const std::vector<float> dragAtOne = dragThreshold(platform::Scale(), Reached::Opened, rows);
    const std::vector<float> clicksAtOne = clickLowBypass(platform::Scale(), Reached::Opened);
    // At 1.0 every step of the drag stored a value of its own, and every
    // click turned the lamp over.
    ASSERT_EQ(std::set<float>(dragAtOne.begin(), dragAtOne.end()).size(), dragAtOne.size());
    ASSERT_NE(clicksAtOne[0], clicksAtOne[1]);
    ASSERT_NE(clicksAtOne[1], clicksAtOne[2]);
    for (const Reached reached : {Reached::Opened, Reached::ChosenInMenu})
        for (int quarters : {6, 8}) {
            const platform::Scale scale = platform::Scale::ofQuarters(quarters);
            const bool chosen = reached == Reached::ChosenInMenu;
            EXPECT_EQ(dragThreshold(scale, reached, rows), dragAtOne)
                << quarters * 25 << "%" << (chosen ? " chosen" : "");
            EXPECT_EQ(clickLowBypass(scale, reached), clicksAtOne)
                << quarters * 25 << "%" << (chosen ? " chosen" : "");
        }
}

}  // namespace
}  // namespace velmorin
