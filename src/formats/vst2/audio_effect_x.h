// The extended requests (numbers 25 to 79); all others go to the core.
#pragma once

#include "formats/vst2/audio_effect.h"

class AudioEffectX : public AudioEffect {
  public:
    using AudioEffect::AudioEffect;

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                        float opt) override;

    virtual bool canParameterBeAutomated(int32_t) { return true; }
    virtual bool getEffectName(char*) { return false; }
    virtual bool getVendorString(char*) { return false; }
    virtual bool getProductString(char*) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    // 1 yes, -1 no, 0 don't know.
    virtual int32_t canDo(const char*) { return 0; }
    virtual int32_t getPlugCategory() { return kPlugCategUnknown; }
    virtual int32_t getVstVersion() { return 2400; }

    // Asks the host to fit the editor's window to a new size; true when it
    // did (audioMasterSizeWindow answers 1).
    bool sizeWindow(int32_t width, int32_t height) {
        return callHost(audioMasterSizeWindow, width, height, nullptr, 0.0f) == 1;
    }
};
