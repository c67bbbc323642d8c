#include "clap_plugin_editor.h"

#include "host_error.h"

namespace velmorin::host {

ClapPluginEditor::ClapPluginEditor(const clap_plugin_t& plugin, ClapMainLoop& loop,
                                   std::string what)
    : plugin_(plugin),
      gui_(static_cast<const clap_plugin_gui_t*>(plugin.get_extension(&plugin, CLAP_EXT_GUI))),
      loop_(loop),
      what_(std::move(what)) {
    if (!gui_) throw HostError(what_, "has no editor");
    if (!gui_->is_api_supported(&plugin_, CLAP_WINDOW_API_X11, false) ||
        !gui_->create(&plugin_, CLAP_WINDOW_API_X11, false)) {
        throw HostError(what_, "has no editor that embeds in an X11 window");
    }
}

ClapPluginEditor::~ClapPluginEditor() {
    gui_->destroy(&plugin_);
}

// A gui that draws at one scale only ignores it, as CLAP allows.
void ClapPluginEditor::setScale(double factor) {
    gui_->set_scale(&plugin_, factor);
}

// A plug-in that gives no size gets a modest window rather than none.
std::pair<int, int> ClapPluginEditor::size() const {
    uint32_t width = 0, height = 0;
    if (!gui_->get_size(&plugin_, &width, &height) || width == 0 || height == 0) return {640, 480};
    return {static_cast<int>(width), static_cast<int>(height)};
}

void ClapPluginEditor::open(std::uintptr_t parent) {
    clap_window_t window{};
    window.api = CLAP_WINDOW_API_X11;
    window.x11 = parent;
    if (!gui_->set_parent(&plugin_, &window) || !gui_->show(&plugin_))
        throw HostError(what_, "could not open its editor");
}

void ClapPluginEditor::run(std::chrono::milliseconds period) {
    loop_.run(plugin_, period);
}

}  // namespace velmorin::host
