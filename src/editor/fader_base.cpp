#include "editor/fader_base.h"

#include <algorithm>

namespace velmorin {

FaderBase::FaderBase(const ControlCanvas& canvas, const platform::Canvas& cap, CapGeometry geometry,
                     int x, int y, float minimum, float maximum, float travel)
    : canvas_(canvas),
      cap_(cap),
      geometry_(geometry),
      x_(x),
      y_(y),
      minimum_(minimum),
      maximum_(maximum),
      travel_(travel),
      value_(minimum) {}

void FaderBase::setValue(float value) {
    const float clamped = std::clamp(value, minimum_, maximum_);
    if (clamped == value_) return;
    value_ = clamped;
    draw();
}

float FaderBase::valueAt(int py) const {
    return minimum_ + static_cast<float>(py - y_) / (travel_ - 1.0f) * (maximum_ - minimum_);
}

bool FaderBase::grab(int px, int py) {
    if (!onCap(py - y_) || !inColumn(px)) return false;
    setValue(valueAt(py));
    return true;
}

void FaderBase::dragTo(int, int py) {
    setValue(valueAt(py));
}

bool FaderBase::stepToward(int px, int py, float step) {
    const int dy = py - y_;
    if (onCap(dy) || dy < -geometry_.endTolerance ||
        static_cast<float>(dy) >= travel_ + static_cast<float>(geometry_.endTolerance) ||
        !inColumn(px))
        return false;
    setValue(valueAt(py) < value_ ? value_ - step : value_ + step);
    return true;
}

void FaderBase::drawCap(platform::Canvas& window) {
    if (!canvas_.windows.isWindow(canvas_.window)) return;
    // An empty range puts the cap at the top rather than nowhere.
    const float q = maximum_ > minimum_ ? (value_ - minimum_) / (maximum_ - minimum_) : 0.0f;
    capOffset_ = static_cast<int>(static_cast<double>(q) * (travel_ - 1.0f));
    if (capOffset_ < 0 || static_cast<float>(capOffset_) > travel_) return;
    const int capTop = y_ + capOffset_ - geometry_.above;
    window.copyFrom(x_, capTop, geometry_.width, geometry_.height, cap_, 0, 0,
                    platform::RasterOp::Copy);
    // Restore the whole column from the skin around the new cap: the old cap
    // disappears and the new one is never overdrawn.
    window.excludeClip({x_, capTop, x_ + geometry_.width, capTop + geometry_.height});
    window.copyFrom(x_, y_ - geometry_.above, geometry_.width,
                    static_cast<int>(travel_) + geometry_.height, canvas_.skin, x_,
                    y_ - geometry_.above, platform::RasterOp::Copy);
    window.removeClip();
}

}  // namespace velmorin
