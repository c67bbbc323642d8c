// A VST3 plug-in's editor (IPlugView) embedded in the host's X window: made
// by the controller, given the host's frame, attached for X11EmbedWindowID,
// then kept going by the host's main loop: the frame's Linux::IRunLoop, whose
// timers and watched descriptors the view registers; removed and released
// when it goes.
#pragma once

#include <vst3_c_api.h>

#include <chrono>
#include <map>
#include <string>

#include "formats/vst3/vst3_object.h"
#include "plugin_editor.h"

namespace velmorin::host {

class Vst3PluginEditor final : public PluginEditor {
  public:
    // HostError (naming WHAT) for a controller without an editor for X11.
    Vst3PluginEditor(Steinberg_Vst_IEditController* controller, std::string what);
    ~Vst3PluginEditor() override;
    Vst3PluginEditor(const Vst3PluginEditor&) = delete;
    Vst3PluginEditor& operator=(const Vst3PluginEditor&) = delete;

    void setScale(double factor) override;
    std::pair<int, int> size() const override;
    void open(std::uintptr_t parent) override;
    void run(std::chrono::milliseconds period) override;

  private:
    // The frame with its run loop, as a counted object of the host's.
    class Frame;

    Steinberg_IPlugView* view_ = nullptr;
    Frame* frame_ = nullptr;
    bool attached_ = false;
    std::string what_;
};

}  // namespace velmorin::host
