// Timer 1 of the editor window drives every periodic update: each tick posts
// the display-tick message, and a tick after a parameter change refreshes the
// controls first.
#pragma once

#include <cstdint>

#include "platform/window_messages.h"
#include "platform/window_services.h"

namespace velmorin {

inline constexpr std::uintptr_t kEditorTimerId = 1;
inline constexpr std::uint32_t kMsgDisplayTick = platform::kMsgUser + 5;

// 166, 125, 100 and 80 ms for speeds 1 to 4; 125 ms for any other value.
std::uint32_t timerPeriodMs(int32_t displaySpeed);

// Restarts timer 1 of the window with the period of the speed.
void startEditorTimer(platform::WindowServices& windows, platform::WindowHandle window,
                      int32_t displaySpeed);

// The timer's callback: posts the display tick to the window, then, if a
// parameter changed since the last tick, clears the flag and refreshes the
// effect's editor. Does nothing for a window whose editor is closed.
void editorTimerProcedure(platform::WindowHandle window, std::uint32_t message,
                          std::uintptr_t timerId, std::uint32_t time);

}  // namespace velmorin
