// A fader with a 16 x 34 cap and a text read-out above its travel; the
// read-out gives way to a value box while a value is typed.
#pragma once

#include "editor/fader_base.h"
#include "editor/layout.h"
#include "platform/drawing_objects.h"

namespace velmorin {

class Fader : public FaderBase {
  public:
    // Takes position, range, travel, read-out kind and box from `place`;
    // starts at the minimum and draws itself.
    Fader(const ControlCanvas& canvas, const platform::Canvas& cap, const platform::Font& font,
          const ControlPlace& place);

    bool dimmed() const { return dimmed_; }
    bool boxVisible() const { return boxVisible_; }

    void draw() override;
    void setDimmed(bool dimmed);
    void setBoxVisible(bool visible);
    // True on the read-out while it is shown.
    bool hitBox(int px, int py) const;

  private:
    const platform::Font& font_;
    const Readout readout_;
    const int boxX_;
    const int boxY_;
    bool dimmed_ = false;
    bool boxVisible_ = true;
};

}  // namespace velmorin
