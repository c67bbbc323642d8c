// The editor's one door to the effect it edits. Each plug-in format
// implements it: in-process formats over the effect itself, a format whose
// editor lives in another process over the messages it receives. The editor
// knows nothing else of its effect.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/display_feed.h"
#include "params/parameter_table.h"
#include "params/program_bank.h"

namespace velmorin {

class EffectControls {
  public:
    virtual ~EffectControls() = default;

    // A parameter's value in its own unit (half-decibel steps, k/38, ...).
    virtual float parameter(ParameterIndex index) const = 0;
    // The user changes a parameter: begin, any number of values in stored
    // units, end. The host hears of each value; a format may group them.
    virtual void beginGesture(ParameterIndex index) = 0;
    virtual void changeParameter(ParameterIndex index, float storedValue) = 0;
    virtual void endGesture(ParameterIndex index) = 0;
    // The editor corrects a value itself (a zoom outside the chosen range):
    // stored like a host's change, not a gesture of the user.
    virtual void adjustParameter(ParameterIndex index, float storedValue) = 0;
    // True once after any parameter changed, whoever changed it.
    virtual bool takeParametersChanged() = 0;

    virtual int32_t program() const = 0;
    // The current program's 24-byte name field.
    virtual void programName(char (&name)[kProgramNameSize]) const = 0;

    // The settings that are not parameters: the context menu's normalize
    // target and DC removal.
    // Whether opening the editor leaves the effect as it is: where the host
    // keeps the session (ports, state), the preferences only give a new
    // instance its normalize target and DC removal, and only a zoom outside
    // the chosen range is corrected. Where not (VST 2.4), opening gives the
    // effect the preferences' settings and sends every zoom again.
    virtual bool opensQuietly() const = 0;
    virtual int32_t normalizeTarget() const = 0;
    virtual void setNormalizeTarget(int32_t target) = 0;
    virtual int32_t dcRemoval() const = 0;
    virtual void setDcRemoval(int32_t removal) = 0;

    // The display feed: each take hands over what arrived since the last
    // and starts afresh.
    virtual LaneExtremes takeWaveExtremes() = 0;
    virtual OutputSums takeOutputSums() = 0;
    // True once after the normalize link moved the output gain.
    virtual bool takeOutputRelinked() = 0;
    virtual float outputGain() const = 0;
    virtual float limiterThresholdGain() const = 0;
    // While the normalizer lowers the output gain, the Output value it
    // arrived at, once for each new gain (see Effect::followNormalizer).
    virtual std::optional<int32_t> followNormalizer() = 0;
    virtual void restartNormalizerFollow() = 0;
};

}  // namespace velmorin
