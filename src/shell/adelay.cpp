#include "shell/adelay.h"

#include <cstdlib>
#include <cstring>

#include "engine/parameter_mapping.h"

using namespace velmorin;

namespace {

constexpr const char* kEffectName = "Velmorin";
constexpr const char* kVendorName = "QuandorWeb";

void writeIdentity(char* text, const char* value) { std::strcpy(text, value); }

}  // namespace

ADelay::ADelay(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParameters),
      programs_(std::make_unique<ProgramBank>()),
      engine_(std::make_unique<EngineState>()) {
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(fourCharCode('Q', 'd', 'V', 'l'));
    setInitialDelay(reportedLatency(*engine_));
    std::srand(1);  // every new effect dithers with the same noise
    setProgram(0);
}

ADelay::~ADelay() = default;

void ADelay::suspend() { engine_->suspend(); }

void ADelay::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    // Temporary until the audio path lands: pass the input through.
    for (int32_t channel = 0; channel < 2; ++channel) {
        for (int32_t n = 0; n < sampleFrames; ++n) outputs[channel][n] = inputs[channel][n];
    }
}

void ADelay::setParameter(int32_t index, float value) {
    setEngineParameter(*engine_, (*programs_)[curProgram.get()], index, value);
    if (index == kLookAhead) setInitialDelay(reportedLatency(*engine_));
}

float ADelay::getParameter(int32_t index) { return getEngineParameter(*engine_, index); }

void ADelay::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    const float range = scaledRange(index);
    const float hostValue = range > 0.0f ? capAtOne(value / range) : value;
    callHost(audioMasterAutomate, index, 0, nullptr, hostValue);
}

void ADelay::setProgram(int32_t program) {
    if (!ProgramBank::isProgramIndex(program)) return;
    engine_->feed.waves.discard();
    curProgram.set(program);
    const ProgramRecord& record = (*programs_)[program];
    for (int32_t index : kReplayOrder) setParameter(index, record.storedAsFloat(index));
}

void ADelay::setProgramName(const char* name) { (*programs_)[curProgram.get()].setName(name); }

void ADelay::getProgramName(char* name) {
    std::memcpy(name, (*programs_)[curProgram.get()].name, kProgramNameSize);
}

void ADelay::getParameterLabel(int32_t index, char* text) { getParameterLabelText(index, text); }

void ADelay::getParameterDisplay(int32_t index, char* text) {
    getParameterDisplayText(index, engine_->stored.storedAsFloat(index), text);
}

void ADelay::getParameterName(int32_t index, char* text) { getParameterNameText(index, text); }

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
