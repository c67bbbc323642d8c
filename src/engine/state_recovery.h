// Recovery from non-finite input. One NaN or infinity would otherwise stay in
// the recursive states (filter history, DC tracker, band and limiter gains,
// output gain) for good and leave the effect silent or outputting NaN. At the
// end of a block every such state that is no longer finite goes back to its
// initial value; finite states are never touched, so finite input is processed
// exactly as before.
#pragma once

#include <cstdint>

#include "engine/engine_state.h"

namespace velmorin {

void recoverNonFiniteState(EngineState& engine);

// The output gain to keep: re-derived from the stored Output when it has
// become zero or non-finite.
float recoveredOutputGain(float outputGain, int32_t storedOutput);

}  // namespace velmorin
