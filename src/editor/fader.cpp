#include "editor/fader.h"

#include "editor/readout_text.h"

namespace velmorin {
namespace {

constexpr CapGeometry kFaderCap{kFaderCapWidth, kFaderCapHeight, kFaderCapAbove, 16, 15};
constexpr platform::Colour kTextColour = platform::rgb(255, 255, 255);
constexpr platform::Colour kDimmedTextColour = platform::rgb(115, 131, 151);

}  // namespace

Fader::Fader(const ControlCanvas& canvas, const platform::Canvas& cap, const platform::Font& font,
             const ControlPlace& place)
    : FaderBase(canvas, cap, kFaderCap, place.x, place.y, place.minimum, place.maximum,
                static_cast<float>(place.travel)),
      font_(font),
      readout_(place.readout),
      boxX_(place.boxX),
      boxY_(place.boxY) {
    draw();
}

void Fader::draw() {
    auto window = canvas_.windows.windowCanvas(canvas_.window);
    drawCap(*window);
    if (!boxVisible_ || !canvas_.windows.isWindow(canvas_.window)) return;
    window->copyFrom(boxX_, boxY_, kReadoutWidth, kReadoutHeight, canvas_.skin, boxX_, boxY_,
                     platform::RasterOp::Copy);
    const bool grey = dimmed_ && readoutGreysWhenDimmed(readout_);
    // The output read-out's text starts one pixel further right.
    const int textLeft = boxX_ + (readout_ == Readout::Output ? 2 : 1);
    window->drawCentredText(readoutText(readout_, value(), dimmed_),
                            {textLeft, boxY_ + 1, boxX_ + 41, boxY_ + 14},
                            grey ? kDimmedTextColour : kTextColour, font_);
}

void Fader::setDimmed(bool dimmed) {
    if (dimmed == dimmed_) return;
    dimmed_ = dimmed;
    draw();
}

void Fader::setBoxVisible(bool visible) {
    if (visible == boxVisible_) return;
    boxVisible_ = visible;
    draw();
}

bool Fader::hitBox(int px, int py) const {
    return boxVisible_ && py >= boxY_ && py <= boxY_ + 14 && px >= boxX_ && px < boxX_ + 41;
}

}  // namespace velmorin
