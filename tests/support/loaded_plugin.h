// Loads the built plug-in library with dlopen and drives it only through its
// interface record, with a host callback that records every call it receives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/vst2/vst2.h"

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

// The recording host: one per process (the callback is a plain function).
struct RecordingHost {
    static std::vector<HostCall>& calls();
    static intptr_t& versionAnswer();     // what audioMasterVersion answers
    static intptr_t& sizeWindowAnswer();  // what audioMasterSizeWindow answers: 0, refused
    static intptr_t callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt);
};

class LoadedPluginLibrary {
  public:
    LoadedPluginLibrary();  // loads VELMORIN_PLUGIN_PATH
    ~LoadedPluginLibrary();
    LoadedPluginLibrary(const LoadedPluginLibrary&) = delete;
    LoadedPluginLibrary& operator=(const LoadedPluginLibrary&) = delete;

    VstPluginMainProc entry() const { return entry_; }

  private:
    void* handle_ = nullptr;
    VstPluginMainProc entry_ = nullptr;
};

// One effect instance, closed when it goes out of scope.
// Hosts pass at least 64 bytes for every text the effect writes.
constexpr int32_t kTextBufferSize = 64;

class Plugin {
  public:
    Plugin();
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    AEffect* effect() const { return effect_; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f) const;
    void set(int32_t index, float value) const { effect_->setParameter(effect_, index, value); }
    float get(int32_t index) const { return effect_->getParameter(effect_, index); }
    std::string name(int32_t index) const { return text(effGetParamName, index); }
    std::string label(int32_t index) const { return text(effGetParamLabel, index); }
    std::string display(int32_t index) const { return text(effGetParamDisplay, index); }
    std::string programName() const { return text(effGetProgramName, 0); }
    void selectProgram(int32_t program) const { dispatch(effSetProgram, 0, program); }
    void process(float* left, float* right, float* outLeft, float* outRight, int32_t frames) const;
    // Closes the effect now (effClose); the destructor then does nothing.
    intptr_t close();

    static LoadedPluginLibrary& library();

  private:
    std::string text(int32_t opcode, int32_t index) const;
    AEffect* effect_;
};
