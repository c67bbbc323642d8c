// The UI's entry point: the editor in the host's X window, pumped on the
// host's idle calls, reaching the plug-in only through the host.
#include <cstdint>
#include <cstring>
#include <new>

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <optional>

#include "editor/ad_editor.h"
#include "editor/layout.h"
#include "formats/lv2/lv2_identity.h"
#include "formats/lv2/lv2_ui_controls.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin::lv2 {
namespace {

struct Lv2Ui {
    Lv2Ui(LV2_URID_Map* map, const UiHost& host, const LV2UI_Resize* resize)
        : controls(map, host),
          editor(controls, X11EditorPlatform::process().services),
          resize(resize && resize->ui_resize ? resize : nullptr),
          scaleFactorKey(map->map(map->handle, LV2_UI__scaleFactor)),
          floatType(map->map(map->handle, LV2_ATOM__Float)) {
        // The user's size choice: the host fits its window, or the editor
        // stays. Without the feature the editor resizes alone.
        if (this->resize) {
            editor.setHostResize([this](int width, int height) {
                return this->resize->ui_resize(this->resize->handle, width, height) == 0;
            });
        }
    }

    // The host's ui:scaleFactor among `options`, if it gives one as a float.
    std::optional<double> scaleFactorOf(const LV2_Options_Option* options) const {
        for (; options && (options->key != 0 || options->value); ++options) {
            if (options->context == LV2_OPTIONS_INSTANCE && options->key == scaleFactorKey &&
                options->type == floatType && options->size == sizeof(float) && options->value) {
                return *static_cast<const float*>(options->value);
            }
        }
        return std::nullopt;
    }
    // Tells the host the size the editor has now.
    void reportSize() const {
        const platform::Scale scale = editor.scale();
        if (resize)
            resize->ui_resize(resize->handle, scale.device(kEditorWidth),
                              scale.device(kEditorHeight));
    }

    Lv2UiControls controls;
    ADEditor editor;
    const LV2UI_Resize* resize;
    LV2_URID scaleFactorKey;
    LV2_URID floatType;
};

struct UiFeatures {
    LV2_URID_Map* map = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
    const LV2_Options_Option* options = nullptr;
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
        if (std::strcmp(uri, LV2_OPTIONS__options) == 0)
            found.options = static_cast<const LV2_Options_Option*>(data);
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
    Lv2Ui* ui = new (std::nothrow) Lv2Ui(found.map, {write, controller, found.touch}, found.resize);
    if (!ui) return nullptr;
    ui->editor.setHostScaleFactor(ui->scaleFactorOf(found.options));
    X11EditorPlatform& platform = X11EditorPlatform::process();
    if (!ui->editor.open(found.parent)) {
        delete ui;
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(
        static_cast<std::uintptr_t>(platform.windows.nativeWindow(ui->editor.view().window)));
    ui->reportSize();
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
    auto* ui = static_cast<Lv2Ui*>(handle);
    ui->controls.portEvent(port, bufferSize, format, buffer);
    if (format == 0 && port <= kDcRemovalPort) ui->editor.takeHostValues();
}

int idle(LV2UI_Handle handle) {
    X11EditorPlatform::process().windows.pump();
    // Non-zero tells the host the UI was closed (its window destroyed).
    return static_cast<Lv2Ui*>(handle)->editor.isOpen() ? 0 : 1;
}

const LV2UI_Idle_Interface kIdleInterface = {idle};

// A host may change the scale factor while the UI is open; nothing else is
// an option of the UI's.
const LV2_Options_Interface kOptionsInterface = {
    [](LV2_Handle, LV2_Options_Option*) -> uint32_t { return LV2_OPTIONS_ERR_BAD_KEY; },
    [](LV2_Handle handle, const LV2_Options_Option* options) -> uint32_t {
        auto* ui = static_cast<Lv2Ui*>(handle);
        const std::optional<double> factor = ui->scaleFactorOf(options);
        if (!factor) return LV2_OPTIONS_ERR_BAD_KEY;
        ui->editor.setHostScaleFactor(factor);
        ui->reportSize();
        X11EditorPlatform::process().windows.pump();
        return LV2_OPTIONS_SUCCESS;
    },
};

const void* extensionData(const char* uri) {
    if (!uri) return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdleInterface;
    if (std::strcmp(uri, LV2_OPTIONS__interface) == 0) return &kOptionsInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

}  // namespace
}  // namespace velmorin::lv2

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &velmorin::lv2::kDescriptor : nullptr;
}
