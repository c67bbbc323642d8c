// A value box as a multi-line edit control behaves: typed characters replace
// the selection at the caret, Backspace and Delete remove, Enter inserts a
// line break (the owner counts the lines), the arrows and Home/End move the
// caret. Drawn centred on white, with the selection highlighted.
#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"

namespace platform::x11 {

class TextField {
  public:
    enum class Key { Backspace, Delete, Left, Right, Home, End, Enter };

    const std::string& text() const { return text_; }
    void setText(std::string_view text);
    // end -1 (or past the text) selects to the end; a negative start keeps
    // only the caret.
    void select(int start, int end);
    int selectionStart() const { return std::min(anchor_, caret_); }
    int selectionEnd() const { return std::max(anchor_, caret_); }
    int caret() const { return caret_; }

    // True when the text changed.
    bool type(std::string_view characters);
    bool press(Key key);
    int lineCount() const;

    struct Look {
        const Font* font = nullptr;
        Rect formatting;  // where the text is centred, in the field's own pixels
        int leftMargin = 0;
        int rightMargin = 0;
        bool focused = false;
    };
    void paint(Canvas& canvas, const Look& look) const;

  private:
    void replaceSelection(std::string_view with);

    std::string text_;
    int anchor_ = 0;
    int caret_ = 0;
};

}  // namespace platform::x11
