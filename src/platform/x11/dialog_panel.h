// A small modal window we draw ourselves (the message box, the colour
// chooser): it paints itself, takes left clicks and the Enter and Escape keys,
// and ends confirmed or cancelled.
#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"

namespace platform::x11 {

class DialogPanel {
  public:
    enum class Outcome { Open, Confirmed, Cancelled };

    virtual ~DialogPanel() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void paint(Canvas& canvas) const = 0;
    virtual void click(int x, int y) = 0;
    void confirm() { outcome_ = Outcome::Confirmed; }
    void cancel() { outcome_ = Outcome::Cancelled; }
    Outcome outcome() const { return outcome_; }

  private:
    Outcome outcome_ = Outcome::Open;
};

// The text, one OK button; every way out counts as confirmed.
class MessageBoxPanel : public DialogPanel {
  public:
    explicit MessageBoxPanel(std::string_view text);
    int width() const override { return width_; }
    int height() const override { return 96; }
    void paint(Canvas& canvas) const override;
    void click(int x, int y) override;
    // Where the button is, for the tests that click it.
    Rect okButton() const;

  private:
    std::string text_;
    int width_;
};

}  // namespace platform::x11
