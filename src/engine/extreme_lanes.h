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
        // maxps(a, b) is exactly "a > b ? a : b", minps(a, b) "a < b ? a : b".
        gainAtMaxLeft_ = lanes::select(_mm_cmpgt_ps(left, maxLeft_), gain, gainAtMaxLeft_);
        maxLeft_ = _mm_max_ps(left, maxLeft_);
        gainAtMinLeft_ = lanes::select(_mm_cmplt_ps(left, minLeft_), gain, gainAtMinLeft_);
        minLeft_ = _mm_min_ps(left, minLeft_);
        gainAtMaxRight_ = lanes::select(_mm_cmpgt_ps(right, maxRight_), gain, gainAtMaxRight_);
        maxRight_ = _mm_max_ps(right, maxRight_);
        gainAtMinRight_ = lanes::select(_mm_cmplt_ps(right, minRight_), gain, gainAtMinRight_);
        minRight_ = _mm_min_ps(right, minRight_);
    }

    void store(LaneExtremes& to) const;

  private:
    __m128 maxLeft_, minLeft_, maxRight_, minRight_;
    __m128 gainAtMaxLeft_, gainAtMinLeft_, gainAtMaxRight_, gainAtMinRight_;
};

}  // namespace velmorin
