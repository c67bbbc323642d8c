// The look-ahead: when a lane's new gain is lower than the one stored a slot
// earlier, the gains already waiting in the delay are lowered along a straight
// line from the new gain up to 1.0 at the read slot, so the reduction is
// complete when the peak that caused it leaves the delay. Stored gains are
// never raised, and the walk stops at the first slot that needs no change.
#pragma once

#include <cstdint>

#include "engine/ramp_line.h"

namespace velmorin {

namespace ramp {

// Lowers gains[first], gains[first - 1] ... gains[last] onto the line v, v + d,
// ...; false when it stopped at a gain already on or below the line. Eight
// slots at a time wherever the line's steps are exact (see ramp_line.h), one
// at a time (each step the float addition v + d) at the ends and up to the
// edge of v's binade, after which the line's step changes.
inline bool lowerDownTo(float* gains, int32_t first, int32_t last, float& v, float d) {
    int32_t slot = first;
    while (slot >= last) {
        const LineSteps line = lineStepsFrom(v, d);
        if (line.exact) {
            EightOnLine eight(line, v);
            for (; slot - 7 >= last && v < line.lastGroupStart; slot -= 8) {
                if (!eight.lowerAll(gains + slot - 7)) {  // the walk stops among these eight
                    v += static_cast<float>(eight.lowerSome(gains + slot - 7)) * line.step;
                    return false;
                }
                v += 8.0f * line.step;
            }
        }
        do {
            if (slot < last) return true;
            if (!(gains[slot] > v)) return false;
            gains[slot] = v;
            v += d;
            --slot;
        } while (v < line.limit);
    }
    return true;
}

}  // namespace ramp

// The walk from `newestOlder`, the slot one behind the one just written, back
// over ringLength - 1 slots to the read slot: down to the ring's start, then
// down from its end (no index arithmetic per slot).
inline void rampBackFrom(float* gains, int32_t newestOlder, int32_t ringLength, float newGain) {
    if (ringLength <= 1 || !(gains[newestOlder] > newGain)) return;
    const float d = (1.0f - newGain) / static_cast<float>(ringLength - 1);
    float v = newGain + d;
    const int32_t beforeWrap = newestOlder + 1 < ringLength - 1 ? newestOlder + 1 : ringLength - 1;
    if (!ramp::lowerDownTo(gains, newestOlder, newestOlder + 1 - beforeWrap, v, d)) return;
    const int32_t afterWrap = ringLength - 1 - beforeWrap;
    ramp::lowerDownTo(gains, ringLength - 1, ringLength - afterWrap, v, d);
}

inline void rampBack(float* gains, int32_t readPos, int32_t ringLength, float newGain) {
    if (ringLength <= 1) return;
    rampBackFrom(gains, (readPos + ringLength - 2) % ringLength, ringLength, newGain);
}

}  // namespace velmorin
