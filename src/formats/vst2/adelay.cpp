#include "formats/vst2/adelay.h"

#include <cstring>

using namespace velmorin;

namespace {

constexpr const char* kEffectName = "Velmorin";
constexpr const char* kVendorName = "QuandorWeb";

void writeIdentity(char* text, const char* value) {
    std::strcpy(text, value);
}

}  // namespace

ADelay::ADelay(audioMasterCallback host) : AudioEffectX(host, kNumPrograms, kNumParameters) {
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(fourCharCode('Q', 'd', 'V', 'l'));
    setInitialDelay(effect_.reportedLatency());
}

// The editor reaches the effect until it is gone: it goes first.
ADelay::~ADelay() {
    delete editor;
    editor = nullptr;
}

void ADelay::suspend() {
    effect_.suspend();
}

void ADelay::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    effect_.process(getSampleRate(), inputs, outputs, sampleFrames);
}

void ADelay::setParameter(int32_t index, float value) {
    effect_.setParameter(index, value);
    if (index == kLookAhead) setInitialDelay(effect_.reportedLatency());
}

float ADelay::getParameter(int32_t index) {
    return effect_.parameter(index);
}

void ADelay::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, Effect::normalizedOf(index, value));
}

void ADelay::setProgram(int32_t program) {
    effect_.setProgram(program);
    setInitialDelay(effect_.reportedLatency());
}

void ADelay::setProgramName(const char* name) {
    effect_.setProgramName(name);
}

void ADelay::getProgramName(char* name) {
    effect_.programName(name);
}

void ADelay::getParameterLabel(int32_t index, char* text) {
    getParameterLabelText(index, text);
}

void ADelay::getParameterDisplay(int32_t index, char* text) {
    effect_.parameterDisplay(index, text);
}

void ADelay::getParameterName(int32_t index, char* text) {
    getParameterNameText(index, text);
}

bool ADelay::getEffectName(char* name) {
    writeIdentity(name, kEffectName);
    return true;
}

bool ADelay::getVendorString(char* text) {
    writeIdentity(text, kVendorName);
    return true;
}

bool ADelay::getProductString(char* text) {
    writeIdentity(text, kEffectName);
    return true;
}

int32_t ADelay::canDo(const char* text) {
    for (const char* supported : {"1in1out", "2in2out", "plugAsChannelInsert"}) {
        if (std::strcmp(text, supported) == 0) return 1;
    }
    return -1;
}
