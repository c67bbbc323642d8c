// Small helpers for keeping one value per band in the lanes of a vector:
// lanes 0, 1 and 2 are High, Mid and Low, lane 3 idles.
#pragma once

#include <emmintrin.h>

#include "engine/engine_state.h"

namespace velmorin::lanes {

inline __m128 select(__m128 mask, __m128 ifSet, __m128 otherwise) {
    return _mm_or_ps(_mm_and_ps(mask, ifSet), _mm_andnot_ps(mask, otherwise));
}

inline __m128 ofBands(float high, float mid, float low, float idle) {
    return _mm_setr_ps(high, mid, low, idle);
}

inline __m128 ofBands(const float (&bands)[kNumBands], float idle) {
    return ofBands(bands[0], bands[1], bands[2], idle);
}

inline void toBands(__m128 v, float (&bands)[kNumBands]) {
    alignas(16) float all[4];
    _mm_store_ps(all, v);
    for (int32_t b = 0; b < kNumBands; ++b) bands[b] = all[b];
}

}  // namespace velmorin::lanes
