// The effect as this project means it, knowing no plug-in format: the program
// bank, the engine and the current program. Every format's adapter owns one
// and translates its host's calls into these.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/engine_state.h"
#include "params/program_bank.h"
#include "params/relaxed.h"

namespace velmorin {

class Effect {
  public:
    // Factory programs, program 0 selected.
    Effect();
    virtual ~Effect();
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    // A value strictly between 0 and 1 is a normalized host value; any other
    // is taken in stored units. Stores into the engine and the current program.
    // Program selection replays through it, so whoever derives may watch
    // every value stored.
    virtual void setParameter(int32_t index, float value);
    // The normalized value a host reads back.
    float parameter(int32_t index) const;
    // The engine's value in the parameter's own unit.
    float storedValue(int32_t index) const { return engine_->stored.storedAsFloat(index); }
    // The normalized value of a stored one, as a host is told of it.
    static float normalizedOf(int32_t index, float stored);
    void parameterDisplay(int32_t index, char* text) const;

    // Ignores an index outside the bank; else replays the program's values.
    void setProgram(int32_t program);
    int32_t program() const { return currentProgram_.get(); }
    // Keeps at most 23 characters.
    void setProgramName(const char* name);
    // Writes the 24-byte name field.
    void programName(char* name) const;

    // The settings that are not parameters; the engine reads them at every
    // block. Any value is kept; the engine copes with every one.
    int32_t normalizeTarget() const { return engine_->normalizeTarget.get(); }
    void setNormalizeTarget(int32_t target) { engine_->normalizeTarget.set(target); }
    int32_t dcRemoval() const { return engine_->dcRemoval.get(); }
    void setDcRemoval(int32_t removal) { engine_->dcRemoval.set(removal); }

    // The latency a host is told of (the signal's delay rounded up to whole
    // look-ahead rings: 880 while LookAhead is exactly on, else 0).
    int32_t reportedLatency() const;
    // The delay the signal really has: 878 while LookAhead is exactly on, else 0.
    int32_t signalDelay() const;
    // Frames the output goes on after the input falls silent; none when it
    // never ends (dither adds its noise to silence as well).
    std::optional<int32_t> tailFrames() const;
    void process(float sampleRate, float** inputs, float** outputs, int32_t frames);
    void suspend() { engine_->suspend(); }

    // While the normalizer lowers the output gain, the Output value it has
    // arrived at, once for each new gain; stored without telling anyone.
    std::optional<int32_t> followNormalizer();
    // The next gain the normalizer reaches is new again.
    void restartNormalizerFollow() { engine_->lastShownOutputGain.set(0.0f); }

    EngineState& engine() { return *engine_; }
    const EngineState& engine() const { return *engine_; }
    const ProgramBank& programs() const { return *programs_; }

  private:
    std::unique_ptr<ProgramBank> programs_;
    std::unique_ptr<EngineState> engine_;
    Relaxed<int32_t> currentProgram_{0};
};

}  // namespace velmorin
