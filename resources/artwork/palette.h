// The panel's colours: dark and calm, one accent per band. Plain numbers,
// so the editor shares them without the drawing library.
#pragma once

namespace artwork {

// A colour as 0xRRGGBB.
using Hex = unsigned;

}  // namespace artwork

namespace artwork::palette {

// What the skin is painted on.
inline constexpr Hex kBackground = 0x131518;
inline constexpr Hex kPanel = 0x22262C;
inline constexpr Hex kPanelEdgeLight = 0x343A42;
inline constexpr Hex kPanelEdgeDark = 0x0C0E10;
inline constexpr Hex kWell = 0x0A0C0F;
inline constexpr Hex kDisplayTop = 0x0B1016;
inline constexpr Hex kDisplayBottom = 0x06080B;
inline constexpr Hex kGridMajor = 0x1E2833;
inline constexpr Hex kGridMinor = 0x121820;
inline constexpr Hex kLabel = 0x8C98A6;
inline constexpr Hex kHeading = 0xD8DEE6;
inline constexpr Hex kScale = 0x6B7683;
inline constexpr Hex kTick = 0x4A535E;
inline constexpr Hex kGroove = 0x050607;

// High, Mid, Low.
inline constexpr Hex kBandAccent[3] = {0x7FA7E8, 0x6CC3A0, 0xE0A85C};

inline constexpr Hex kLampOn = 0x5BE08A;
inline constexpr Hex kLampBypass = 0xF2B33D;
inline constexpr Hex kLampAttack = 0x62B8F0;
inline constexpr Hex kLampAlert = 0xF0574A;

}  // namespace artwork::palette
