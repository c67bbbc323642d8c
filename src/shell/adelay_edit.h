// The class the entry point creates: the compressor with its editor.
#pragma once

#include "shell/adelay.h"

class ADelayEdit : public ADelay {
  public:
    explicit ADelayEdit(audioMasterCallback host);
    ~ADelayEdit() override;
};
