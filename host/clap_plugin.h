// One CLAP plug-in: the first of its module's factory, driven as hosts do:
// init, parameter values flushed while inactive, then activate and
// start_processing, process, stop_processing and deactivate.
#pragma once

#include <clap/clap.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clap_events.h"
#include "clap_host_data.h"
#include "clap_presets.h"
#include "plugin_instance.h"
#include "plugin_library.h"

namespace velmorin::host {

class ClapPlugin final : public PluginInstance {
  public:
    // Throws HostError for a module without a usable entry, factory or
    // plug-in, or a plug-in that cannot run 2-in/2-out.
    explicit ClapPlugin(PluginLibrary library);
    ~ClapPlugin() override;
    ClapPlugin(const ClapPlugin&) = delete;
    ClapPlugin& operator=(const ClapPlugin&) = delete;

    std::string what() const override { return library_.what(); }
    std::vector<std::pair<std::string, std::string>> identity() const override;
    std::string name() const override { return descriptor_->name ? descriptor_->name : ""; }

    int32_t parameterCount() const override { return static_cast<int32_t>(parameters_.size()); }
    std::string parameterName(int32_t index) const override { return parameters_[index].name; }
    // CLAP texts carry their units.
    std::string parameterLabel(int32_t) const override { return ""; }
    std::string parameterDisplay(int32_t index) const override;
    ValueScale valueScale() const override { return ValueScale::plain; }
    float parameter(int32_t index) const override;
    void setParameter(int32_t index, float value) const override;

    int32_t programCount() const override { return static_cast<int32_t>(presets_.size()); }
    std::vector<std::string> programNames() const override;
    // -1 until a preset was loaded.
    int32_t program() const override { return program_; }
    void selectProgram(int32_t program) const override;
    std::string programName() const override;

    void prepare(double sampleRate, int32_t blockSize) override;
    void start() override;
    void stop() override;
    int32_t blockSize() const override { return blockSize_; }
    int32_t latency() const override;
    void process(const float* const* inputs, float* const* outputs, int32_t frames) override;
    bool takeRestartRequest() override { return hostData_.restartRequested.exchange(false); }
    std::vector<uint8_t> saveState() const override;
    void loadState(const std::vector<uint8_t>& state) override;
#ifdef VELMORIN_HOST_EDIT
    std::unique_ptr<PluginEditor> editor() override;
#endif

  private:
    struct Parameter {
        clap_id id;
        void* cookie;
        std::string name;
    };
    // Deinitializes the module's entry once every instance of it is gone.
    struct EntryCloser {
        void operator()(const clap_plugin_entry_t* entry) const { entry->deinit(); }
    };
    struct PluginCloser {
        void operator()(const clap_plugin_t* plugin) const { plugin->destroy(plugin); }
    };

    template <typename Extension>
    const Extension* extension(const char* id, const char* compatId = nullptr) const;
    void checkAudioPorts() const;
    void readParameters();

    PluginLibrary library_;
    // The restart it asks for, the timers and descriptors its gui registers.
    ClapHostData hostData_;
    std::unique_ptr<const clap_plugin_entry_t, EntryCloser> entry_;
    const clap_plugin_descriptor_t* descriptor_ = nullptr;
    clap_host_t host_;
    std::unique_ptr<const clap_plugin_t, PluginCloser> plugin_;  // destroyed before the entry
    const clap_plugin_params_t* params_ = nullptr;
    const clap_plugin_latency_t* latency_ = nullptr;
    const clap_plugin_state_t* state_ = nullptr;
    const clap_plugin_preset_load_t* presetLoad_ = nullptr;
    std::vector<Parameter> parameters_;
    std::vector<ClapPreset> presets_;
    mutable int32_t program_ = -1;
    mutable ParameterEvents pending_;  // sent with the next block while running
    double sampleRate_ = 44100.0;
    int32_t blockSize_ = 512;
    bool running_ = false;
    uint64_t steadyTime_ = 0;
};

}  // namespace velmorin::host
