#include "formats/clap/told_values.h"

#include "formats/clap/clap_parameters.h"

namespace velmorin::clap_format {

namespace {

bool sendValue(const clap_output_events_t& out, int32_t index, double value) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = static_cast<clap_id>(index);
    event.note_id = event.port_index = event.channel = event.key = -1;
    event.value = value;
    return out.try_push(&out, &event.header);
}

}  // namespace

ToldValues::ToldValues(const Effect& effect) {
    for (int32_t index = 0; index < kNumParameters; ++index)
        told_[index] = clapValueOf(index, effect.storedValue(index));
}

void ToldValues::restored(const Effect& effect) {
    for (int32_t index = 0; index < kNumParameters; ++index)
        restored_[index].store(clapValueOf(index, effect.storedValue(index)),
                               std::memory_order_relaxed);
    restoredPending_.store(true, std::memory_order_release);
}

void ToldValues::report(const Effect& effect, const clap_output_events_t* out) {
    if (restoredPending_.exchange(false, std::memory_order_acquire)) {
        for (int32_t index = 0; index < kNumParameters; ++index)
            told_[index] = restored_[index].load(std::memory_order_relaxed);
    }
    if (out == nullptr || out->try_push == nullptr) return;
    for (int32_t index = 0; index < kNumParameters; ++index) {
        const double now = clapValueOf(index, effect.storedValue(index));
        // A value the list refuses stays untold and goes with the next call.
        if (now != told_[index] && sendValue(*out, index, now)) told_[index] = now;
    }
}

}  // namespace velmorin::clap_format
