// The short zoom fader: a 13 x 21 cap, no read-out, a range that the zoom
// preference changes.
#pragma once

#include "editor/fader_base.h"
#include "editor/layout.h"

namespace velmorin {

class SmallFader : public FaderBase {
  public:
    SmallFader(const ControlCanvas& canvas, const platform::Canvas& cap, const ControlPlace& place);

    void draw() override;
    // The value is clamped into the new range and redrawn if that moved it.
    void setRange(float minimum, float maximum);
};

}  // namespace velmorin
