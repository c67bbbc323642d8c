// The look-ahead ramp's line v, v + d, v + 2d ... eight slots at a time, with
// exactly the values the one-by-one float additions produce.
//
// Inside one binade [2^e, 2^(e+1)) every float is a multiple of the same
// spacing u, so rounding v + d to the nearest float adds to v the multiple of
// u nearest to d: one constant step D for every v of the binade, unless d lies
// exactly halfway between two multiples (then the tie goes to the even one and
// depends on v). So, as long as the line stays below 2^(e+1) and d is no such
// tie, the k-th value is v + k·D, and that sum is exact (a multiple of u inside
// the binade), which lets eight slots be compared and written at once.
#pragma once

#include <emmintrin.h>

#include <bit>
#include <cstdint>
#include <cstring>

namespace velmorin {
namespace ramp {

struct LineSteps {
    bool exact = false;  // false: step one slot at a time
    float step = 0.0f;   // D
    float limit = 0.0f;  // 2^(e+1), the end of v's binade
    // limit - 8D (exact): eight slots from a v below it, and the v eight
    // steps on, are all inside the binade.
    float lastGroupStart = 0.0f;
};

// Eight slots of one line, v + 7D ... v in memory order, moved eight steps on
// after each group it lowered. Inside the binade every value is exact, so
// adding 8D to each gives what a fresh start from v + 8D would.
class EightOnLine {
  public:
    // {v + 7D, v + 6D, v + 5D, v + 4D} and {v + 3D, v + 2D, v + D, v}.
    EightOnLine(const LineSteps& line, float v)
        : far_(_mm_add_ps(_mm_set1_ps(v),
                          _mm_mul_ps(_mm_set1_ps(line.step), _mm_setr_ps(7.0f, 6.0f, 5.0f, 4.0f)))),
          near_(_mm_add_ps(_mm_set1_ps(v), _mm_mul_ps(_mm_set1_ps(line.step),
                                                      _mm_setr_ps(3.0f, 2.0f, 1.0f, 0.0f)))),
          eightSteps_(_mm_set1_ps(8.0f * line.step)) {}

    // When all eight waiting gains are above the line, lowers them onto it,
    // moves on to the next eight and returns true; otherwise changes nothing.
    bool lowerAll(float* eight) {
        const __m128 above = _mm_and_ps(_mm_cmpgt_ps(_mm_loadu_ps(eight), far_),
                                        _mm_cmpgt_ps(_mm_loadu_ps(eight + 4), near_));
        if (_mm_movemask_ps(above) != 0xF) return false;
        _mm_storeu_ps(eight, far_);
        _mm_storeu_ps(eight + 4, near_);
        far_ = _mm_add_ps(far_, eightSteps_);
        near_ = _mm_add_ps(near_, eightSteps_);
        return true;
    }

    // Lowers eight[7], eight[6] ... onto the line as the walk does: down to
    // the first that is not above it. Returns how many it lowered.
    int32_t lowerSome(float* eight) const {
        const __m128 farWaiting = _mm_loadu_ps(eight), nearWaiting = _mm_loadu_ps(eight + 4);
        const int32_t above = _mm_movemask_ps(_mm_cmpgt_ps(farWaiting, far_)) |
                              _mm_movemask_ps(_mm_cmpgt_ps(nearWaiting, near_)) << 4;
        const int32_t lowered = std::countl_one(static_cast<uint8_t>(above));
        const int32_t written = (0xFF00 >> lowered) & 0xFF;  // bits 7 down to 8 - lowered
        _mm_storeu_ps(eight, select(written & 0xF, far_, farWaiting));
        _mm_storeu_ps(eight + 4, select(written >> 4, near_, nearWaiting));
        return lowered;
    }

  private:
    // Lanes whose bit in `bits` is set from `line`, the others from `waiting`.
    static __m128 select(int32_t bits, __m128 line, __m128 waiting) {
        const __m128i lane = _mm_setr_epi32(1, 2, 4, 8);
        const __m128 mask =
            _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(_mm_set1_epi32(bits), lane), lane));
        return _mm_or_ps(_mm_and_ps(mask, line), _mm_andnot_ps(mask, waiting));
    }

    __m128 far_, near_;
    const __m128 eightSteps_;
};

inline LineSteps lineStepsFrom(float v, float d) {
    LineSteps line;
    // Positive, normal and far from overflow, with spacings that are normal
    // too (flush-to-zero hosts); anything else goes slot by slot.
    if (!(d >= 0x1p-100f && v >= d && v < 0x1p100f)) return line;
    line.step = (v + d) - v;  // exact: v <= v + d <= 2v
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = (bits & 0x7f800000u) + 0x00800000u;
    std::memcpy(&line.limit, &bits, sizeof bits);
    // d - D is exact (the two are within a factor 2, or D is 0); a tie leaves
    // exactly half a spacing.
    const float halfSpacing = line.limit * 0x1p-25f;
    const float rest = d - line.step;
    line.exact = rest != halfSpacing && rest != -halfSpacing;
    line.lastGroupStart = line.limit - 8.0f * line.step;  // exact: multiples of v's spacing
    return line;
}

}  // namespace ramp
}  // namespace velmorin
