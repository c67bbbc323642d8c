// What the editor shows in any room a host gives its window beyond the
// editor's size: the colour the skin is painted on, so the room reads as
// more of the panel.
#pragma once

#include <cstdint>

#include "artwork/palette.h"
#include "platform/colour.h"

namespace velmorin {

inline constexpr platform::Colour kRoomColour =
    platform::rgb(static_cast<std::uint8_t>(artwork::palette::kBackground >> 16),
                  static_cast<std::uint8_t>(artwork::palette::kBackground >> 8),
                  static_cast<std::uint8_t>(artwork::palette::kBackground));

}  // namespace velmorin
