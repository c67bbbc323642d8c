#include "clap_events.h"

namespace velmorin::host {

ParameterEvents::ParameterEvents()
    : list_{this,
            [](const clap_input_events_t* list) -> uint32_t {
                return static_cast<uint32_t>(
                    static_cast<const ParameterEvents*>(list->ctx)->events_.size());
            },
            [](const clap_input_events_t* list, uint32_t index) -> const clap_event_header_t* {
                const auto& events = static_cast<const ParameterEvents*>(list->ctx)->events_;
                return index < events.size() ? &events[index].header : nullptr;
            }} {}

void ParameterEvents::add(clap_id id, void* cookie, double value) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.cookie = cookie;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    events_.push_back(event);
}

const clap_output_events_t* droppedEvents() {
    static const clap_output_events_t kDropped = {
        nullptr, [](const clap_output_events_t*, const clap_event_header_t*) { return true; }};
    return &kDropped;
}

}  // namespace velmorin::host
