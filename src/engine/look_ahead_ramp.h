// The look-ahead: when a lane's new gain is lower than the one stored a slot
// earlier, the gains already waiting in the delay are lowered along a straight
// line from the new gain up to 1.0 at the read slot, so the reduction is
// complete when the peak that caused it leaves the delay. Stored gains are
// never raised, and the walk stops at the first slot that needs no change.
#pragma once

#include <cstdint>

namespace velmorin {

inline void rampBack(float* gains, int32_t readPos, int32_t ringLength, float newGain) {
    if (ringLength <= 1) return;
    int32_t slot = (readPos + ringLength - 2) % ringLength;  // the newest older sample
    if (!(gains[slot] > newGain)) return;
    const float d = (1.0f - newGain) / static_cast<float>(ringLength - 1);
    float v = newGain + d;
    // Back to the read slot, wrapping at the ring's start (no division per slot).
    for (int32_t n = ringLength - 2; n >= 0; --n) {
        if (!(gains[slot] > v)) break;
        gains[slot] = v;
        v += d;
        slot = slot == 0 ? ringLength - 1 : slot - 1;
    }
}

}  // namespace velmorin
