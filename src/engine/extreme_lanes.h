// The three bands' wave extremes (display_feed.h) as lanes of vectors, kept
// by the same strict rule: the first of equal extremes keeps its gain.
#pragma once

#include <emmintrin.h>

#include "engine/display_feed.h"
#include "engine/lane_vectors.h"

namespace velmorin {

class ExtremeLanes {
  public:
    explicit ExtremeLanes(const LaneExtremes& from);

    void add(__m128 left, __m128 right, __m128 gain) {
        keep(_mm_cmpgt_ps(left, maxLeft_), left, gain, maxLeft_, gainAtMaxLeft_);
        keep(_mm_cmplt_ps(left, minLeft_), left, gain, minLeft_, gainAtMinLeft_);
        keep(_mm_cmpgt_ps(right, maxRight_), right, gain, maxRight_, gainAtMaxRight_);
        keep(_mm_cmplt_ps(right, minRight_), right, gain, minRight_, gainAtMinRight_);
    }

    void store(LaneExtremes& to) const;

  private:
    static void keep(__m128 beyond, __m128 value, __m128 gain, __m128& extreme, __m128& gainAt) {
        extreme = lanes::select(beyond, value, extreme);
        gainAt = lanes::select(beyond, gain, gainAt);
    }

    __m128 maxLeft_, minLeft_, maxRight_, minRight_;
    __m128 gainAtMaxLeft_, gainAtMinLeft_, gainAtMaxRight_, gainAtMinRight_;
};

}  // namespace velmorin
