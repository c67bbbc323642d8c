// The editor's door in the LV2 UI, which may live in another process than
// the plug-in: everything it knows of the effect arrives through the host's
// port events, everything the user changes leaves through the host's write
// function, in the ports' shown units.
#pragma once

#include <array>
#include <cstdint>

#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include "editor/effect_controls.h"
#include "formats/lv2/display_feed_reader.h"

namespace velmorin::lv2 {

// The host's ways back to the plug-in; `touch` is null where not offered.
struct UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    const LV2UI_Touch* touch = nullptr;
};

class Lv2UiControls : public EffectControls {
  public:
    Lv2UiControls(LV2_URID_Map* map, const UiHost& host);

    // What the host delivers: a control port's value (format 0) or a feed
    // event (atom:eventTransfer). Anything else is ignored.
    void portEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);

    float parameter(ParameterIndex index) const override;
    void beginGesture(ParameterIndex index) override { touch(index, true); }
    void changeParameter(ParameterIndex index, float storedValue) override;
    void endGesture(ParameterIndex index) override { touch(index, false); }
    // Only a value the host has sent is corrected: before, the UI knows
    // nothing the session holds.
    void adjustParameter(ParameterIndex index, float storedValue) override;
    bool takeParametersChanged() override;

    // LV2 hosts keep the presets; the UI hears of no program.
    int32_t program() const override { return 0; }
    void programName(char (&name)[kProgramNameSize]) const override;

    // The host's ports keep them with its session.
    bool opensQuietly() const override { return true; }
    int32_t normalizeTarget() const override { return normalizeTarget_; }
    void setNormalizeTarget(int32_t target) override;
    int32_t dcRemoval() const override { return dcRemoval_; }
    void setDcRemoval(int32_t removal) override;

    LaneExtremes takeWaveExtremes() override;
    OutputSums takeOutputSums() override;
    bool takeOutputRelinked() override;
    float outputGain() const override { return outputGain_; }
    float limiterThresholdGain() const override { return limiterThresholdGain_; }
    std::optional<int32_t> followNormalizer() override;
    void restartNormalizerFollow() override { lastShownOutputGain_ = 0.0f; }

  private:
    void controlEvent(uint32_t port, float value);
    void feedEvent(const DisplayFeedValues& values);
    void storeParameter(ParameterIndex index, float storedValue);
    void writePort(uint32_t port, float value) const;
    void touch(ParameterIndex index, bool grabbed) const;

    DisplayFeedReader reader_;
    LV2_URID eventTransfer_;
    UiHost host_;
    std::array<float, kNumParameters> stored_{};
    std::array<bool, kNumParameters> heard_{};  // the host has sent the value
    int32_t normalizeTarget_ = 0;
    int32_t dcRemoval_ = 1;
    bool parametersChanged_ = true;
    // The feed since the editor last took it, merged as the engine merges.
    LaneExtremes waves_{};
    OutputSums sums_{};
    bool outputRelinked_ = false;
    float outputGain_ = 1.0f;
    float limiterThresholdGain_ = 1.0f;
    float lastShownOutputGain_ = 1.0f;
};

}  // namespace velmorin::lv2
