// A VST 2.4 effect's editor: its rectangle, effEditOpen in the host's window,
// effEditIdle at the pace hosts call it, effEditClose when it goes.
#pragma once

#include "hosted_plugin.h"
#include "plugin_editor.h"

namespace velmorin::host {

class Vst2PluginEditor final : public PluginEditor {
  public:
    // HostError for an effect that announces no editor.
    explicit Vst2PluginEditor(const HostedPlugin& plugin);
    ~Vst2PluginEditor() override;
    Vst2PluginEditor(const Vst2PluginEditor&) = delete;
    Vst2PluginEditor& operator=(const Vst2PluginEditor&) = delete;

    void setScale(double factor) override;
    std::pair<int, int> size() const override;
    void open(std::uintptr_t parent) override;
    void run(std::chrono::milliseconds period) override;

  private:
    const HostedPlugin& plugin_;
    bool open_ = false;
};

}  // namespace velmorin::host
