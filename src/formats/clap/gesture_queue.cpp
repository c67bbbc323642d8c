#include "formats/clap/gesture_queue.h"

#include "formats/clap/told_values.h"

namespace velmorin::clap_format {

namespace {

bool send(const clap_output_events_t& out, const GestureQueue::Gesture& gesture) {
    if (gesture.kind == GestureQueue::Kind::Value) {
        clap_event_param_value_t event{};
        event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
        event.param_id = gesture.id;
        event.note_id = event.port_index = event.channel = event.key = -1;
        event.value = gesture.value;
        return out.try_push(&out, &event.header);
    }
    const uint16_t type = gesture.kind == GestureQueue::Kind::Begin ? CLAP_EVENT_PARAM_GESTURE_BEGIN
                                                                    : CLAP_EVENT_PARAM_GESTURE_END;
    clap_event_param_gesture_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, type, 0};
    event.param_id = gesture.id;
    return out.try_push(&out, &event.header);
}

}  // namespace

bool GestureQueue::push(const Gesture& gesture) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == kCapacity) return false;
    slots_[tail % kCapacity] = gesture;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
}

void GestureQueue::emit(const clap_output_events_t* out, ToldValues& told) {
    if (out == nullptr || out->try_push == nullptr) return;
    std::size_t head = head_.load(std::memory_order_relaxed);
    const std::size_t tail = tail_.load(std::memory_order_acquire);
    // A list that refuses an event loses it rather than stalling the rest.
    for (; head != tail; ++head) {
        const Gesture& gesture = slots_[head % kCapacity];
        if (send(*out, gesture) && gesture.kind == Kind::Value)
            told.heard(static_cast<int32_t>(gesture.id), gesture.value);
    }
    head_.store(head, std::memory_order_release);
}

}  // namespace velmorin::clap_format
