// An effect as its editor sees it, with no plug-in format in between: the
// core effect, the editor's door to it (which records what the host would
// hear of the user's gestures) and the editor.
#pragma once

#include <functional>
#include <vector>

#include "editor/ad_editor.h"
#include "engine/effect.h"
#include "formats/in_process/in_process_controls.h"

namespace velmorin {

// What the host hears of the editor: gesture begin and end, and each value
// as the normalized value a host is sent.
struct HeardChange {
    enum Kind { Begin, Value, End, Adjusted } kind;
    int32_t index;
    float value;
    friend bool operator==(const HeardChange&, const HeardChange&) = default;
};

class RecordingControls : public InProcessControls {
  public:
    using InProcessControls::InProcessControls;

    void beginGesture(ParameterIndex index) override {
        heard.push_back({HeardChange::Begin, index, 0});
    }
    void changeParameter(ParameterIndex index, float storedValue) override {
        effect_.setParameter(index, storedValue);
        const float normalized = Effect::normalizedOf(index, storedValue);
        heard.push_back({HeardChange::Value, index, normalized});
        if (onValue) onValue(index, normalized);
    }
    void endGesture(ParameterIndex index) override {
        heard.push_back({HeardChange::End, index, 0});
    }
    void adjustParameter(ParameterIndex index, float storedValue) override {
        effect_.setParameter(index, storedValue);
        heard.push_back({HeardChange::Adjusted, index, storedValue});
    }

    std::vector<HeardChange> heard;
    // Called as the host hears of a value (it may close the editor then).
    std::function<void(int32_t index, float normalized)> onValue;
};

class EditedEffect {
  public:
    explicit EditedEffect(const EditorPlatform& platform)
        : controls(core), editor(controls, platform) {}

    // What a host does to the effect meanwhile.
    void setParameter(int32_t index, float value) { core.setParameter(index, value); }
    void setProgram(int32_t program) { core.setProgram(program); }
    void processReplacing(float** inputs, float** outputs, int32_t frames) {
        core.process(44100.0f, inputs, outputs, frames);
    }
    EngineState& engine() { return core.engine(); }

    Effect core;
    RecordingControls controls;
    ADEditor editor;
};

}  // namespace velmorin
