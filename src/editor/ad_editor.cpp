#include "editor/ad_editor.h"

#include "editor/context_menu.h"
#include "editor/display_prefs_applier.h"
#include "editor/display_tick.h"
#include "editor/editor_paint.h"
#include "editor/editor_timer.h"
#include "editor/editor_window.h"
#include "editor/mouse_input.h"
#include "editor/room_colour.h"
#include "editor/shared_editor_resources.h"
#include "editor/stored_values_view.h"
#include "platform/scale_choice.h"

namespace velmorin {

ADEditor::ADEditor(EffectControls& effect, const EditorPlatform& platform, void* windowUserData)
    : effect_(effect),
      base_(platform),
      platform_(platform),
      windowUserData_(windowUserData ? windowUserData : this),
      information_(platform) {}

ADEditor::~ADEditor() {
    close();
}

platform::Scale ADEditor::scaleOfChoice(std::int32_t storedChoice) const {
    if (!base_.scales) return {};
    return platform::chooseEditorScale(storedChoice, hostScaleFactor_,
                                       base_.scales->systemScaleFactor(view_.window));
}

platform::Scale ADEditor::scale() const {
    if (view_.window) return scale_;
    platform::PreferenceRecord record;
    record.editorScale = view_.prefs.editorScale;
    base_.preferences.read(record);
    return scaleOfChoice(record.editorScale);
}

void ADEditor::useScale(platform::Scale scale) {
    scale_ = scale;
    if (!base_.scales) return;
    platform_.emplace(EditorPlatform{base_.scales->graphicsAt(scale), base_.windows,
                                     base_.preferences, base_.scales});
    base_.windows.resizeWindow(view_.window, scale);
}

bool ADEditor::open(void* parentWindow) {
    if (view_.window) return true;
    // The size the host was given while the editor was closed: on Windows
    // the window's monitor may have another DPI than the one measured then.
    const platform::Scale promised = scale();
    SharedEditorResources& shared = SharedEditorResources::process();
    platform::WindowServices& windows = base_.windows;

    if (!shared.acquire(base_, editorWindowProcedure)) return false;
    const platform::WindowHandle window = windows.createChildWindow(
        SharedEditorResources::kWindowClass, "Velmorin", parentWindow, kEditorWidth, kEditorHeight);
    if (!window) {
        shared.release();
        return false;
    }
    shared.enterWindow(window);
    windows.setRoomColour(window, kRoomColour);
    windows.setUserData(window, windowUserData_);
    enterOpenEditor(*this);
    view_.window = window;
    view_.dragControl = nullptr;
    readDisplayPrefs(base_.preferences, view_.prefs, effect_);
    // The window is made at 1.0; a platform with scales draws it at the one
    // chosen.
    if (const platform::Scale chosen = scaleOfChoice(view_.prefs.editorScale); chosen != scale_)
        useScale(chosen);
    // A host that does not follow keeps the size it was given.
    if (scale_ != promised && hostResize_ &&
        !hostResize_(scale_.device(kEditorWidth), scale_.device(kEditorHeight)))
        useScale(promised);
    openDrawing();
    view_.menu = windows.loadMenu(kContextMenuResource, contextMenuDescription());
    windows.setWindowMenu(window, view_.menu);
    applyDisplayPrefs(view_, effect_, *platform_);
    startEditorTimer(windows, window, view_.prefs.displaySpeed);
    return true;
}

void ADEditor::openDrawing() {
    const SharedDrawing& drawing =
        SharedEditorResources::process().drawingAt(scale_, platform_->graphics);
    platform::WindowServices& windows = base_.windows;
    // The colours the effect starts with, until the preferences are applied.
    recolourWavePens(view_.wavePens, platform_->graphics, DisplayPrefs{}.waveColours);
    view_.waveSurfaces = buildWaveSurfaces(platform_->graphics, drawing.skin(),
                                           drawing.cornerHighlight(), drawing.surfaceInks());
    view_.controls.create({windows, view_.window, drawing.skin()}, drawing);
    view_.activeEdit = nullptr;
    view_.controls.createValueBoxes(windows, view_.window, drawing.font());
}

void ADEditor::closeDrawing() {
    endDrag(*this);
    view_.waveSurfaces = {};
    view_.controls.destroy();
    view_.activeEdit = nullptr;
    view_.controls.destroyValueBoxes(base_.windows);
    deleteWavePens();
}

bool ADEditor::followSizeChoice() {
    const platform::Scale scale = scaleOfChoice(view_.prefs.editorScale);
    if (!view_.window || scale == scale_) return true;
    if (hostResize_ && !hostResize_(scale.device(kEditorWidth), scale.device(kEditorHeight)))
        return false;
    redrawAt(scale);
    return true;
}

void ADEditor::setHostScaleFactor(std::optional<double> factor) {
    hostScaleFactor_ = factor;
    // The host asked, so it is not asked again.
    const platform::Scale scale = scaleOfChoice(view_.prefs.editorScale);
    if (view_.window && scale != scale_) redrawAt(scale);
}

void ADEditor::redrawAt(platform::Scale scale) {
    closeDrawing();
    useScale(scale);
    openDrawing();
    applyDisplayPrefs(view_, effect_, *platform_);
    refresh();
}

void ADEditor::close() {
    if (!view_.window) return;
    platform::WindowServices& windows = base_.windows;
    closeDrawing();
    windows.destroyMenu(view_.menu);
    view_.menu = {};
    windows.killTimer(view_.window, kEditorTimerId);

    // The window may live on until its host window goes: messages that still
    // reach it, or reach it after the editor is gone, find no editor.
    windows.setUserData(view_.window, nullptr);
    leaveOpenEditor(*this);
    view_.window = {};
    // The next open starts from 1.0 again, as its window does.
    scale_ = {};
    platform_.emplace(base_);
    SharedEditorResources::process().release();
}

void ADEditor::refresh() {
    if (!view_.controls.exist()) return;
    showStoredValues(view_.controls, effect_);
    rerenderWaveDisplays(view_.waveSurfaces, view_.waveColumns, storedDisplayZooms(effect_),
                         view_.wavePens,
                         SharedEditorResources::process().drawing(scale_).surfaceInks());
}

void ADEditor::takeHostValues() {
    if (view_.window) applyHostValues(view_, effect_, base_.windows);
}

void ADEditor::onPaint() {
    if (!view_.window) return;
    paintEditor(view_, effect_, base_.windows, SharedEditorResources::process().drawing(scale_));
}

void ADEditor::onDisplayTick() {
    if (!view_.window) return;
    runDisplayTick(view_, effect_, base_.windows, SharedEditorResources::process().drawing(scale_));
}

void ADEditor::deleteWavePens() {
    for (auto& pens : view_.wavePens)
        for (auto& pen : pens) pen.reset();
}

}  // namespace velmorin
