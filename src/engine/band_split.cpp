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

// The crossover over a run: the six filters' history kept as vectors.
class CrossoverLanes {
  public:
    CrossoverLanes(const BlockValues& block, const CrossoverState& state)
        : highMid_(lanesOf(block, 0, 2)),
          low_(lanesOf(block, 2, 1)),
          a1_(_mm_set1_ps(block.crossover.a1)),
          a2_(_mm_set1_ps(block.crossover.a2)),
          x1_(stereo(state.x1)),
          x2_(stereo(state.x2)),
          y1HighMid_(history(state.y1, 0)),
          y2HighMid_(history(state.y2, 0)),
          y1Low_(history(state.y1, 2)),
          y2Low_(history(state.y2, 2)) {}

    // One frame, {left, right, -, -} in; High, Mid and Low out.
    void run(__m128 input, float (&frame)[2 * kNumLanes]) {
        const __m128 x = _mm_movelh_ps(input, input);  // {left, right, left, right}
        const __m128 yHighMid = filter(highMid_, a1_, a2_, x, x1_, x2_, y1HighMid_, y2HighMid_);
        const __m128 yLow = filter(low_, a1_, a2_, x, x1_, x2_, y1Low_, y2Low_);
        _mm_store_ps(frame, yHighMid);
        _mm_store_ps(frame + 4, yLow);
        x2_ = x1_, x1_ = x;
        y2HighMid_ = y1HighMid_, y1HighMid_ = yHighMid;
        y2Low_ = y1Low_, y1Low_ = yLow;
    }

    void store(CrossoverState& state) const {
        alignas(16) float xs[4];
        _mm_store_ps(xs, x1_);
        state.x1[0] = xs[0], state.x1[1] = xs[1];
        _mm_store_ps(xs, x2_);
        state.x2[0] = xs[0], state.x2[1] = xs[1];
        storeHistory(state.y1, y1HighMid_, y1Low_);
        storeHistory(state.y2, y2HighMid_, y2Low_);
    }

  private:
    const FilterLanes highMid_, low_;
    const __m128 a1_, a2_;
    __m128 x1_, x2_, y1HighMid_, y2HighMid_, y1Low_, y2Low_;
};

// One loop for each DC setting, so that none of them branches per frame.
template <bool kRemoveDc>
void split(const BlockValues& block, DcTracker& dc, CrossoverState& state, const float* inLeft,
           const float* inRight, int32_t count, LaneRun& out) {
    CrossoverLanes crossover(block, state);
    DcLanes tracker(dc);
    for (int32_t n = 0; n < count; ++n) {
        const __m128 x = _mm_setr_ps(inLeft[n], inRight[n], 0.0f, 0.0f);
        crossover.run(kRemoveDc ? tracker.remove(x) : x, out.frame[n]);
    }
    crossover.store(state);
    tracker.store(dc);
}

}  // namespace

void splitIntoBands(const BlockValues& block, DcTracker& dc, CrossoverState& crossover,
                    const float* inLeft, const float* inRight, int32_t count, LaneRun& out) {
    const auto run = block.dcRemoval ? split<true> : split<false>;
    run(block, dc, crossover, inLeft, inRight, count, out);
}

}  // namespace velmorin
