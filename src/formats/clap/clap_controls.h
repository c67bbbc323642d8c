// The editor's door in the CLAP build: changes reach the core at once, as in
// every in-process editor, and the host hears of the user's gestures as
// begin, value and end events in the next process or flush.
#pragma once

#include "formats/clap/gesture_queue.h"
#include "formats/clap/host_services.h"
#include "formats/in_process/in_process_controls.h"

namespace velmorin::clap_format {

class ClapControls : public InProcessControls {
  public:
    ClapControls(Effect& effect, GestureQueue& gestures, const HostServices& host)
        : InProcessControls(effect), gestures_(gestures), host_(host) {}

    void beginGesture(ParameterIndex index) override;
    void changeParameter(ParameterIndex index, float storedValue) override;
    void endGesture(ParameterIndex index) override;
    // Not the user's gesture, so nothing to record: the next flush tells
    // the host the value.
    void adjustParameter(ParameterIndex index, float storedValue) override;

    // The session's state keeps them; the preferences gave the instance
    // its first values.
    bool opensQuietly() const override { return true; }

  private:
    void tell(GestureQueue::Kind kind, ParameterIndex index, double value = 0.0);

    GestureQueue& gestures_;
    const HostServices& host_;
};

}  // namespace velmorin::clap_format
