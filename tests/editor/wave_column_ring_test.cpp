// The column history and the arithmetic that places a column's extremes on a
// display.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "editor/wave_column_ring.h"

namespace velmorin {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(WaveColumnRingMapping, OldestColumnAtOneNewestAtTheRightEdge) {
    EXPECT_EQ(WaveColumnRing::ringColumnAt(0, 1), 0);
    EXPECT_EQ(WaveColumnRing::ringColumnAt(0, 122), 121);
    EXPECT_EQ(WaveColumnRing::ringColumnAt(121, 1), 121);
    EXPECT_EQ(WaveColumnRing::ringColumnAt(121, 2), 0);
    EXPECT_EQ(WaveColumnRing::ringColumnAt(121, 122), 120);

    WaveColumnRing ring;
    for (int i = 0; i < 121; ++i) ring.advance();
    EXPECT_EQ(ring.columnPos(), 121);
    ring.advance();
    EXPECT_EQ(ring.columnPos(), 0);
}

TEST(WaveColumnRingStorage, WritesOneDisplayAtTheWritePosition) {
    WaveColumnRing ring;
    ring.advance();
    ring.advance();
    const WaveColumn column{100, -200, 50, -60};
    ring.write(2, column);
    EXPECT_EQ(ring.at(2, 2), column);
    for (int g : {0, 1, 3}) EXPECT_EQ(ring.at(g, 2), WaveColumn{});
    EXPECT_EQ(ring.at(2, 1), WaveColumn{});

    ring.write(4, column);  // no such display: nothing happens
    ring.write(-1, column);
    EXPECT_EQ(ring.at(4, 2), WaveColumn{});
    EXPECT_EQ(ring.at(2, 122), WaveColumn{});
    EXPECT_EQ(ring.at(2, -1), WaveColumn{});
}

// The 32-bit product with wrap-around, worked out in 64 bits.
int32_t wrappedOffset(int32_t value, int32_t zoom) {
    int64_t product = (static_cast<int64_t>(value) * zoom) % (int64_t{1} << 32);
    if (product >= (int64_t{1} << 31)) product -= int64_t{1} << 32;
    if (product < -(int64_t{1} << 31)) product += int64_t{1} << 32;
    return static_cast<int32_t>(product / 1024);
}

TEST(WaveZoom, WrapsProductsThatLeaveThirtyTwoBits) {
    const int32_t values[] = {200'000'000, -150'000'000, kMax, kMin, 123'456'789};
    const int32_t zooms[] = {20, 32, -1, -20, 1'000'000'000, kMin};
    for (int32_t v : values)
        for (int32_t z : zooms)
            EXPECT_EQ(zoomedOffset(v, z), wrappedOffset(v, z)) << v << " x " << z;
    EXPECT_LT(zoomedOffset(200'000'000, 20), 0);  // the product really wrapped
}

TEST(WaveTraceRows, LimitsOnlyTheTopAboveAndTheBottomBelow) {
    EXPECT_EQ(traceRows(2048, -2048, 20), (TraceRows{24, 104}));
    EXPECT_EQ(traceRows(10000, -10000, 20), (TraceRows{0, 128}));
    EXPECT_EQ(traceRows(4096, 0, 32), (TraceRows{0, 64}));  // a peak of 0.125 at zoom 32
    // Truncation toward zero, on both sides of the centre.
    EXPECT_EQ(traceRows(1023, -1023, 1), (TraceRows{64, 64}));
    EXPECT_EQ(traceRows(1025, -1025, 1), (TraceRows{63, 65}));
    // A top below the centre and a bottom above it are left as they are.
    EXPECT_EQ(traceRows(-10000, 10000, 20), (TraceRows{64 + 195, 64 - 195}));
    EXPECT_EQ(traceRows(30000, -30000, 0), (TraceRows{64, 64}));
    // A negative zoom from a host mirrors the trace; the limits still hold.
    EXPECT_EQ(traceRows(2048, -2048, -20), (TraceRows{104, 24}));
    EXPECT_EQ(traceRows(-10000, 10000, -20), (TraceRows{0, 128}));
    // Far-off values stay far off but never overflow.
    const TraceRows far = traceRows(kMin, kMax, 1);
    EXPECT_EQ(far.start, 64 - kMin / 1024);
    EXPECT_EQ(far.end, 64 - kMax / 1024);
}

TEST(WaveScaledExtent, TruncatesAndKeepsBadSamplesInRange) {
    EXPECT_EQ(scaledExtent(0.5f), 16384);
    EXPECT_EQ(scaledExtent(-1.0f), -32768);
    EXPECT_EQ(scaledExtent(1.9f / 32768.0f), 1);
    EXPECT_EQ(scaledExtent(-1.9f / 32768.0f), -1);
    EXPECT_EQ(scaledExtent(65535.0f), 65535 * 32768);
    EXPECT_EQ(scaledExtent(std::nanf("")), 0);
    EXPECT_EQ(scaledExtent(-std::nanf("")), 0);
    EXPECT_EQ(scaledExtent(65536.0f), kMax);
    EXPECT_EQ(scaledExtent(std::numeric_limits<float>::infinity()), kMax);
    EXPECT_EQ(scaledExtent(-65536.0f), kMin);
    EXPECT_EQ(scaledExtent(-1e30f), kMin);
}

}  // namespace
}  // namespace velmorin
