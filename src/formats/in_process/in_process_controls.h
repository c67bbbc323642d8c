// The editor's door for formats whose editor shares the effect's process
// (VST 2.4, CLAP): everything is read from and written to the core effect
// itself. How a host hears of the user's gestures is each format's own; as it
// stands, with no host, changes are stored and nobody is told.
#pragma once

#include "editor/effect_controls.h"
#include "engine/effect.h"

namespace velmorin {

class InProcessControls : public EffectControls {
  public:
    explicit InProcessControls(Effect& effect) : effect_(effect) {}

    float parameter(ParameterIndex index) const override { return effect_.storedValue(index); }
    void beginGesture(ParameterIndex) override {}
    void changeParameter(ParameterIndex index, float storedValue) override {
        effect_.setParameter(index, storedValue);
    }
    void endGesture(ParameterIndex) override {}
    void adjustParameter(ParameterIndex index, float storedValue) override {
        effect_.setParameter(index, storedValue);
    }
    bool takeParametersChanged() override;

    int32_t program() const override { return effect_.program(); }
    void programName(char (&name)[kProgramNameSize]) const override { effect_.programName(name); }

    bool opensQuietly() const override { return false; }
    int32_t normalizeTarget() const override { return effect_.normalizeTarget(); }
    void setNormalizeTarget(int32_t target) override { effect_.setNormalizeTarget(target); }
    int32_t dcRemoval() const override { return effect_.dcRemoval(); }
    void setDcRemoval(int32_t removal) override { effect_.setDcRemoval(removal); }

    LaneExtremes takeWaveExtremes() override;
    OutputSums takeOutputSums() override;
    bool takeOutputRelinked() override;
    float outputGain() const override;
    float limiterThresholdGain() const override;
    std::optional<int32_t> followNormalizer() override { return effect_.followNormalizer(); }
    void restartNormalizerFollow() override { effect_.restartNormalizerFollow(); }

  protected:
    Effect& effect_;
};

}  // namespace velmorin
