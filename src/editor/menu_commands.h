// The context menu: a right click inside the window shows it at the pointer,
// and each command sets the normalize target, DC removal, a display
// preference or the editor's size, brings the editor in line and stores the
// preferences.
#pragma once

#include <cstdint>

namespace velmorin {

class ADEditor;

// Takes the keyboard focus; shows the menu when the screen point that
// `lParam` carries lies inside the window.
void onContextMenu(ADEditor& editor, std::intptr_t lParam);
// Every id repaints; "Info" shows the information window and stores nothing;
// the setting commands also apply and store the preferences. Other ids, the
// value boxes' notifications among them, only repaint.
void onMenuCommand(ADEditor& editor, std::uint16_t id);

}  // namespace velmorin
