#include "editor/value_entry.h"

#include <optional>
#include <string>

#include "editor/ad_editor.h"
#include "params/parameter_text.h"

namespace velmorin {
namespace {

// The box is read as into a 16-byte buffer: at most 15 characters count.
constexpr std::size_t kBoxTextLimit = 15;

bool gateOpen(ADEditor& editor, ParameterIndex parameter) {
    const std::optional<ParameterIndex> gate = parameterInfo(parameter).gate;
    return !gate || editor.effect().parameter(*gate) == 1.0f;
}

void commit(ADEditor& editor, ParameterIndex parameter, Fader& fader) {
    EditorView& view = editor.view();
    platform::WindowServices& windows = editor.platform().windows;
    const platform::WindowHandle box = view.controls.valueBox(parameter);
    std::string text = windows.text(box);
    if (text.size() > kBoxTextLimit) text.resize(kBoxTextLimit);
    if (const std::optional<float> value = storedFromText(parameterKind(parameter), text)) {
        fader.setValue(*value);
        writeControlValue(editor, parameter, fader.value());
        // A host may close the editor while it hears of the change.
        if (!editor.isOpen()) return;
    }
    windows.showWindow(box, false);
    fader.setBoxVisible(true);
    view.activeEdit = nullptr;
}

}  // namespace

void writeControlValue(ADEditor& editor, ParameterIndex parameter, float value) {
    EffectControls& effect = editor.effect();
    effect.beginGesture(parameter);
    effect.changeParameter(parameter, storedForm(parameter, value));
    effect.endGesture(parameter);
}

void commitValueBox(ADEditor& editor) {
    for (ParameterIndex parameter : kEditableFaders) {
        Fader* fader = editor.view().controls.fader(parameter);
        if (fader && fader == editor.view().activeEdit) commit(editor, parameter, *fader);
    }
}

void commitValueBoxOnSecondLine(ADEditor& editor) {
    const platform::WindowServices& windows = editor.platform().windows;
    for (ParameterIndex parameter : kEditableFaders) {
        Fader* fader = editor.view().controls.fader(parameter);
        if (!fader || fader != editor.view().activeEdit) continue;
        if (windows.editLineCount(editor.view().controls.valueBox(parameter)) == 2)
            commit(editor, parameter, *fader);
    }
}

void openValueBoxAt(ADEditor& editor, int x, int y) {
    EditorView& view = editor.view();
    platform::WindowServices& windows = editor.platform().windows;
    for (ParameterIndex parameter : kEditableFaders) {
        Fader* fader = view.controls.fader(parameter);
        const platform::WindowHandle box = view.controls.valueBox(parameter);
        // Without its box a fader offers nothing to type into.
        if (!fader || !box || view.activeEdit || !fader->hitBox(x, y) ||
            !gateOpen(editor, parameter))
            continue;
        fader->setBoxVisible(false);
        windows.showWindow(box, true);
        windows.setText(box, standaloneText(parameterKind(parameter), fader->value()));
        windows.setEditSelection(box, 0, -1);
        windows.setFocus(box);
        view.activeEdit = fader;
    }
}

}  // namespace velmorin
