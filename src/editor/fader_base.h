// What the two fader kinds share: a value on a vertical travel whose top is
// the range minimum, the pointer arithmetic, and drawing the cap so that the
// old cap is erased without the new one flickering.
#pragma once

#include "editor/control_canvas.h"

namespace velmorin {

// A cap's size, the cap row that marks the value, and how far from the cap
// and the travel's ends a press still counts.
struct CapGeometry {
    int width;
    int height;
    int above;         // rows of the cap above the value row
    int capTolerance;  // a press this close to the value row is on the cap
    int endTolerance;  // a page press this far beyond the travel still counts
};

class FaderBase {
  public:
    virtual ~FaderBase() = default;
    FaderBase(const FaderBase&) = delete;
    FaderBase& operator=(const FaderBase&) = delete;

    float value() const { return value_; }
    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    int capOffset() const { return capOffset_; }

    virtual void draw() = 0;
    // Clamps into the range; stores and draws only when the value changes.
    void setValue(float value);
    // A press on the cap (within the tolerance) takes the value under the
    // pointer and answers true.
    bool grab(int px, int py);
    void dragTo(int px, int py);
    // A press beside the cap but within the column moves one step toward it.
    bool stepToward(int px, int py, float step);

  protected:
    FaderBase(const ControlCanvas& canvas, const platform::Canvas& cap, CapGeometry geometry, int x,
              int y, float minimum, float maximum, float travel);

    // Draws the cap at the current value into `window`, when the window
    // still exists.
    void drawCap(platform::Canvas& window);
    void setRangeOnly(float minimum, float maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }

    const ControlCanvas canvas_;

  private:
    float valueAt(int py) const;
    bool inColumn(int px) const { return px - x_ >= 0 && px - x_ < geometry_.width; }
    bool onCap(int dy) const {
        return dy >= capOffset_ - geometry_.capTolerance &&
               dy <= capOffset_ + geometry_.capTolerance;
    }

    const platform::Canvas& cap_;
    const CapGeometry geometry_;
    const int x_;
    const int y_;
    float minimum_;
    float maximum_;
    const float travel_;
    float value_;
    int capOffset_ = 0;
};

}  // namespace velmorin
