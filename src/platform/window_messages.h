// The window messages the editor handles or posts, with the numbers the
// Windows window procedure receives, so both platforms share one dispatch.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace platform {

inline constexpr std::uint32_t kMsgDestroy = 0x0002;
inline constexpr std::uint32_t kMsgPaint = 0x000F;
inline constexpr std::uint32_t kMsgContextMenu = 0x007B;
inline constexpr std::uint32_t kMsgCommand = 0x0111;
inline constexpr std::uint32_t kMsgTimer = 0x0113;
inline constexpr std::uint32_t kMsgMouseMove = 0x0200;
inline constexpr std::uint32_t kMsgLeftButtonDown = 0x0201;
inline constexpr std::uint32_t kMsgLeftButtonUp = 0x0202;
// The DPI of the window's monitor changed (Windows sends it to child
// windows after their top-level window has moved or been resized for it).
inline constexpr std::uint32_t kMsgDpiChangedAfterParent = 0x02E3;
inline constexpr std::uint32_t kMsgUser = 0x0400;

// Notification code in the high word of a command's first parameter: the
// text of an edit box changed.
inline constexpr std::uint32_t kEditChanged = 0x0300;

// The point a mouse or context-menu message carries: signed 16-bit x in the
// low word, y in the high word.
inline Point pointOf(std::intptr_t lParam) {
    const auto bits = static_cast<std::uint32_t>(lParam);
    return {static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

inline std::intptr_t pointParam(Point point) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(point.y) & 0xFFFF) << 16 |
                                      (static_cast<std::uint32_t>(point.x) & 0xFFFF));
}

// A command message's first parameter: the notification code in the high
// word, the command or control identifier in the low word.
inline std::uint16_t commandIdOf(std::uintptr_t wParam) {
    return static_cast<std::uint16_t>(wParam & 0xFFFF);
}
inline std::uint16_t notificationOf(std::uintptr_t wParam) {
    return static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF);
}

}  // namespace platform
