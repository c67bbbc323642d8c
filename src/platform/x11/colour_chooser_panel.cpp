#include "platform/x11/colour_chooser_panel.h"

#include <algorithm>

#include "platform/x11/panel_drawing.h"

namespace platform::x11 {
namespace {

constexpr int kLeft = 12;
constexpr int kCell = 30;
constexpr int kCellHeight = 20;
constexpr int kBasicTop = 28;
constexpr int kCustomTop = 184;
constexpr int kBarTop = 240;
constexpr int kBarWidth = 256;

// Six rows of eight: greys, then hues at four strengths.
constexpr std::array<Colour, 48> kBasicColours{
    rgb(0, 0, 0),       rgb(64, 64, 64),    rgb(128, 128, 128), rgb(160, 160, 160),
    rgb(192, 192, 192), rgb(224, 224, 224), rgb(255, 255, 255), rgb(128, 0, 0),
    rgb(255, 0, 0),     rgb(255, 128, 0),   rgb(255, 255, 0),   rgb(128, 255, 0),
    rgb(0, 255, 0),     rgb(0, 255, 128),   rgb(0, 255, 255),   rgb(0, 128, 255),
    rgb(0, 0, 255),     rgb(128, 0, 255),   rgb(255, 0, 255),   rgb(255, 0, 128),
    rgb(255, 128, 128), rgb(255, 192, 128), rgb(255, 255, 128), rgb(128, 255, 128),
    rgb(128, 255, 255), rgb(128, 192, 255), rgb(128, 128, 255), rgb(255, 128, 255),
    rgb(128, 64, 0),    rgb(128, 128, 0),   rgb(0, 128, 0),     rgb(0, 128, 128),
    rgb(0, 0, 128),     rgb(64, 0, 128),    rgb(128, 0, 128),   rgb(128, 0, 64),
    rgb(200, 220, 255), rgb(110, 131, 241), rgb(0, 160, 0),     rgb(0, 200, 0),
    rgb(200, 0, 0),     rgb(64, 32, 0),     rgb(64, 64, 0),     rgb(0, 64, 0),
    rgb(0, 64, 64),     rgb(0, 0, 64),      rgb(32, 0, 64),     rgb(64, 0, 32),
};

std::uint8_t channelOf(Colour c, int channel) {
    return channel == 0 ? redOf(c) : channel == 1 ? greenOf(c) : blueOf(c);
}

Colour withChannel(Colour c, int channel, std::uint8_t value) {
    const int shift = 8 * channel;
    return (c & ~(Colour{0xFF} << shift)) | (Colour{value} << shift);
}

}  // namespace

ColourChooserPanel::ColourChooserPanel(Colour initial, const std::array<Colour, 16>& custom)
    : custom_(custom), initial_(initial & 0xFFFFFFu) {
    // Start at the slot that holds the colour being changed, if any.
    const auto it = std::find(custom_.begin(), custom_.end(), initial_);
    if (it != custom_.end()) slot_ = static_cast<int>(it - custom_.begin());
}

Rect ColourChooserPanel::basicCell(int index) {
    const int x = kLeft + (index % 8) * (kCell + 7);
    const int y = kBasicTop + (index / 8) * (kCellHeight + 4);
    return {x, y, x + kCell, y + kCellHeight};
}

Rect ColourChooserPanel::customCell(int index) {
    const int x = kLeft + (index % 8) * (kCell + 7);
    const int y = kCustomTop + (index / 8) * (kCellHeight + 4);
    return {x, y, x + kCell, y + kCellHeight};
}

Rect ColourChooserPanel::bar(int channel) {
    const int y = kBarTop + channel * 12;
    return {kLeft, y, kLeft + kBarWidth, y + 9};
}

Rect ColourChooserPanel::okButton() {
    return {140, 272, 220, 294};
}

Rect ColourChooserPanel::cancelButton() {
    return {228, 272, 308, 294};
}

void ColourChooserPanel::paint(Canvas& canvas) const {
    fill(canvas, {0, 0, width(), height()}, kPanelFace);
    drawPanelText(canvas, "Basic colours:", kLeft, 6, kPanelText);
    for (int i = 0; i < 48; ++i) {
        fill(canvas, basicCell(i), kBasicColours[static_cast<std::size_t>(i)]);
        frame(canvas, basicCell(i), kPanelShade);
    }
    drawPanelText(canvas, "Custom colours:", kLeft, kCustomTop - 20, kPanelText);
    for (int i = 0; i < 16; ++i) {
        const Rect cell = customCell(i);
        fill(canvas, cell, custom_[static_cast<std::size_t>(i)]);
        frame(canvas, cell, kPanelShade);
        if (i == slot_)
            frame(canvas, {cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2},
                  kPanelText);
    }
    const Colour chosen = custom_[static_cast<std::size_t>(slot_)];
    for (int channel = 0; channel < 3; ++channel) {
        const Rect r = bar(channel);
        for (int x = 0; x < kBarWidth; ++x)
            canvas.drawLine(r.left + x, r.top, r.left + x, r.bottom,
                            Pen(withChannel(chosen, channel, static_cast<std::uint8_t>(x))));
        const int mark = r.left + channelOf(chosen, channel);
        canvas.drawLine(mark, r.top - 2, mark, r.bottom + 2, Pen(kPanelText));
    }
    const Rect preview{kLeft + kBarWidth + 12, kBarTop, width() - kLeft, kBarTop + 33};
    fill(canvas, preview, chosen);
    frame(canvas, preview, kPanelShade);
    drawButton(canvas, okButton(), "OK", true);
    drawButton(canvas, cancelButton(), "Cancel", false);
}

void ColourChooserPanel::click(int x, int y) {
    Colour& chosen = custom_[static_cast<std::size_t>(slot_)];
    for (int i = 0; i < 16; ++i)
        if (customCell(i).contains(x, y)) slot_ = i;
    for (int i = 0; i < 48; ++i)
        if (basicCell(i).contains(x, y)) chosen = kBasicColours[static_cast<std::size_t>(i)];
    for (int channel = 0; channel < 3; ++channel) {
        const Rect r = bar(channel);
        // The bar is easier to hit a little above and below its paint.
        if (x >= r.left && x < r.right && y >= r.top - 2 && y < r.bottom + 2)
            chosen = withChannel(chosen, channel, static_cast<std::uint8_t>(x - r.left));
    }
    if (okButton().contains(x, y)) confirm();
    if (cancelButton().contains(x, y)) cancel();
}

}  // namespace platform::x11
