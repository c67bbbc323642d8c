// The look-ahead ramp against the straightforward walk it replaces, which
// indexes every slot modulo the ring length. Both must agree to the bit.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/engine_state.h"
#include "engine/look_ahead_ramp.h"

using namespace velmorin;

namespace {

void referenceRampBack(float* gains, int32_t readPos, int32_t ringLength, float newGain) {
    if (ringLength <= 1) return;
    if (!(gains[(readPos + ringLength - 2) % ringLength] > newGain)) return;
    const float d = (1.0f - newGain) / static_cast<float>(ringLength - 1);
    float v = newGain + d;
    for (int32_t n = ringLength - 2; n >= 0; --n) {
        float& stored = gains[(readPos + n) % ringLength];
        if (!(stored > v)) break;
        stored = v;
        v += d;
    }
}

}  // namespace

// The eight-at-a-time walk against one float addition per slot, on lines whose
// steps land in every case: inside a binade, across one or several binade
// edges, exactly halfway between two floats (the tie goes to the even one),
// too small to move the line at all, and a stop part-way through eight slots.
TEST(LookAheadRamp, EightSlotsAtATimeStepTheLineAsSingleAdditionsDo) {
    struct Line {
        float v, d;
        int32_t stopAt;  // a slot already below the line, or -1
    };
    const Line lines[] = {
        {0.25f, 0.75f / 439.0f, -1},      // through two binade edges
        {0.5f, 0x1.8p-24f, -1},           // d is one and a half spacings: a tie at every step
        {0.5f + 0x1p-24f, 0x1p-25f, -1},  // half a spacing: stays on odd, ties to even
        {0.75f, 0x1p-27f, -1},            // less than half a spacing: the line stands still
        {0.0625f, 0.01f, -1},             // a steep line over many binades
        {0.3f, 0.001f, 201},              // stops in the middle of a group of eight
        {0x1p-101f, 0x1p-102f, -1},       // spacings too small for the fast path
    };
    for (const Line& line : lines) {
        float fast[kRingCapacity], reference[kRingCapacity];
        std::fill(fast, fast + kRingCapacity, 1e30f);
        if (line.stopAt >= 0) fast[line.stopAt] = 0.0f;
        std::memcpy(reference, fast, sizeof fast);

        float v = line.v;
        const bool ranThrough = ramp::lowerDownTo(fast, 439, 0, v, line.d);
        float vRef = line.v;
        bool refRanThrough = true;
        for (int32_t slot = 439; slot >= 0; --slot) {
            if (!(reference[slot] > vRef)) {
                refRanThrough = false;
                break;
            }
            reference[slot] = vRef;
            vRef += line.d;
        }
        EXPECT_EQ(ranThrough, refRanThrough) << "v " << line.v << " d " << line.d;
        EXPECT_EQ(std::memcmp(&v, &vRef, sizeof v), 0) << "v " << line.v << " d " << line.d;
        EXPECT_EQ(std::memcmp(fast, reference, sizeof fast), 0)
            << "v " << line.v << " d " << line.d;
    }
}

TEST(LookAheadRamp, MatchesTheStraightforwardWalkBitForBit) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    float fast[kRingCapacity], reference[kRingCapacity];
    for (int32_t length : {1, 2, 3, 440}) {
        std::fill(fast, fast + kRingCapacity, 1.0f);
        std::fill(reference, reference + kRingCapacity, 1.0f);
        int32_t pos = 0;
        for (int32_t frame = 0; frame < 200000; ++frame) {
            // Mostly release, with sudden drops of every depth.
            const float g = unit(rng) < 0.05f ? unit(rng) : 1.0f - unit(rng) * unit(rng) * 0.1f;
            const int32_t wr = (pos + length - 1) % length;
            fast[wr] = reference[wr] = g;
            rampBack(fast, pos, length, g);
            referenceRampBack(reference, pos, length, g);
            ASSERT_EQ(std::memcmp(fast, reference, sizeof fast), 0)
                << "length " << length << " frame " << frame;
            pos = (pos + 1) % length;
        }
    }
}

TEST(LookAheadRamp, LowersWaitingGainsAlongALineAndNeverRaisesThem) {
    float gains[kRingCapacity];
    std::fill(gains, gains + kRingCapacity, 1.0f);
    const int32_t pos = 100;
    gains[(pos + 439) % 440] = 0.5f;
    rampBack(gains, pos, 440, 0.5f);
    EXPECT_NEAR(gains[(pos + 438) % 440], 0.5f + 0.5f / 439.0f, 1e-7f);
    EXPECT_NEAR(gains[pos], 1.0f, 5e-5f);  // the slot read now (439 float additions)
    gains[(pos + 1) % 440] = 0.1f;         // a deeper gain already waiting stays
    gains[pos] = 1.0f;
    rampBack(gains, pos, 440, 0.4f);
    EXPECT_EQ(gains[(pos + 1) % 440], 0.1f);

    // A gain exactly on the line ends the walk as one below it does. In a ring
    // of 5 the line from 0.5 rises in exact steps of 0.125.
    float ring[5] = {1.0f, 1.0f, 0.75f, 1.0f, 0.5f};
    rampBack(ring, 0, 5, 0.5f);
    const float expected[5] = {1.0f, 1.0f, 0.75f, 0.625f, 0.5f};
    EXPECT_EQ(std::memcmp(ring, expected, sizeof ring), 0);
}
