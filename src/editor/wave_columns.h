// The wave displays' part of a display tick: each display's surfaces move on
// by the new column, the backdrop is composed from skin, traces and threshold
// lines with its corner highlight, and all surfaces are copied to the window.
#pragma once

#include <array>
#include <cstdint>

#include "editor/shared_drawing.h"
#include "editor/wave_surfaces.h"

namespace velmorin {

// What a tick draws in one display.
struct DisplayColumn {
    WaveColumn column;     // all zero while the effect is bypassed
    int32_t zoom;          // the display scale is zoom / 2 times full scale
    float thresholdLevel;  // linear, 1.0 at full scale
    bool shown;            // false for a band that is off and for all while bypassed
    bool thresholdShown;   // false for a bypassed band
};
using DisplayColumns = std::array<DisplayColumn, kWaveDisplayCount>;

// Appends each display's column to the ring and its surfaces (the ring does
// not move on here) and composes each backdrop: the skin's area, then, when
// shown, the traces through the mask and the threshold lines, then the
// corner highlight. Also ends the clip the gain meters left on the backdrops.
void drawWaveColumns(WaveSurfaces& surfaces, WaveColumnRing& ring, const DisplayColumns& columns,
                     const WavePens& pens, const SharedDrawing& shared);

// Rows of the two threshold lines at a level and zoom, symmetric about the
// centre; none when they would lie outside the display.
struct ThresholdRows {
    bool drawn;
    int upper;
    int lower;
};
ThresholdRows thresholdRows(float level, int32_t zoom);

// The wave areas, their gain-reduction strips and the output meter, copied
// from the surfaces to their places in the window.
void copySurfacesToWindow(platform::Canvas& window, const WaveSurfaces& surfaces);

}  // namespace velmorin
