// The parameter values the host was last told of. Whatever the effect
// changes beyond the value a host set (a side effect on another parameter, a
// preset, the normalizer's follow) reaches the host as an output event from
// the next process or flush, so the host's copy never goes stale; what the
// host set itself or reread after a state load is not told again, so an idle
// session stays unmodified.
#pragma once

#include <clap/events.h>

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/effect.h"
#include "params/parameter_table.h"

namespace velmorin::clap_format {

class ToldValues {
  public:
    // The host reads the first values itself.
    explicit ToldValues(const Effect& effect);

    // Main thread, after a state load: the host rereads the values the
    // effect now has, which the next report takes as told.
    void restored(const Effect& effect);

    // The rest is for whoever processes or flushes (one at a time).
    // A value the host knows: it set it, or an event carried it.
    void heard(int32_t index, double value) { told_[index] = value; }
    // One value event for each parameter whose value the host does not know.
    // Without an output list they wait for the next call that has one.
    void report(const Effect& effect, const clap_output_events_t* out);

  private:
    std::array<double, kNumParameters> told_{};
    // The main thread's hand-over of restored values to the next report.
    std::array<std::atomic<double>, kNumParameters> restored_{};
    std::atomic<bool> restoredPending_{false};
};

}  // namespace velmorin::clap_format
