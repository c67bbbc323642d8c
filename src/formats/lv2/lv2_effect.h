// The effect as an LV2 host sees it: ports read at every run and turned into
// the core's calls, the latency and the display feed written back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "engine/effect.h"
#include "formats/lv2/display_feed_writer.h"
#include "formats/lv2/followed_outputs.h"
#include "formats/lv2/inline_display.h"
#include "formats/lv2/lv2_identity.h"

namespace velmorin::lv2 {

class Lv2Effect {
  public:
    // Without a URID map (the simplest hosts) the display feed stays empty;
    // without the inline display's queue no redraw is asked for.
    Lv2Effect(double sampleRate, LV2_URID_Map* map, const InlineDisplayQueue* queue = nullptr);

    void connectPort(uint32_t port, void* data);
    // Allocates nothing, locks nothing, does no I/O.
    void run(uint32_t frames);
    void deactivate() { effect_.suspend(); }

    // The program replayed as the core replays it; the parameter ports then
    // count as applied where they show the values it stored.
    void restoreProgram(int32_t program);
    void setProgramName(const char* name) { effect_.setProgramName(name); }
    const Effect& effect() const { return effect_; }
    LV2_URID_Map* map() const { return map_; }
    InlineDisplay& inlineDisplay() { return inlineDisplay_; }

  private:
    // A control port's value when it differs from the one last applied.
    std::optional<float> changedControl(uint32_t port);
    void applyChangedPorts();
    // The value the host wrote to a parameter port, unless it is the
    // normalizer's own Output handed back by the UI.
    void applyParameterPort(int32_t index, float value);
    void markParametersApplied();
    void writeOutputs();
    // The meter ports and the inline display from the block just run.
    void writeMeters(uint32_t frames);

    Effect effect_;
    float sampleRate_;
    LV2_URID_Map* map_;
    std::optional<DisplayFeedWriter> feedWriter_;
    FollowedOutputs followed_;
    InlineDisplay inlineDisplay_;
    std::array<void*, kNumPorts> ports_{};
    // The control values last applied, compared as bits so that a NaN a
    // host leaves in a port is applied once, not at every run.
    std::array<uint32_t, kDcRemovalPort + 1> applied_{};
};

}  // namespace velmorin::lv2
