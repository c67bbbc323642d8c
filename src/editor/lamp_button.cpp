#include "editor/lamp_button.h"

namespace velmorin {

LampButton::LampButton(const ControlCanvas& canvas, const platform::Canvas& lit,
                       const ControlPlace& place)
    : canvas_(canvas),
      lit_(lit),
      x_(place.x),
      y_(place.y),
      width_(place.travel),
      height_(place.height) {
    draw();
}

void LampButton::draw() {
    auto window = canvas_.windows.windowCanvas(canvas_.window);
    if (state_ != 0 && canvas_.windows.isWindow(canvas_.window))
        window->copyFrom(x_, y_, width_, height_, lit_, 0, 0, platform::RasterOp::Copy);
    else
        window->copyFrom(x_, y_, width_, height_, canvas_.skin, x_, y_, platform::RasterOp::Copy);
}

void LampButton::setState(int state) {
    state_ = state;
    draw();
}

bool LampButton::hit(int px, int py) const {
    return px >= x_ && px <= x_ + width_ && py >= y_ && py <= y_ + height_;
}

}  // namespace velmorin
