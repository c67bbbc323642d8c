#include "editor/small_fader.h"

namespace velmorin {
namespace {

constexpr CapGeometry kSmallCap{kSmallCapWidth, kSmallCapHeight, kSmallCapAbove, 9, 9};

}  // namespace

SmallFader::SmallFader(const ControlCanvas& canvas, const platform::Canvas& cap,
                       const ControlPlace& place)
    : FaderBase(canvas, cap, kSmallCap, place.x, place.y, place.minimum, place.maximum,
                static_cast<float>(place.travel)) {
    draw();
}

void SmallFader::draw() {
    auto window = canvas_.windows.windowCanvas(canvas_.window);
    drawCap(*window);
}

void SmallFader::setRange(float minimum, float maximum) {
    setRangeOnly(minimum, maximum);
    setValue(value());
}

}  // namespace velmorin
