// The window messages the editor handles or posts, with the numbers the
// Windows window procedure receives, so both platforms share one dispatch.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kMsgDestroy = 0x0002;
inline constexpr std::uint32_t kMsgPaint = 0x000F;
inline constexpr std::uint32_t kMsgContextMenu = 0x007B;
inline constexpr std::uint32_t kMsgCommand = 0x0111;
inline constexpr std::uint32_t kMsgTimer = 0x0113;
inline constexpr std::uint32_t kMsgMouseMove = 0x0200;
inline constexpr std::uint32_t kMsgLeftButtonDown = 0x0201;
inline constexpr std::uint32_t kMsgLeftButtonUp = 0x0202;
inline constexpr std::uint32_t kMsgUser = 0x0400;

// Notification code in the high word of a command's first parameter: the
// text of an edit box changed.
inline constexpr std::uint32_t kEditChanged = 0x0300;

}  // namespace platform
