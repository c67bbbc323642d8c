// The shared black and white and a set of wave pens with a distinct colour
// for every display and role, so a test can tell which pen drew a pixel.
#pragma once

#include <memory>

#include "editor/wave_pens.h"

namespace velmorin::testing {

struct OwnedInks {
    platform::Brush black{platform::rgb(0, 0, 0)};
    platform::Brush white{platform::rgb(255, 255, 255)};
    platform::Pen blackPen{platform::rgb(0, 0, 0)};
    SurfaceInks view() const { return {black, white, blackPen}; }
};

inline platform::Colour wavePenColour(int display, int role) {
    return platform::rgb(static_cast<uint8_t>(40 + 50 * role), static_cast<uint8_t>(100 + display),
                         static_cast<uint8_t>(10 + display));
}

inline WavePens distinctWavePens() {
    WavePens pens;
    for (int g = 0; g < kWaveDisplayCount; ++g)
        for (int role = 0; role < kWavePenRoles; ++role)
            pens[g][role] = std::make_unique<platform::Pen>(wavePenColour(g, role));
    return pens;
}

}  // namespace velmorin::testing
