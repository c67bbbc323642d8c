// The compressor effect as a VST 2.4 host sees it: the core effect behind
// the host's requests.
#pragma once

#include "engine/effect.h"
#include "formats/vst2/audio_effect_x.h"

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
    int32_t getProgram() override { return effect_.program(); }
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

    velmorin::Effect& effect() { return effect_; }
    velmorin::EngineState& engine() { return effect_.engine(); }

  private:
    velmorin::Effect effect_;
};
