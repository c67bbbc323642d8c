#include "editor/menu_commands.h"

#include <optional>
#include <span>

#include "editor/ad_editor.h"
#include "editor/context_menu.h"
#include "editor/display_prefs_applier.h"
#include "editor/editor_timer.h"
#include "platform/window_messages.h"

namespace velmorin {
namespace {

// What the colour dialog keeps for the whole process: the sixteen custom
// colours (the last four are the user's own) and the colour it opens with,
// fixed by its first showing.
struct ColourDialogMemory {
    std::array<platform::Colour, 16> customColours{};
    std::optional<platform::Colour> initial;
};

ColourDialogMemory& colourDialogMemory() {
    static ColourDialogMemory memory;
    return memory;
}

std::optional<int32_t> choiceOf(std::span<const MenuChoice> choices, std::uint16_t id) {
    for (const MenuChoice& choice : choices)
        if (choice.command == id) return choice.value;
    return std::nullopt;
}

// The twelve wave colours are edited as the dialog's first twelve custom
// colours; the colour the dialog answers with is not used. A cancelled
// dialog keeps the table.
void editWaveColours(ADEditor& editor) {
    ColourDialogMemory& memory = colourDialogMemory();
    WaveColourTable& colours = editor.view().prefs.waveColours;
    const auto byte = [&colours](int i) { return static_cast<std::uint8_t>(colours[i]); };
    for (int entry = 0; entry < 12; ++entry)
        memory.customColours[entry] =
            platform::rgb(byte(3 * entry), byte(3 * entry + 1), byte(3 * entry + 2));
    if (!memory.initial) memory.initial = memory.customColours[0];
    if (!editor.platform().windows.chooseColour(editor.view().window, *memory.initial,
                                                memory.customColours))
        return;
    for (int entry = 0; entry < 12; ++entry) {
        const platform::Colour colour = memory.customColours[entry];
        colours[3 * entry] = platform::redOf(colour);
        colours[3 * entry + 1] = platform::greenOf(colour);
        colours[3 * entry + 2] = platform::blueOf(colour);
    }
}

// Sets what the command stands for; false for an id that sets nothing.
bool setChoice(ADEditor& editor, std::uint16_t id) {
    EffectControls& effect = editor.effect();
    DisplayPrefs& prefs = editor.view().prefs;
    if (const auto value = choiceOf(kDcRemovalChoices, id)) {
        effect.setDcRemoval(*value);
    } else if (const auto target = choiceOf(kNormalizeChoices, id)) {
        effect.setNormalizeTarget(*target);
    } else if (const auto scheme = choiceOf(kColourSchemeChoices, id)) {
        prefs.colourScheme = *scheme;
    } else if (id == kCmdColoursCustom) {
        prefs.colourScheme = 2;
        editWaveColours(editor);
    } else if (const auto range = choiceOf(kZoomRangeChoices, id)) {
        prefs.zoomRange = *range;
    } else if (const auto hold = choiceOf(kPeakHoldChoices, id)) {
        prefs.peakHold = *hold;
    } else if (const auto size = choiceOf(kEditorScaleChoices, id)) {
        // A host that keeps the old size keeps the old choice as well.
        const int32_t before = prefs.editorScale;
        prefs.editorScale = *size;
        if (!editor.followSizeChoice()) {
            prefs.editorScale = before;
            return false;
        }
    } else if (const auto speed = choiceOf(kDisplaySpeedChoices, id)) {
        prefs.displaySpeed = *speed;
        startEditorTimer(editor.platform().windows, editor.view().window, *speed);
    } else {
        return false;
    }
    return true;
}

}  // namespace

void onContextMenu(ADEditor& editor, std::intptr_t lParam) {
    platform::WindowServices& windows = editor.platform().windows;
    const platform::WindowHandle window = editor.view().window;
    windows.setFocus(window);
    const platform::Point screen = platform::pointOf(lParam);
    const platform::Point client = windows.screenToClient(window, screen);
    if (platform::Rect{0, 0, kEditorWidth, kEditorHeight}.contains(client.x, client.y))
        windows.trackPopupMenu(editor.view().menu, 0, window, screen);
}

void onMenuCommand(ADEditor& editor, std::uint16_t id) {
    if (id == kCmdInfo) {
        editor.information().show(editor.view().window, editor.platform().graphics, editor.scale());
        editor.platform().windows.updateWindow(editor.view().window);
    } else if (setChoice(editor, id)) {
        applyDisplayPrefs(editor.view(), editor.effect(), editor.platform());
        writeDisplayPrefs(editor.platform().preferences, editor.view().prefs, editor.effect());
    }
    editor.onPaint();
}

}  // namespace velmorin
