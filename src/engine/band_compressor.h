// One band's compressor: an instantaneous peak, a soft-kneed gain computer, an
// attack that is instant or smoothed, and a release whose speed depends on how
// deep and how loud the reduction was.
#pragma once

#include "engine/block_values.h"
#include "engine/engine_state.h"

namespace velmorin {

// Runs one frame of band `band` and returns its gain for that frame.
float compressBand(BandDynamics& dynamics, int32_t band, const BandSettings& settings,
                   const BlockValues& block, float left, float right);

// The gain that brings peak `peak` onto the band's curve; false when the peak
// is not above the threshold or the curve asks for no reduction.
bool curveGain(const BandSettings& settings, float peak, float& gain);

}  // namespace velmorin
