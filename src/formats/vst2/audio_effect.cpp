#include "formats/vst2/audio_effect.h"

#include <atomic>
#include <cmath>
#include <cstring>

namespace {

AudioEffect* effectOf(AEffect* e) {
    return static_cast<AudioEffect*>(e->object);
}

extern "C" {

intptr_t dispatchEntry(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) {
    AudioEffect* effect = effectOf(e);
    const intptr_t answer = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return answer;
}

void processEntry(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    effectOf(e)->process(inputs, outputs, frames);
}

void processReplacingEntry(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    effectOf(e)->processReplacing(inputs, outputs, frames);
}

void processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs, int32_t frames) {
    effectOf(e)->processDoubleReplacing(inputs, outputs, frames);
}

void setParameterEntry(AEffect* e, int32_t index, float value) {
    effectOf(e)->setParameter(index, value);
}

float getParameterEntry(AEffect* e, int32_t index) {
    return effectOf(e)->getParameter(index);
}

}  // extern "C"

// A sample rate below twice the 960 Hz crossover has no meaningful filter.
bool isUsableSampleRate(float rate) {
    return std::isfinite(rate) && rate > 1920.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback hostCallback, int32_t programs, int32_t params)
    : host(hostCallback), numPrograms(programs), numParams(params) {
    std::memset(&cEffect, 0, sizeof cEffect);
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
    canProcessReplacing();
}

AudioEffect::~AudioEffect() {
    delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    if (editor) {
        cEffect.flags |= effFlagsHasEditor;
    } else {
        cEffect.flags &= ~effFlagsHasEditor;
    }
}

void AudioEffect::setInitialDelay(int32_t delay) {
    std::atomic_ref<int32_t>(cEffect.initialDelay).store(delay, std::memory_order_relaxed);
}

intptr_t AudioEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    return host ? host(&cEffect, opcode, index, value, ptr, opt) : 0;
}

intptr_t AudioEffect::editorRequest(int32_t opcode, void* ptr) {
    if (!editor) return 0;
    switch (opcode) {
        case effEditGetRect:
            return ptr && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen:
            return editor->open(ptr) ? 1 : 0;
        case effEditClose:
            editor->close();
            return 0;
        case effEditIdle:
            editor->idle();
            return 0;
        default:
            return 0;
    }
}

intptr_t AudioEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
    // Requests that write through the pointer ignore a null one.
    const bool writesText = opcode == effSetProgramName || opcode == effGetProgramName ||
                            opcode == effGetParamLabel || opcode == effGetParamDisplay ||
                            opcode == effGetParamName;
    if (writesText && !ptr) return 0;

    switch (opcode) {
        case effOpen:
            open();
            return 0;
        case effClose:
            close();
            return 0;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
            return 0;
        case effGetProgram:
            return getProgram();
        case effSetProgramName:
            setProgramName(static_cast<const char*>(ptr));
            return 0;
        case effGetProgramName:
            getProgramName(static_cast<char*>(ptr));
            return 0;
        case effGetParamLabel:
            getParameterLabel(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamDisplay:
            getParameterDisplay(index, static_cast<char*>(ptr));
            return 0;
        case effGetParamName:
            getParameterName(index, static_cast<char*>(ptr));
            return 0;
        case effSetSampleRate:
            if (isUsableSampleRate(opt)) setSampleRate(opt);
            return 0;
        case effSetBlockSize:
            setBlockSize(static_cast<int32_t>(value));
            return 0;
        case effMainsChanged:
            if (value == 0) {
                suspend();
            } else {
                resume();
            }
            return 0;
        case effEditGetRect:
        case effEditOpen:
        case effEditClose:
        case effEditIdle:
            return editorRequest(opcode, ptr);
        case effIdentify:
            return fourCharCode('N', 'v', 'E', 'f');
        default:
            return 0;
    }
}
