// The UI's entry point: the editor in the host's X window, pumped on the
// host's idle calls, reaching the plug-in only through the host.
#include <cstdint>
#include <cstring>
#include <new>

#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "editor/ad_editor.h"
#include "editor/layout.h"
#include "formats/lv2/lv2_identity.h"
#include "formats/lv2/lv2_ui_controls.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin::lv2 {
namespace {

struct Lv2Ui {
    Lv2Ui(LV2_URID_Map* map, const UiHost& host)
        : controls(map, host), editor(controls, X11EditorPlatform::process().services) {}

    Lv2UiControls controls;
    ADEditor editor;
};

struct UiFeatures {
    LV2_URID_Map* map = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
};

UiFeatures findFeatures(const LV2_Feature* const* features) {
    UiFeatures found;
    for (; features && *features; ++features) {
        const char* uri = (*features)->URI;
        void* data = (*features)->data;
        if (std::strcmp(uri, LV2_URID__map) == 0) found.map = static_cast<LV2_URID_Map*>(data);
        if (std::strcmp(uri, LV2_UI__parent) == 0) found.parent = data;
        if (std::strcmp(uri, LV2_UI__resize) == 0) found.resize = static_cast<LV2UI_Resize*>(data);
        if (std::strcmp(uri, LV2_UI__touch) == 0) found.touch = static_cast<LV2UI_Touch*>(data);
    }
    return found;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
    const UiFeatures found = findFeatures(features);
    if (!pluginUri || std::strcmp(pluginUri, kPluginUri) != 0 || !found.map || !found.parent ||
        !widget) {
        return nullptr;
    }
    Lv2Ui* ui = new (std::nothrow) Lv2Ui(found.map, {write, controller, found.touch});
    if (!ui) return nullptr;
    X11EditorPlatform& platform = X11EditorPlatform::process();
    if (!ui->editor.open(found.parent)) {
        delete ui;
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(
        static_cast<std::uintptr_t>(platform.windows.nativeWindow(ui->editor.view().window)));
    if (found.resize && found.resize->ui_resize) {
        found.resize->ui_resize(found.resize->handle, kEditorWidth, kEditorHeight);
    }
    // Shown at once, not only at the host's next idle call.
    platform.windows.pump();
    return ui;
}

void cleanup(LV2UI_Handle handle) {
    delete static_cast<Lv2Ui*>(handle);
    X11EditorPlatform::process().windows.pump();
}

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format,
               const void* buffer) {
    static_cast<Lv2Ui*>(handle)->controls.portEvent(port, bufferSize, format, buffer);
}

int idle(LV2UI_Handle handle) {
    X11EditorPlatform::process().windows.pump();
    // Non-zero tells the host the UI was closed (its window destroyed).
    return static_cast<Lv2Ui*>(handle)->editor.isOpen() ? 0 : 1;
}

const LV2UI_Idle_Interface kIdleInterface = {idle};

const void* extensionData(const char* uri) {
    return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace
}  // namespace velmorin::lv2

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &velmorin::lv2::kDescriptor : nullptr;
}
