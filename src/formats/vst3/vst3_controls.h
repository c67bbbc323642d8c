// The editor's door in the VST3 build: the controller's model of the
// settings is the effect it edits; the user's changes reach the host as
// beginEdit/performEdit/endEdit (and through it the processor), the
// settings that are not parameters reach the processor as a message, and
// the display feed is asked of the processor at each display tick.
#pragma once

#include "formats/in_process/in_process_controls.h"

namespace velmorin::vst3 {

class Controller;

class Vst3Controls : public InProcessControls {
  public:
    explicit Vst3Controls(Controller& controller);

    void beginGesture(ParameterIndex index) override;
    void changeParameter(ParameterIndex index, float storedValue) override;
    void endGesture(ParameterIndex index) override;
    // The processor learns values only through the host: a gesture of one,
    // where the value moved.
    void adjustParameter(ParameterIndex index, float storedValue) override;

    // The host keeps the session (the processor's state), so opening the
    // editor writes nothing.
    bool opensQuietly() const override { return true; }
    // Sent to the processor where they change.
    void setNormalizeTarget(int32_t target) override;
    void setDcRemoval(int32_t removal) override;

    // The display tick's first question: the feed is asked for here, so
    // that the answer is in the model before the tick reads any of it.
    std::optional<int32_t> followNormalizer() override;

  private:
    Controller& controller_;
};

}  // namespace velmorin::vst3
