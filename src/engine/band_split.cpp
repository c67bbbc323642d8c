#include "engine/band_split.h"

#include <emmintrin.h>

namespace velmorin {
namespace {

// The six filters (three bands, two channels) as lanes of two vectors:
// {High L, High R, Mid L, Mid R} and {Low L, Low R, -, -}. Each lane runs
// exactly the operations of the scalar filter in the same order, so the
// results are the same to the bit.
struct FilterLanes {
    __m128 b0, b1, b2;
    __m128 enabled;  // all ones for a band that is on
};

FilterLanes lanesOf(const BlockValues& block, int32_t firstBand, int32_t bands) {
    alignas(16) float b0[4] = {}, b1[4] = {}, b2[4] = {};
    alignas(16) uint32_t on[4] = {};
    for (int32_t i = 0; i < 2 * bands; ++i) {
        const int32_t band = firstBand + i / 2;
        b0[i] = block.crossover.band[band].b0;
        b1[i] = block.crossover.band[band].b1;
        b2[i] = block.crossover.band[band].b2;
        on[i] = block.band[band].enabled ? ~0u : 0u;
    }
    return {_mm_load_ps(b0), _mm_load_ps(b1), _mm_load_ps(b2),
            _mm_castsi128_ps(_mm_load_si128(reinterpret_cast<const __m128i*>(on)))};
}

__m128 stereo(const float pair[2]) {
    return _mm_setr_ps(pair[0], pair[1], pair[0], pair[1]);
}

__m128 history(const float (&bands)[kNumBands][2], int32_t firstBand) {
    const float unused = 0.0f;
    return firstBand == 0 ? _mm_setr_ps(bands[0][0], bands[0][1], bands[1][0], bands[1][1])
                          : _mm_setr_ps(bands[2][0], bands[2][1], unused, unused);
}

void storeHistory(float (&bands)[kNumBands][2], __m128 high, __m128 low) {
    alignas(16) float h[4], l[4];
    _mm_store_ps(h, high);
    _mm_store_ps(l, low);
    bands[0][0] = h[0], bands[0][1] = h[1], bands[1][0] = h[2], bands[1][1] = h[3];
    bands[2][0] = l[0], bands[2][1] = l[1];
}

// b0·x + b1·x1 + b2·x2 - a1·y1 - a2·y2 + 1e-11, evaluated left to right; the
// constant keeps the recursion out of denormal numbers.
__m128 filter(const FilterLanes& f, __m128 a1, __m128 a2, __m128 x, __m128 x1, __m128 x2, __m128 y1,
              __m128 y2) {
    __m128 y = _mm_add_ps(_mm_mul_ps(f.b0, x), _mm_mul_ps(f.b1, x1));
    y = _mm_add_ps(y, _mm_mul_ps(f.b2, x2));
    y = _mm_sub_ps(y, _mm_mul_ps(a1, y1));
    y = _mm_sub_ps(y, _mm_mul_ps(a2, y2));
    y = _mm_add_ps(y, _mm_set1_ps(1e-11f));
    return _mm_and_ps(y, f.enabled);  // a disabled band is silent (+0)
}

// Input DC removal: a slow tracker of each channel's offset (level, slope),
// subtracted from it; both channels as lanes 0 and 1 of a vector. The slope
// update and its decay run in double precision, as the tracker was tuned
// with, and a level or slope within 2e-9 of zero snaps to zero (a NaN fails
// both tests: the level keeps it, the slope drops it).
class DcLanes {
  public:
    explicit DcLanes(const DcTracker& dc)
        : level_(_mm_setr_ps(dc.level[0], dc.level[1], 0.0f, 0.0f)),
          slope_(_mm_setr_ps(dc.slope[0], dc.slope[1], 0.0f, 0.0f)) {}

    __m128 remove(__m128 x) {
        // 2e-9f is the largest float below 2e-9, so comparing a float's size
        // with it is exactly comparing its double with 2e-9.
        const __m128 limit = _mm_set1_ps(2e-9f);
        const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
        slope_ = _mm_cvtpd_ps(
            _mm_add_pd(_mm_mul_pd(_mm_cvtps_pd(_mm_sub_ps(x, level_)), _mm_set1_pd(9.134e-6)),
                       _mm_cvtps_pd(slope_)));
        level_ = _mm_andnot_ps(_mm_cmple_ps(_mm_and_ps(level_, magnitude), limit), level_);
        level_ = _mm_add_ps(level_, slope_);
        const __m128 moving = _mm_cmpgt_ps(_mm_and_ps(slope_, magnitude), limit);
        slope_ =
            _mm_and_ps(_mm_cvtpd_ps(_mm_mul_pd(_mm_cvtps_pd(slope_), _mm_set1_pd(0.96))), moving);
        return _mm_sub_ps(x, level_);
    }

    void store(DcTracker& dc) const {
        alignas(16) float level[4], slope[4];
        _mm_store_ps(level, level_);
        _mm_store_ps(slope, slope_);
        dc.level[0] = level[0], dc.level[1] = level[1];
        dc.slope[0] = slope[0], dc.slope[1] = slope[1];
    }

  private:
    __m128 level_, slope_;
};

}  // namespace

void splitIntoBands(const BlockValues& block, DcTracker& dc, CrossoverState& crossover,
                    const float* inLeft, const float* inRight, int32_t count, LaneRun& out) {
    const FilterLanes highMid = lanesOf(block, 0, 2);
    const FilterLanes low = lanesOf(block, 2, 1);
    const __m128 a1 = _mm_set1_ps(block.crossover.a1);
    const __m128 a2 = _mm_set1_ps(block.crossover.a2);
    __m128 x1 = stereo(crossover.x1), x2 = stereo(crossover.x2);
    __m128 y1HighMid = history(crossover.y1, 0), y2HighMid = history(crossover.y2, 0);
    __m128 y1Low = history(crossover.y1, 2), y2Low = history(crossover.y2, 2);
    DcLanes tracker(dc);

    for (int32_t n = 0; n < count; ++n) {
        __m128 x = _mm_setr_ps(inLeft[n], inRight[n], 0.0f, 0.0f);
        if (block.dcRemoval) x = tracker.remove(x);
        x = _mm_movelh_ps(x, x);  // {left, right, left, right}
        const __m128 yHighMid = filter(highMid, a1, a2, x, x1, x2, y1HighMid, y2HighMid);
        const __m128 yLow = filter(low, a1, a2, x, x1, x2, y1Low, y2Low);
        _mm_store_ps(out.frame[n], yHighMid);
        _mm_store_ps(out.frame[n] + 4, yLow);
        x2 = x1, x1 = x;
        y2HighMid = y1HighMid, y1HighMid = yHighMid;
        y2Low = y1Low, y1Low = yLow;
    }

    tracker.store(dc);
    alignas(16) float xs[4];
    _mm_store_ps(xs, x1);
    crossover.x1[0] = xs[0], crossover.x1[1] = xs[1];
    _mm_store_ps(xs, x2);
    crossover.x2[0] = xs[0], crossover.x2[1] = xs[1];
    storeHistory(crossover.y1, y1HighMid, y1Low);
    storeHistory(crossover.y2, y2HighMid, y2Low);
}

}  // namespace velmorin
