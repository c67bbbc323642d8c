// One VST3 plug-in: the first audio effect class of its module's factory,
// with its edit controller, connected, driven as hosts do: parameter
// changes sent with the next block, setupProcessing while inactive, then
// setActive and setProcessing, process, and back.
#pragma once

#include <vst3_c_api.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plugin_instance.h"
#include "plugin_library.h"
#include "vst3_host_objects.h"

namespace velmorin::host {

// The module inside a bundle folder (Name.vst3/Contents/<architecture>/).
std::filesystem::path vst3ModuleOf(const std::filesystem::path& bundle);

class Vst3Plugin final : public PluginInstance {
  public:
    // Throws HostError for a module without a usable factory or audio
    // effect, or an effect that cannot run 2-in/2-out.
    explicit Vst3Plugin(PluginLibrary library);
    ~Vst3Plugin() override;
    Vst3Plugin(const Vst3Plugin&) = delete;
    Vst3Plugin& operator=(const Vst3Plugin&) = delete;

    std::string what() const override { return library_.what(); }
    std::vector<std::pair<std::string, std::string>> identity() const override;
    std::string name() const override { return info_.name; }

    int32_t parameterCount() const override { return static_cast<int32_t>(parameters_.size()); }
    std::string parameterName(int32_t index) const override { return parameters_[index].name; }
    std::string parameterLabel(int32_t index) const override { return parameters_[index].units; }
    std::string parameterDisplay(int32_t index) const override;
    // Plain values: the numbers the plug-in shows.
    ValueScale valueScale() const override { return ValueScale::plain; }
    float parameter(int32_t index) const override;
    void setParameter(int32_t index, float value) const override;

    int32_t programCount() const override { return static_cast<int32_t>(programs_.size()); }
    std::vector<std::string> programNames() const override { return programs_; }
    // -1 until a program was chosen.
    int32_t program() const override { return program_; }
    void selectProgram(int32_t program) const override;
    std::string programName() const override;

    void prepare(double sampleRate, int32_t blockSize) override;
    void start() override;
    void stop() override;
    int32_t blockSize() const override { return blockSize_; }
    int32_t latency() const override;
    void process(const float* const* inputs, float* const* outputs, int32_t frames) override;
    bool takeRestartRequest() override { return handler_->restartRequested.exchange(false); }
    // The component's state and the controller's, each behind its length.
    std::vector<uint8_t> saveState() const override;
    void loadState(const std::vector<uint8_t>& state) override;
#ifdef VELMORIN_HOST_EDIT
    std::unique_ptr<PluginEditor> editor() override;
#endif

  private:
    struct Parameter {
        Steinberg_Vst_ParamID id;
        std::string name;
        std::string units;
    };

    // Releases what the plug-in gave and unloads its module's entry.
    void close();
    void createClasses();
    void checkBuses() const;
    void readParameters();
    void readPrograms();
    // Tells the controller and keeps the change for the next block.
    void change(Steinberg_Vst_ParamID id, double normalized) const;

    PluginLibrary library_;
    Steinberg_IPluginFactory* factory_ = nullptr;
    Steinberg_PClassInfo2 info_{};
    HostApplication* host_ = nullptr;
    ComponentHandler* handler_ = nullptr;
    Steinberg_Vst_IComponent* component_ = nullptr;
    Steinberg_Vst_IAudioProcessor* processor_ = nullptr;
    Steinberg_Vst_IEditController* controller_ = nullptr;
    bool separateController_ = false;
    Steinberg_Vst_IConnectionPoint* points_[2] = {nullptr, nullptr};
    std::vector<Parameter> parameters_;
    std::vector<std::string> programs_;
    Steinberg_Vst_ParamID programParameter_ = 0;
    mutable int32_t program_ = -1;
    mutable ParameterChanges* pending_ = nullptr;  // sent with the next block
    double sampleRate_ = 44100.0;
    int32_t blockSize_ = 512;
    bool running_ = false;
};

}  // namespace velmorin::host
