// The custom colour chooser: 48 basic colours, the 16 custom colour slots,
// red, green and blue bars for the chosen slot, OK and Cancel. A click on a
// slot chooses it; a basic colour or a bar changes the chosen slot.
#pragma once

#include <array>

#include "platform/colour.h"
#include "platform/x11/dialog_panel.h"

namespace platform::x11 {

class ColourChooserPanel : public DialogPanel {
  public:
    ColourChooserPanel(Colour initial, const std::array<Colour, 16>& custom);

    int width() const override { return 320; }
    int height() const override { return 300; }
    void paint(Canvas& canvas) const override;
    void click(int x, int y) override;

    const std::array<Colour, 16>& customColours() const { return custom_; }
    int chosenSlot() const { return slot_; }

    // Where things are, for the tests that click them.
    static Rect basicCell(int index);
    static Rect customCell(int index);
    static Rect bar(int channel);  // 0 red, 1 green, 2 blue
    static Rect okButton();
    static Rect cancelButton();

  private:
    std::array<Colour, 16> custom_;
    Colour initial_;
    int slot_ = 0;
};

}  // namespace platform::x11
