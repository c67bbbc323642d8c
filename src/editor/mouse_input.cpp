#include "editor/mouse_input.h"

#include <array>
#include <optional>

#include "editor/ad_editor.h"
#include "editor/context_menu.h"
#include "editor/menu_commands.h"
#include "editor/value_entry.h"
#include "engine/parameter_mapping.h"

namespace velmorin {
namespace {

struct PageStep {
    ParameterIndex parameter;
    float step;
};

constexpr std::array<ParameterIndex, 15> kDragOrder{
    kZoomMaster, kOutput, kThrLimiter, kThrH,  kRatioH, kThrM, kRatioM, kThrL,
    kRatioL,     kZoomH,  kZoomM,      kZoomL, kMixH,   kMixM, kMixL};

constexpr std::array<PageStep, 15> kPageOrder{{{kThrH, 1},
                                               {kRatioH, 0.03f},
                                               {kThrM, 1},
                                               {kRatioM, 0.03f},
                                               {kThrL, 1},
                                               {kRatioL, 0.03f},
                                               {kZoomH, 1},
                                               {kZoomM, 1},
                                               {kZoomL, 1},
                                               {kMixH, 1},
                                               {kMixM, 1},
                                               {kMixL, 1},
                                               {kZoomMaster, 1},
                                               {kOutput, 10},
                                               {kThrLimiter, 1}}};

// A lamp and the two others its Ctrl and Shift clicks reach, in the order
// they are served.
struct LampGroup {
    ParameterIndex lamp;
    std::array<ParameterIndex, 2> partners;
    bool grouped;
};

constexpr std::array<LampGroup, 13> kLamps{{
    {kLookAhead, {}, false},
    {kNormalize, {}, false},
    {kDither, {}, false},
    {kBypass, {}, false},
    {kHighOn, {kMidOn, kLowOn}, true},
    {kMidOn, {kHighOn, kLowOn}, true},
    {kLowOn, {kHighOn, kMidOn}, true},
    {kHighBypass, {kMidBypass, kLowBypass}, true},
    {kMidBypass, {kHighBypass, kLowBypass}, true},
    {kLowBypass, {kHighBypass, kMidBypass}, true},
    {kHighAtk, {kMidAtk, kLowAtk}, true},
    {kMidAtk, {kHighAtk, kLowAtk}, true},
    {kLowAtk, {kMidAtk, kHighAtk}, true},  // the one group served downward
}};

// The skin's spots: x bounds exclusive, y bounds inclusive.
bool inSpot(const Area& spot, int x, int y) {
    return x > spot.left && x < spot.right && y >= spot.top && y <= spot.bottom;
}

FaderBase* anyFader(const EditorControls& controls, ParameterIndex parameter) {
    if (Fader* fader = controls.fader(parameter)) return fader;
    return controls.zoomFader(parameter);
}

std::optional<ParameterIndex> draggedParameter(const EditorView& view) {
    for (ParameterIndex parameter : kDragOrder)
        if (view.dragControl && anyFader(view.controls, parameter) == view.dragControl)
            return parameter;
    return std::nullopt;
}

// Each pass answers whether the editor is still open: a host may close it
// while it hears of a change, and then nothing of the view may be touched.
bool dragPass(ADEditor& editor, int x, int y) {
    EffectControls& effect = editor.effect();
    for (ParameterIndex parameter : kDragOrder) {
        FaderBase* fader = anyFader(editor.view().controls, parameter);
        if (!fader || !fader->grab(x, y)) continue;
        endDrag(editor);
        effect.beginGesture(parameter);
        effect.changeParameter(parameter, storedForm(parameter, fader->value()));
        if (!editor.isOpen()) {
            effect.endGesture(parameter);
            return false;
        }
        editor.view().dragControl = fader;
    }
    return true;
}

bool pagePass(ADEditor& editor, int x, int y) {
    for (const PageStep& page : kPageOrder) {
        FaderBase* fader = anyFader(editor.view().controls, page.parameter);
        if (!fader || !fader->stepToward(x, y, page.step)) continue;
        writeControlValue(editor, page.parameter, fader->value());
        if (!editor.isOpen()) return false;
    }
    return true;
}

bool write(ADEditor& editor, ParameterIndex parameter, float value) {
    EffectControls& effect = editor.effect();
    effect.beginGesture(parameter);
    effect.changeParameter(parameter, value);
    effect.endGesture(parameter);
    return editor.isOpen();
}

// Switching Normalize on tells the host the gain it starts from; switching
// it off makes the gain it reached the Output setting.
bool normalizeSwitched(ADEditor& editor, float nowOn) {
    EffectControls& effect = editor.effect();
    const float gain = effect.outputGain();
    if (nowOn == 1.0f) return write(editor, kParameter18, gain);
    if (!write(editor, kOutput, static_cast<float>(outputValueFor(gain)))) return false;
    effect.restartNormalizerFollow();
    return true;
}

bool lampPass(ADEditor& editor, int x, int y, std::uintptr_t keys) {
    for (const LampGroup& group : kLamps) {
        LampButton* lamp = editor.view().controls.lamp(group.lamp);
        if (!lamp || !lamp->hit(x, y)) continue;
        const float value = static_cast<float>(1 - lamp->state());
        if (!write(editor, group.lamp, value)) return false;
        if (group.lamp == kNormalize && !normalizeSwitched(editor, value)) return false;
        if (!group.grouped) continue;
        // With both keys the Shift calls come last and decide.
        if (keys & kKeyControl)
            for (ParameterIndex partner : group.partners)
                if (!write(editor, partner, value)) return false;
        if (keys & kKeyShift)
            for (ParameterIndex partner : group.partners)
                if (!write(editor, partner, 1.0f - value)) return false;
    }
    return true;
}

void hotSpotPass(ADEditor& editor, int x, int y) {
    for (int band = 0; band < kNumBands; ++band) {
        if (!inSpot(kBandSwitchSpots[band], x, y)) continue;
        const auto parameter = static_cast<ParameterIndex>(kHighOn + band);
        if (!write(editor, parameter, 1.0f - editor.effect().parameter(parameter))) return;
    }
    if (inSpot(kMixResetSpot, x, y))
        for (ParameterIndex mix : {kMixL, kMixM, kMixH})
            if (!write(editor, mix, 120.0f)) return;
    if (inSpot(kInfoSpot, x, y)) onMenuCommand(editor, kCmdInfo);
    // A released mark takes the current bar at the next tick.
    MeterState& meters = editor.view().meters;
    if (inSpot(kOutputHoldSpot, x, y)) meters.outHoldCount = 0;
    for (int display = 0; display < kWaveDisplayCount; ++display)
        if (inSpot(kGainHoldSpots[display], x, y)) meters.bandHoldCount[display] = 0;
}

}  // namespace

void onLeftButtonDown(ADEditor& editor, int x, int y, std::uintptr_t keys) {
    // A press on the open box itself goes to the box, so every press that
    // reaches the editor window commits it.
    commitValueBox(editor);
    if (!editor.isOpen()) return;
    openValueBoxAt(editor, x, y);
    if (dragPass(editor, x, y) && pagePass(editor, x, y) && lampPass(editor, x, y, keys))
        hotSpotPass(editor, x, y);
}

void onMouseMove(ADEditor& editor, int x, int y, std::uintptr_t keys) {
    // Only the left button, with no other button or key held.
    FaderBase* fader = editor.view().dragControl;
    if (keys != kKeyLeftButton || !fader) return;
    if (const std::optional<ParameterIndex> parameter = draggedParameter(editor.view())) {
        fader->dragTo(x, y);
        editor.effect().changeParameter(*parameter, storedForm(*parameter, fader->value()));
    }
}

void onLeftButtonUp(ADEditor& editor) {
    endDrag(editor);
}

void endDrag(ADEditor& editor) {
    if (const std::optional<ParameterIndex> parameter = draggedParameter(editor.view()))
        editor.effect().endGesture(*parameter);
    editor.view().dragControl = nullptr;
}

}  // namespace velmorin
