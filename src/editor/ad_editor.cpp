#include "editor/ad_editor.h"

#include "editor/context_menu.h"
#include "editor/display_prefs_applier.h"
#include "editor/display_tick.h"
#include "editor/editor_paint.h"
#include "editor/editor_timer.h"
#include "editor/editor_window.h"
#include "editor/mouse_input.h"
#include "editor/shared_editor_resources.h"
#include "editor/stored_values_view.h"

namespace velmorin {

ADEditor::ADEditor(EffectControls& effect, const EditorPlatform& platform, void* windowUserData)
    : effect_(effect),
      platform_(platform),
      windowUserData_(windowUserData ? windowUserData : this),
      information_(platform) {}

ADEditor::~ADEditor() {
    close();
}

bool ADEditor::open(void* parentWindow) {
    if (view_.window) return true;
    SharedEditorResources& shared = SharedEditorResources::process();
    platform::WindowServices& windows = platform_.windows;

    if (!shared.acquire(platform_, editorWindowProcedure)) return false;
    const platform::WindowHandle window = windows.createChildWindow(
        SharedEditorResources::kWindowClass, "Velmorin", parentWindow, kEditorWidth, kEditorHeight);
    if (!window) {
        shared.release();
        return false;
    }
    shared.enterWindow(window);
    windows.setUserData(window, windowUserData_);
    enterOpenEditor(*this);
    view_.window = window;
    view_.dragControl = nullptr;
    // The colours the effect starts with, until the preferences are applied.
    recolourWavePens(view_.wavePens, platform_.graphics, DisplayPrefs{}.waveColours);
    readDisplayPrefs(platform_.preferences, view_.prefs, effect_);
    view_.waveSurfaces = buildWaveSurfaces(platform_.graphics, shared.skin(),
                                           shared.cornerHighlight(), shared.surfaceInks());
    view_.controls.create({windows, window, shared.skin()}, shared);
    view_.activeEdit = nullptr;
    view_.controls.createValueBoxes(windows, window, shared.font());
    view_.menu = windows.loadMenu(kContextMenuResource, contextMenuDescription());
    windows.setWindowMenu(window, view_.menu);
    applyDisplayPrefs(view_, effect_, platform_);
    startEditorTimer(windows, window, view_.prefs.displaySpeed);
    return true;
}

void ADEditor::close() {
    if (!view_.window) return;
    platform::WindowServices& windows = platform_.windows;
    endDrag(*this);
    view_.waveSurfaces = {};
    view_.controls.destroy();
    view_.activeEdit = nullptr;
    view_.controls.destroyValueBoxes(windows);
    windows.destroyMenu(view_.menu);
    view_.menu = {};
    deleteWavePens();
    windows.killTimer(view_.window, kEditorTimerId);

    // The window may live on until its host window goes: messages that still
    // reach it, or reach it after the editor is gone, find no editor.
    windows.setUserData(view_.window, nullptr);
    leaveOpenEditor(*this);
    view_.window = {};
    SharedEditorResources::process().release();
}

void ADEditor::refresh() {
    if (!view_.controls.exist()) return;
    showStoredValues(view_.controls, effect_);
    rerenderWaveDisplays(view_.waveSurfaces, view_.waveColumns, storedDisplayZooms(effect_),
                         view_.wavePens, SharedEditorResources::process().surfaceInks());
}

void ADEditor::onPaint() {
    if (!view_.window) return;
    paintEditor(view_, effect_, platform_.windows, SharedEditorResources::process());
}

void ADEditor::onDisplayTick() {
    if (!view_.window) return;
    runDisplayTick(view_, effect_, platform_.windows, SharedEditorResources::process());
}

void ADEditor::deleteWavePens() {
    for (auto& pens : view_.wavePens)
        for (auto& pen : pens) pen.reset();
}

}  // namespace velmorin
