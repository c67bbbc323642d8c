// The X key symbols the menus, dialogs and text fields react to.
#pragma once

#include <cstdint>

namespace platform::x11 {

inline constexpr std::uint32_t kKeyBackSpace = 0xFF08;
inline constexpr std::uint32_t kKeyReturn = 0xFF0D;
inline constexpr std::uint32_t kKeyEscape = 0xFF1B;
inline constexpr std::uint32_t kKeyHome = 0xFF50;
inline constexpr std::uint32_t kKeyLeft = 0xFF51;
inline constexpr std::uint32_t kKeyUp = 0xFF52;
inline constexpr std::uint32_t kKeyRight = 0xFF53;
inline constexpr std::uint32_t kKeyDown = 0xFF54;
inline constexpr std::uint32_t kKeyEnd = 0xFF57;
inline constexpr std::uint32_t kKeyKeypadEnter = 0xFF8D;
inline constexpr std::uint32_t kKeyKeypadAdd = 0xFFAB;
inline constexpr std::uint32_t kKeyKeypadSubtract = 0xFFAD;
inline constexpr std::uint32_t kKeyKeypadDecimal = 0xFFAE;
inline constexpr std::uint32_t kKeyKeypad0 = 0xFFB0;
inline constexpr std::uint32_t kKeyKeypad9 = 0xFFB9;
inline constexpr std::uint32_t kKeyDelete = 0xFFFF;

}  // namespace platform::x11
