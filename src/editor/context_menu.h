// Menu resource 111: the context menu's commands, as data the platform builds
// a menu from.
#pragma once

#include <array>
#include <cstdint>

#include "platform/menu_description.h"

namespace velmorin {

// The menu resource the context menu is loaded from.
inline constexpr int kContextMenuResource = 111;

enum MenuCommand : std::uint16_t {
    kCmdNormalize0 = 40004,
    kCmdNormalize009 = 40005,
    kCmdPeakHold2s = 40006,
    kCmdPeakHold4s = 40007,
    kCmdPeakHold6s = 40008,
    kCmdPeakHold8s = 40009,
    kCmdPeakHold10s = 40010,
    kCmdPeakHold20s = 40011,
    kCmdPeakHold30s = 40012,
    kCmdColoursNatural = 40013,
    kCmdColoursIcy = 40014,
    kCmdZoom5x = 40017,
    kCmdZoom16x = 40019,
    kCmdZoom10x = 40020,
    kCmdInfo = 40022,
    kCmdNormalize001 = 40024,
    kCmdColoursCustom = 40025,
    kCmdSpeedSlow = 40027,
    kCmdSpeedNormal = 40028,
    kCmdSpeedFast = 40029,
    kCmdNormalize005 = 40030,
    kCmdDcOn = 40031,
    kCmdDcOff = 40032,
    kCmdPeakHoldForever = 40034,
    kCmdSizeAutomatic = 40035,
    kCmdSize100 = 40036,
    kCmdSize125 = 40037,
    kCmdSize150 = 40038,
    kCmdSize175 = 40039,
    kCmdSize200 = 40040,
    kCmdSize250 = 40041,
    kCmdSize300 = 40042,
};

// A menu item that stands for one value of a preference.
struct MenuChoice {
    std::int32_t value;
    MenuCommand command;
};

inline constexpr std::array<MenuChoice, 2> kDcRemovalChoices{{{1, kCmdDcOn}, {0, kCmdDcOff}}};
inline constexpr std::array<MenuChoice, 4> kNormalizeChoices{
    {{0, kCmdNormalize0}, {1, kCmdNormalize001}, {3, kCmdNormalize005}, {2, kCmdNormalize009}}};
inline constexpr std::array<MenuChoice, 2> kColourSchemeChoices{
    {{0, kCmdColoursNatural}, {1, kCmdColoursIcy}}};  // "Custom" is never checked
inline constexpr std::array<MenuChoice, 3> kZoomRangeChoices{
    {{0, kCmdZoom5x}, {1, kCmdZoom10x}, {2, kCmdZoom16x}}};
inline constexpr std::array<MenuChoice, 8> kPeakHoldChoices{{{16, kCmdPeakHold2s},
                                                             {32, kCmdPeakHold4s},
                                                             {48, kCmdPeakHold6s},
                                                             {64, kCmdPeakHold8s},
                                                             {80, kCmdPeakHold10s},
                                                             {160, kCmdPeakHold20s},
                                                             {240, kCmdPeakHold30s},
                                                             {100000000, kCmdPeakHoldForever}}};
inline constexpr std::array<MenuChoice, 3> kDisplaySpeedChoices{
    {{1, kCmdSpeedSlow}, {2, kCmdSpeedNormal}, {3, kCmdSpeedFast}}};
// The stored size: Automatic or a scale's percentage.
inline constexpr std::array<MenuChoice, 8> kEditorScaleChoices{{{0, kCmdSizeAutomatic},
                                                                {100, kCmdSize100},
                                                                {125, kCmdSize125},
                                                                {150, kCmdSize150},
                                                                {175, kCmdSize175},
                                                                {200, kCmdSize200},
                                                                {250, kCmdSize250},
                                                                {300, kCmdSize300}}};

// One top-level popup (its caption is never shown) holding the six settings
// popups, a separator, "Info" and the "Size" popup.
const platform::MenuDescription& contextMenuDescription();

}  // namespace velmorin
