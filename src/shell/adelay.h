// The compressor effect: owns the program bank and the engine state and maps
// the host's requests onto them.
#pragma once

#include <memory>

#include "engine/engine_state.h"
#include "params/program_bank.h"
#include "shell/audio_effect_x.h"

class ADelay : public AudioEffectX {
  public:
    explicit ADelay(audioMasterCallback host);
    ~ADelay() override;

    void suspend() override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    // The editor's way to change a value (in stored units): store it, then tell
    // the host the normalized value.
    virtual void setParameterAutomated(int32_t index, float value);

    void setProgram(int32_t program) override;
    void setProgramName(const char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1500; }
    int32_t canDo(const char* text) override;
    int32_t getPlugCategory() override { return kPlugCategMastering; }

    velmorin::EngineState& engine() { return *engine_; }

  protected:
    std::unique_ptr<velmorin::ProgramBank> programs_;
    std::unique_ptr<velmorin::EngineState> engine_;
};
