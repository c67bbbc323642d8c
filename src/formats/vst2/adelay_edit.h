// The class the entry point creates: the compressor with its editor.
#pragma once

#include <functional>

#include "formats/vst2/adelay.h"

class ADelayEdit : public ADelay {
  public:
    // Builds the editor for a new effect, or answers null; the editor
    // attaches itself to the effect.
    using EditorFactory = std::function<AEffEditor*(ADelayEdit& effect)>;

    // Without a factory (a build that cannot show a window yet) the effect
    // has no editor and the record announces none.
    explicit ADelayEdit(audioMasterCallback host, const EditorFactory& makeEditor = {});
    ~ADelayEdit() override;
};
