#include "formats/clap/clap_gui.h"

#include <clap/ext/gui.h>
#include <clap/ext/posix-fd-support.h>
#include <clap/ext/timer-support.h>

#include <cstring>
#include <new>

#include "formats/clap/clap_editor.h"

namespace velmorin::clap_format {

namespace {

// The editor embeds in a window of the platform's API (X11 on Linux, Win32
// on Windows); it makes no floating window of its own.
bool supported(const char* api, bool floating) {
    return api != nullptr && std::strcmp(api, ClapEditor::kWindowApi) == 0 && !floating;
}

ClapEffect& mainThreadEffect(const clap_plugin_t* plugin) {
    ClapEffect& effect = ClapEffect::of(plugin);
    effect.host().expectMainThread();
    return effect;
}

ClapEditor* editorOf(const clap_plugin_t* plugin) {
    return static_cast<ClapEditor*>(mainThreadEffect(plugin).editorState().get());
}

// The editor's size at its scale; a closed or not yet created editor's
// size is the one it would open at.
bool editorSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
    const ClapEditor* editor = editorOf(plugin);
    if (editor == nullptr || width == nullptr || height == nullptr) return false;
    *width = editor->width();
    *height = editor->height();
    return true;
}

const clap_plugin_gui_t kGui = {
    [](const clap_plugin_t* plugin, const char* api, bool floating) {
        mainThreadEffect(plugin);
        return supported(api, floating);
    },
    [](const clap_plugin_t* plugin, const char** api, bool* floating) {
        mainThreadEffect(plugin);
        if (api == nullptr || floating == nullptr) return false;
        *api = ClapEditor::kWindowApi;
        *floating = false;
        return true;
    },
    [](const clap_plugin_t* plugin, const char* api, bool floating) {
        ClapEffect& effect = mainThreadEffect(plugin);
        if (!supported(api, floating) || effect.editorState() != nullptr) return false;
        effect.editorState().reset(new (std::nothrow) ClapEditor(effect));
        return effect.editorState() != nullptr;
    },
    [](const clap_plugin_t* plugin) { mainThreadEffect(plugin).editorState().reset(); },
    [](const clap_plugin_t* plugin, double scale) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && editor->setScale(scale);
    },
    editorSize,
    // The user picks a size from the editor's "Size" menu, not by dragging:
    // the host is asked to follow, and any other size is refused.
    [](const clap_plugin_t* plugin) {
        mainThreadEffect(plugin);
        return false;
    },
    [](const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints) {
        const ClapEditor* editor = editorOf(plugin);
        if (editor == nullptr || hints == nullptr) return false;
        *hints = {false, false, true, editor->width(), editor->height()};
        return true;
    },
    editorSize,
    [](const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
        const ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && width == editor->width() && height == editor->height();
    },
    [](const clap_plugin_t* plugin, const clap_window_t* window) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && window != nullptr && supported(window->api, false) &&
               editor->open(*window);
    },
    // Only a floating window has a transient parent.
    [](const clap_plugin_t* plugin, const clap_window_t*) {
        mainThreadEffect(plugin);
        return false;
    },
    [](const clap_plugin_t* plugin, const char*) { mainThreadEffect(plugin); },
    [](const clap_plugin_t* plugin) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && editor->show(true);
    },
    [](const clap_plugin_t* plugin) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && editor->show(false);
    },
};

void tick(const clap_plugin_t* plugin) {
    if (ClapEditor* editor = editorOf(plugin)) editor->tick();
}

const clap_plugin_timer_support_t kTimerSupport = {
    [](const clap_plugin_t* plugin, clap_id) { tick(plugin); },
};

const clap_plugin_posix_fd_support_t kPosixFdSupport = {
    [](const clap_plugin_t* plugin, int, clap_posix_fd_flags_t) { tick(plugin); },
};

}  // namespace

const void* editorExtensionTable(const char* id) {
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kGui;
    // Only an editor the host ticks asks for its timers and descriptors.
    if (!ClapEditor::kTickedByHost) return nullptr;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimerSupport;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kPosixFdSupport;
    return nullptr;
}

}  // namespace velmorin::clap_format
