// The editor as a VST 2.4 host reaches it: the host's editor requests go to
// the shared editor, which reaches the effect through the in-process door.
#pragma once

#include "editor/ad_editor.h"
#include "formats/in_process/in_process_controls.h"
#include "formats/vst2/adelay.h"
#include "formats/vst2/aeff_editor.h"

namespace velmorin {

// VST 2.4 hosts hear only of values (audioMasterAutomate), as this build
// always told them; a zoom the editor corrects is stored without a word.
class Vst2Controls : public InProcessControls {
  public:
    explicit Vst2Controls(ADelay& effect) : InProcessControls(effect.effect()), delay_(effect) {}

    void beginGesture(ParameterIndex) override {}
    void changeParameter(ParameterIndex index, float storedValue) override {
        delay_.setParameterAutomated(index, storedValue);
    }
    void endGesture(ParameterIndex) override {}
    void adjustParameter(ParameterIndex index, float storedValue) override {
        delay_.setParameter(index, storedValue);
    }

  private:
    ADelay& delay_;
};

class Vst2Editor : public AEffEditor {
  public:
    // Attaches itself to the effect, which from then on announces an editor.
    Vst2Editor(ADelay& effect, const EditorPlatform& platform);

    // The editor's size in device pixels, at the scale it is (or would
    // open) at.
    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override { return editor_.open(parentWindow); }
    void close() override { editor_.close(); }
    bool isOpen() const override { return editor_.isOpen(); }

    ADEditor& editor() { return editor_; }

  private:
    Vst2Controls controls_;
    ADEditor editor_;
    ERect rect_{};
};

}  // namespace velmorin
