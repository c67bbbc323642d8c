// A CLAP plug-in's gui embedded in the host's X window: created for
// CLAP_WINDOW_API_X11, sized, given its parent and shown, then ticked by the
// host's main loop (the timers and descriptors the plug-in registered), and
// destroyed when it goes.
#pragma once

#include <clap/clap.h>

#include <string>

#include "clap_main_loop.h"
#include "plugin_editor.h"

namespace velmorin::host {

class ClapPluginEditor final : public PluginEditor {
  public:
    // HostError (naming WHAT) for a plug-in without a gui it can embed in X11.
    ClapPluginEditor(const clap_plugin_t& plugin, ClapMainLoop& loop, std::string what);
    ~ClapPluginEditor() override;
    ClapPluginEditor(const ClapPluginEditor&) = delete;
    ClapPluginEditor& operator=(const ClapPluginEditor&) = delete;

    void setScale(double factor) override;
    std::pair<int, int> size() const override;
    void open(std::uintptr_t parent) override;
    void run(std::chrono::milliseconds period) override;

  private:
    const clap_plugin_t& plugin_;
    const clap_plugin_gui_t* gui_ = nullptr;
    ClapMainLoop& loop_;
    std::string what_;
};

}  // namespace velmorin::host
