// The effect as the host sees it: the interface record, the core requests
// (numbers 0 to 24) and the host callback.
#pragma once

#include <cstdint>

#include "formats/vst2/aeff_editor.h"
#include "formats/vst2/vst2.h"
#include "params/relaxed.h"

class AudioEffect {
  public:
    AudioEffect(audioMasterCallback host, int32_t numPrograms, int32_t numParams);
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect; }
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void setProgram(int32_t program) { curProgram.set(program); }
    virtual int32_t getProgram() { return curProgram.get(); }
    virtual void setProgramName(const char*) {}
    virtual void getProgramName(char* name) { name[0] = '\0'; }
    virtual void getParameterLabel(int32_t, char* text) { text[0] = '\0'; }
    virtual void getParameterDisplay(int32_t, char* text) { text[0] = '\0'; }
    virtual void getParameterName(int32_t, char* text) { text[0] = '\0'; }
    virtual void setSampleRate(float rate) { sampleRate.set(rate); }
    virtual void setBlockSize(int32_t size) { blockSize.set(size); }
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setParameter(int32_t, float) {}
    virtual float getParameter(int32_t) { return 0.0f; }
    // The deprecated accumulating entry and double precision do nothing.
    virtual void process(float**, float**, int32_t) {}
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processDoubleReplacing(double**, double**, int32_t) {}

    float getSampleRate() const { return sampleRate.get(); }
    int32_t getBlockSize() const { return blockSize.get(); }
    AEffEditor* getEditor() const { return editor; }
    void setEditor(AEffEditor* newEditor);

  protected:
    void setUniqueID(int32_t id) { cEffect.uniqueID = id; }
    void setNumInputs(int32_t inputs) { cEffect.numInputs = inputs; }
    void setNumOutputs(int32_t outputs) { cEffect.numOutputs = outputs; }
    void canProcessReplacing() { cEffect.flags |= effFlagsCanReplacing; }
    // The host may read the latency from any thread while it changes.
    void setInitialDelay(int32_t delay);
    intptr_t callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    audioMasterCallback host;
    AEffEditor* editor = nullptr;
    Relaxed<float> sampleRate{44100.0f};
    Relaxed<int32_t> blockSize{1024};
    int32_t numPrograms;
    int32_t numParams;
    Relaxed<int32_t> curProgram{0};
    AEffect cEffect;

  private:
    intptr_t editorRequest(int32_t opcode, void* ptr);
};
