#include "editor/value_entry.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "editor/ad_editor.h"

namespace velmorin {
namespace {

// The box is read as into a 16-byte buffer: at most 15 characters count.
constexpr std::size_t kBoxTextLimit = 15;

std::string format(const char* pattern, float number) {
    char text[16];
    std::snprintf(text, sizeof text, pattern, static_cast<double>(number));
    return text;
}

bool gateOpen(ADEditor& editor, const EditableFader& entry) {
    return !entry.gate || editor.effect().parameter(*entry.gate) == 1.0f;
}

void commit(ADEditor& editor, const EditableFader& entry, Fader& fader) {
    EditorView& view = editor.view();
    platform::WindowServices& windows = editor.platform().windows;
    const platform::WindowHandle box = view.controls.valueBox(entry.parameter);
    std::string text = windows.text(box);
    if (text.size() > kBoxTextLimit) text.resize(kBoxTextLimit);
    if (const std::optional<float> typed = typedNumber(text)) {
        fader.setValue(valueOfTyped(entry.form, *typed));
        writeControlValue(editor, entry.parameter, fader.value());
        // A host may close the editor while it hears of the change.
        if (!editor.isOpen()) return;
    }
    windows.showWindow(box, false);
    fader.setBoxVisible(true);
    view.activeEdit = nullptr;
}

}  // namespace

std::string typedText(TypedForm form, float value) {
    switch (form) {
        case TypedForm::Output:
            return format("%2.2f", (24000.0f - value) / 1000.0f);
        case TypedForm::Threshold:
            return format("%2.1f", -value / 2.0f);
        case TypedForm::Ratio:
            // From the fader's own value, which may lie between the ratios
            // the read-out shows until the next refresh.
            return format("%2.1f : 1", value * 19.0f + 1.0f);
        case TypedForm::Mix:
            return format("%2.1f", 12.0f - value / 10.0f);
    }
    return {};
}

std::optional<float> typedNumber(std::string_view text) {
    const std::string terminated(text);
    const double number = std::strtod(terminated.c_str(), nullptr);
    if (!std::isfinite(number) || std::fabs(number) > FLT_MAX) return std::nullopt;
    return static_cast<float>(number);
}

float valueOfTyped(TypedForm form, float typed) {
    switch (form) {
        case TypedForm::Output:
            return 24000.0f - 1000.0f * typed;
        case TypedForm::Threshold:
            return 2.0f * std::fabs(typed);  // the sign is implied
        case TypedForm::Ratio:
            return (typed - 1.0f) / 19.0f;
        case TypedForm::Mix:
            return (12.0f - typed) * 10.0f;
    }
    return 0.0f;
}

float storedFormOf(ParameterIndex parameter, float value) {
    switch (parameterKind(parameter)) {
        case ParameterKind::Threshold:
            return truncateToInt16(value);
        case ParameterKind::Ratio:
            return value;
        default:
            return static_cast<float>(truncateToInt(value));
    }
}

void writeControlValue(ADEditor& editor, ParameterIndex parameter, float value) {
    EffectControls& effect = editor.effect();
    effect.beginGesture(parameter);
    effect.changeParameter(parameter, storedFormOf(parameter, value));
    effect.endGesture(parameter);
}

void commitValueBox(ADEditor& editor) {
    for (const EditableFader& entry : kEditableFaders) {
        Fader* fader = editor.view().controls.fader(entry.parameter);
        if (fader && fader == editor.view().activeEdit) commit(editor, entry, *fader);
    }
}

void commitValueBoxOnSecondLine(ADEditor& editor) {
    const platform::WindowServices& windows = editor.platform().windows;
    for (const EditableFader& entry : kEditableFaders) {
        Fader* fader = editor.view().controls.fader(entry.parameter);
        if (!fader || fader != editor.view().activeEdit) continue;
        if (windows.editLineCount(editor.view().controls.valueBox(entry.parameter)) == 2)
            commit(editor, entry, *fader);
    }
}

void openValueBoxAt(ADEditor& editor, int x, int y) {
    EditorView& view = editor.view();
    platform::WindowServices& windows = editor.platform().windows;
    for (const EditableFader& entry : kEditableFaders) {
        Fader* fader = view.controls.fader(entry.parameter);
        const platform::WindowHandle box = view.controls.valueBox(entry.parameter);
        // Without its box a fader offers nothing to type into.
        if (!fader || !box || view.activeEdit || !fader->hitBox(x, y) || !gateOpen(editor, entry))
            continue;
        fader->setBoxVisible(false);
        windows.showWindow(box, true);
        windows.setText(box, typedText(entry.form, fader->value()));
        windows.setEditSelection(box, 0, -1);
        windows.setFocus(box);
        view.activeEdit = fader;
    }
}

}  // namespace velmorin
