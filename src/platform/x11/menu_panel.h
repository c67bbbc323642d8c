// One level of a pop-up menu drawn by us: its items laid out top to bottom,
// check marks, separators and the arrows of submenus; the item under the
// pointer highlighted.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "platform/canvas.h"
#include "platform/menu_description.h"

namespace platform::x11 {

class MenuPanel {
  public:
    MenuPanel(const std::vector<MenuItemDescription>& items,
              const std::set<std::uint16_t>& checked);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<MenuItemDescription>& items() const { return items_; }
    // The item at a point of the panel; -1 for none, a border or a separator.
    int itemAt(int x, int y) const;
    // Where item `index` starts, from the panel's top.
    int itemTop(int index) const { return tops_[static_cast<std::size_t>(index)]; }

    int hover() const { return hover_; }
    // Returns true when the highlighted item changed.
    bool setHover(int index);
    // The next selectable item up or down from the highlighted one, wrapping.
    int neighbour(int step) const;

    void paint(Canvas& canvas) const;

  private:
    std::vector<MenuItemDescription> items_;
    std::set<std::uint16_t> checked_;
    std::vector<int> tops_;
    int width_ = 0;
    int height_ = 0;
    int hover_ = -1;
};

// The text shown for an item: mnemonic ampersands removed ("&&" keeps one).
std::string menuLabel(const std::string& text);

}  // namespace platform::x11
