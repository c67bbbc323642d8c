// A switch shown by its lit picture over the skin, or by the skin's unlit
// picture when off.
#pragma once

#include "editor/control_canvas.h"
#include "editor/layout.h"

namespace velmorin {

class LampButton {
  public:
    LampButton(const ControlCanvas& canvas, const platform::Canvas& lit, const ControlPlace& place);
    LampButton(const LampButton&) = delete;
    LampButton& operator=(const LampButton&) = delete;

    int state() const { return state_; }
    void draw();
    // Stores and draws, also when the state is unchanged.
    void setState(int state);
    // All four edges count as inside.
    bool hit(int px, int py) const;

  private:
    const ControlCanvas canvas_;
    const platform::Canvas& lit_;
    const int x_;
    const int y_;
    const int width_;
    const int height_;
    int state_ = 0;
};

}  // namespace velmorin
