// The event lists a CLAP host hands to process and flush: parameter values
// queued by the host, and a sink for what the plug-in sends back.
#pragma once

#include <clap/events.h>

#include <vector>

namespace velmorin::host {

class ParameterEvents {
  public:
    ParameterEvents();
    ParameterEvents(const ParameterEvents&) = delete;
    ParameterEvents& operator=(const ParameterEvents&) = delete;

    // At frame 0: the host changes values between blocks.
    void add(clap_id id, void* cookie, double value);
    void clear() { events_.clear(); }
    bool empty() const { return events_.empty(); }
    const clap_input_events_t* list() const { return &list_; }

  private:
    std::vector<clap_event_param_value_t> events_;
    clap_input_events_t list_;
};

// This host follows no values the plug-in reports: it takes and drops them.
const clap_output_events_t* droppedEvents();

}  // namespace velmorin::host
