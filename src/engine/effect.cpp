#include "engine/effect.h"

#include <cstring>

#include "engine/audio_block.h"
#include "engine/parameter_mapping.h"

namespace velmorin {

Effect::Effect()
    : programs_(std::make_unique<ProgramBank>()), engine_(std::make_unique<EngineState>()) {
    setProgram(0);
}

Effect::~Effect() = default;

void Effect::setParameter(int32_t index, float value) {
    setEngineParameter(*engine_, (*programs_)[currentProgram_.get()], index, value);
}

float Effect::parameter(int32_t index) const {
    return getEngineParameter(*engine_, index);
}

float Effect::normalizedOf(int32_t index, float stored) {
    const float range = scaledRange(index);
    return range > 0.0f ? capAtOne(stored / range) : stored;
}

void Effect::parameterDisplay(int32_t index, char* text) const {
    getParameterDisplayText(index, storedValue(index), text);
}

void Effect::setProgram(int32_t program) {
    if (!ProgramBank::isProgramIndex(program)) return;
    engine_->feed.waves.discard();
    currentProgram_.set(program);
    const ProgramRecord& record = (*programs_)[program];
    for (int32_t index : kReplayOrder) setParameter(index, record.storedAsFloat(index));
}

void Effect::setProgramName(const char* name) {
    (*programs_)[currentProgram_.get()].setName(name);
}

void Effect::programName(char* name) const {
    std::memcpy(name, (*programs_)[currentProgram_.get()].name, kProgramNameSize);
}

int32_t Effect::reportedLatency() const {
    return velmorin::reportedLatency(*engine_);
}

int32_t Effect::signalDelay() const {
    return engine_->lookAheadOn() ? kLookAheadDelay : 0;
}

std::optional<int32_t> Effect::tailFrames() const {
    // The DC tracker's offset, the slowest thing to settle, falls from full
    // scale below its snap limit (2e-9) within this many frames at any rate;
    // the crossover's ring is far shorter.
    constexpr int32_t kSettleFrames = 90000;
    if (engine_->stored.dither.get() != 0) return std::nullopt;
    return signalDelay() + kSettleFrames;
}

void Effect::process(float sampleRate, float** inputs, float** outputs, int32_t frames) {
    processBlock(*engine_, sampleRate, inputs, outputs, frames);
}

std::optional<int32_t> Effect::followNormalizer() {
    EngineState& engine = *engine_;
    if (engine.stored.normalize.get() == 0) return std::nullopt;
    const float gain = engine.outputGain.get();
    if (gain == engine.lastShownOutputGain.get()) return std::nullopt;
    const int32_t output = outputValueFor(gain);
    engine.stored.output.set(output);
    engine.lastShownOutputGain.set(gain);
    return output;
}

}  // namespace velmorin
