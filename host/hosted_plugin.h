// One VST 2.4 effect created from a plug-in library and driven in the order
// hosts follow: effOpen, sample rate, block size, effMainsChanged 1, process,
// effMainsChanged 0, effClose. The record is never touched after effClose.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "host_callback.h"
#include "plugin_instance.h"
#include "plugin_library.h"

namespace velmorin::host {

class HostedPlugin final : public PluginInstance {
  public:
    // Loads the library and opens one effect; throws HostError for a missing
    // library, a null or foreign record, or an effect that cannot run 2-in/2-out.
    explicit HostedPlugin(const std::filesystem::path& path);
    explicit HostedPlugin(PluginLibrary library);
    ~HostedPlugin() override;
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    const AEffect& record() const { return *effect_; }
    std::string what() const override { return library_.what(); }
    std::vector<std::pair<std::string, std::string>> identity() const override;
    std::string name() const override { return text(effGetEffectName); }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;

    // Identity and parameter texts, each read into a generous buffer.
    std::string text(int32_t opcode, int32_t index = 0) const;
    int32_t parameterCount() const override { return effect_->numParams; }
    std::string parameterName(int32_t index) const override { return text(effGetParamName, index); }
    std::string parameterLabel(int32_t index) const override {
        return text(effGetParamLabel, index);
    }
    std::string parameterDisplay(int32_t index) const override {
        return text(effGetParamDisplay, index);
    }
    ValueScale valueScale() const override { return ValueScale::normalized; }
    float parameter(int32_t index) const override;
    void setParameter(int32_t index, float value) const override;
    int32_t programCount() const override { return effect_->numPrograms; }
    // Read by selecting each program in turn (not every effect answers the
    // indexed request); the current program is restored.
    std::vector<std::string> programNames() const override;
    int32_t program() const override { return static_cast<int32_t>(dispatch(effGetProgram)); }
    void selectProgram(int32_t program) const override { dispatch(effSetProgram, 0, program); }
    std::string programName() const override { return text(effGetProgramName); }

    void prepare(double sampleRate, int32_t blockSize) override;
    void start() override;  // effMainsChanged 1
    void stop() override;   // effMainsChanged 0
    int32_t blockSize() const override { return context_->blockSize; }
    int32_t latency() const override { return effect_->initialDelay; }
    // Extra inputs of the effect get silence and extra outputs are dropped.
    void process(const float* const* inputs, float* const* outputs, int32_t frames) override;
    // A VST 2.4 effect changes its latency in place (initialDelay).
    bool takeRestartRequest() override { return false; }
    std::vector<uint8_t> saveState() const override;
    void loadState(const std::vector<uint8_t>& state) override;
#ifdef VELMORIN_HOST_EDIT
    std::unique_ptr<PluginEditor> editor() override;
#endif

  private:
    struct Closer {
        void operator()(AEffect* effect) const;
    };

    PluginLibrary library_;
    std::unique_ptr<HostContext> context_;
    std::unique_ptr<AEffect, Closer> effect_;  // closed before the context and library go
    bool running_ = false;
    std::unique_ptr<float[]> spare_;  // silence and scratch for extra channels
    std::unique_ptr<float*[]> inputs_;
    std::unique_ptr<float*[]> outputs_;
};

}  // namespace velmorin::host
