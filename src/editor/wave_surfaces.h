// The offscreen surfaces of the four wave displays and the output meter: built
// when the editor opens, drawn into by the ticks, redrawn from the column
// history after a parameter change.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "editor/corner_highlight.h"
#include "editor/wave_column_ring.h"
#include "editor/wave_pens.h"
#include "platform/canvas.h"
#include "platform/graphics.h"

namespace velmorin {

struct DisplaySurfaces {
    std::unique_ptr<platform::Canvas> trace;     // coloured traces on black
    std::unique_ptr<platform::Canvas> backdrop;  // skin area with highlight, gain strip
    std::unique_ptr<platform::Canvas> mask;      // outer traces in black on white
};

struct WaveSurfaces {
    std::array<DisplaySurfaces, kWaveDisplayCount> displays;
    std::unique_ptr<platform::Canvas> outputMeterBackdrop;
};

// Zooms in display order: ZoomH, ZoomM, ZoomL, ZoomMaster.
using DisplayZooms = std::array<int32_t, kWaveDisplayCount>;

// Creates every surface and fills it from the skin: empty traces and masks,
// each backdrop with its display's area (corner highlighted) and the unlit
// gain strip, and the output meter's background.
WaveSurfaces buildWaveSurfaces(platform::Graphics& graphics, const platform::Canvas& skin,
                               const CornerHighlight& highlight, const SurfaceInks& inks);

// Redraws all four trace and mask surfaces from the ring, oldest column at
// x = 1 and newest at x = 122; column 0 stays empty. Displays without
// surfaces (a closed editor) are skipped.
void rerenderWaveDisplays(WaveSurfaces& surfaces, const WaveColumnRing& ring,
                          const DisplayZooms& zooms, const WavePens& pens, const SurfaceInks& inks);

// A tick's new column for one display: scrolls its trace and mask one column
// to the left, draws `column` in the freed column and stores it in the ring
// at columnPos. An all-zero column draws nothing, which is what a bypassed
// tick needs. The ring moves on once all four displays are done. Without
// surfaces only the ring is written; an unknown display changes nothing.
void appendWaveColumn(WaveSurfaces& surfaces, WaveColumnRing& ring, int display,
                      const WaveColumn& column, int32_t zoom, const WavePens& pens,
                      const SurfaceInks& inks);

}  // namespace velmorin
