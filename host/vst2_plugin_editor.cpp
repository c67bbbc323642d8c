#include "vst2_plugin_editor.h"

#include <cstdlib>
#include <string>
#include <thread>

#include "host_error.h"

namespace velmorin::host {

Vst2PluginEditor::Vst2PluginEditor(const HostedPlugin& plugin) : plugin_(plugin) {
    if (!(plugin.record().flags & effFlagsHasEditor))
        throw HostError(plugin.what(), "has no editor");
}

Vst2PluginEditor::~Vst2PluginEditor() {
    if (open_) plugin_.dispatch(effEditClose);
}

// VST 2.4 cannot tell an editor its scale: Velmorin's Linux editor reads
// this variable in place of the desktop's factor (other effects ignore it).
void Vst2PluginEditor::setScale(double factor) {
    setenv("VELMORIN_SCALE", std::to_string(factor).c_str(), 1);
}

// An effect that gives no rectangle gets a modest window rather than none.
std::pair<int, int> Vst2PluginEditor::size() const {
    ERect* rect = nullptr;
    plugin_.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return {640, 480};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

void Vst2PluginEditor::open(std::uintptr_t parent) {
    if (plugin_.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) == 0)
        throw HostError(plugin_.what(), "could not open its editor");
    open_ = true;
}

// The effect keeps its own timing: one idle call per period.
void Vst2PluginEditor::run(std::chrono::milliseconds period) {
    plugin_.dispatch(effEditIdle);
    std::this_thread::sleep_for(period);
}

}  // namespace velmorin::host
