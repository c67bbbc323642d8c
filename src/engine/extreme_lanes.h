// The four lanes' wave extremes (display_feed.h) as lanes of vectors, kept
// by the same strict rule: the first of equal extremes keeps its gain.
#pragma once

#include <emmintrin.h>

#include "engine/display_feed.h"
#include "engine/frame_run.h"
#include "engine/lane_vectors.h"

namespace velmorin {

class ExtremeLanes {
  public:
    explicit ExtremeLanes(const LaneExtremes& from);

    // Every lane of a run's frames, in order.
    void add(const LaneRun& run, int32_t count) {
        Kept k = kept_;  // in registers for the loop (vectors may alias the run)
        for (int32_t n = 0; n < count; ++n)
            k.add(run.lefts(n), run.rights(n), _mm_load_ps(run.gain[n]));
        kept_ = k;
    }

    void store(LaneExtremes& to) const;

  private:
    struct Kept {
        __m128 maxLeft, minLeft, maxRight, minRight;
        __m128 gainAtMaxLeft, gainAtMinLeft, gainAtMaxRight, gainAtMinRight;

        [[gnu::always_inline]] void add(__m128 left, __m128 right, __m128 gain) {
            // maxps(a, b) is exactly "a > b ? a : b", minps(a, b) "a < b ? a : b".
            gainAtMaxLeft = lanes::select(_mm_cmpgt_ps(left, maxLeft), gain, gainAtMaxLeft);
            maxLeft = _mm_max_ps(left, maxLeft);
            gainAtMinLeft = lanes::select(_mm_cmplt_ps(left, minLeft), gain, gainAtMinLeft);
            minLeft = _mm_min_ps(left, minLeft);
            gainAtMaxRight = lanes::select(_mm_cmpgt_ps(right, maxRight), gain, gainAtMaxRight);
            maxRight = _mm_max_ps(right, maxRight);
            gainAtMinRight = lanes::select(_mm_cmplt_ps(right, minRight), gain, gainAtMinRight);
            minRight = _mm_min_ps(right, minRight);
        }
    };

    Kept kept_;
};

}  // namespace velmorin
