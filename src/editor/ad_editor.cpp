#include "editor/ad_editor.h"

#include "editor/context_menu.h"
#include "editor/display_prefs_applier.h"
#include "editor/display_tick.h"
#include "editor/editor_paint.h"
#include "editor/editor_timer.h"
#include "editor/editor_window.h"
#include "editor/shared_editor_resources.h"
#include "editor/stored_values_view.h"
#include "shell/adelay.h"

namespace velmorin {

ADEditor::ADEditor(ADelay& effect, const EditorPlatform& platform)
    : AEffEditor(&effect), platform_(platform), information_(platform) {
    effect.setEditor(this);
}

ADEditor::~ADEditor() {
    close();
}

ADelay& ADEditor::delay() const {
    return static_cast<ADelay&>(*effect_);
}

bool ADEditor::getRect(ERect** rect) {
    static ERect editorRect{0, 0, kEditorHeight, kEditorWidth};
    if (!rect) return false;
    *rect = &editorRect;
    return true;
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
    windows.setUserData(window, &delay());
    view_.window = window;
    view_.dragControl = nullptr;
    // The colours the effect starts with, until the preferences are applied.
    recolourWavePens(view_.wavePens, platform_.graphics, DisplayPrefs{}.waveColours);
    readDisplayPrefs(platform_.preferences, view_.prefs, delay().engine());
    view_.waveSurfaces = buildWaveSurfaces(platform_.graphics, shared.skin(),
                                           shared.cornerHighlight(), shared.surfaceInks());
    view_.controls.create({windows, window, shared.skin()}, shared);
    view_.activeEdit = nullptr;
    view_.controls.createValueBoxes(windows, window, shared.font());
    view_.menu = windows.createMenu(contextMenuDescription());
    windows.setWindowMenu(window, view_.menu);
    applyDisplayPrefs(view_, delay(), platform_);
    startEditorTimer(windows, window, view_.prefs.displaySpeed);
    return true;
}

void ADEditor::close() {
    if (!view_.window) return;
    platform::WindowServices& windows = platform_.windows;
    view_.waveSurfaces = {};
    view_.controls.destroy();
    view_.activeEdit = nullptr;
    view_.dragControl = nullptr;
    view_.controls.destroyValueBoxes(windows);
    windows.destroyMenu(view_.menu);
    view_.menu = {};
    deleteWavePens();
    windows.killTimer(view_.window, kEditorTimerId);

    // The window may live on until its host window goes: messages that still
    // reach it, or reach it after the effect is gone, find no effect.
    windows.setUserData(view_.window, nullptr);
    view_.window = {};
    SharedEditorResources::process().release();
}

void ADEditor::refresh() {
    if (!view_.controls.exist()) return;
    showStoredValues(view_.controls, delay().engine());
    rerenderWaveDisplays(view_.waveSurfaces, view_.waveColumns,
                         storedDisplayZooms(delay().engine()), view_.wavePens,
                         SharedEditorResources::process().surfaceInks());
}

void ADEditor::onPaint() {
    if (!view_.window) return;
    paintEditor(view_, delay().engine(), platform_.windows, SharedEditorResources::process());
}

void ADEditor::onDisplayTick() {
    if (!view_.window) return;
    runDisplayTick(view_, delay().engine(), platform_.windows, SharedEditorResources::process());
}

void ADEditor::deleteWavePens() {
    for (auto& pens : view_.wavePens)
        for (auto& pen : pens) pen.reset();
}

}  // namespace velmorin
