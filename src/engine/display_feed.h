// What the engine leaves for the editor: per lane the signed extremes of both
// channels since the editor last looked, with the gain of each extreme's own
// frame, and the energy sums of the final output.
//
// Hand-over: the audio thread accumulates into a private record and, at block
// end, publishes it into a one-slot mailbox whenever the editor has emptied
// it; otherwise it keeps accumulating and publishes later. The editor takes the
// whole slot at once. So every frame reaches exactly one take, every take
// covers whole blocks, and nothing is shared without synchronisation.
#pragma once

#include <atomic>
#include <cstdint>

namespace velmorin {

constexpr int32_t kNumLanes = 4;  // 0 High, 1 Mid, 2 Low, 3 Master

struct WaveExtremes {
    float maxLeft = 0, minLeft = 0, maxRight = 0, minRight = 0;
    float gainAtMaxLeft = 0, gainAtMinLeft = 0, gainAtMaxRight = 0, gainAtMinRight = 0;

    // Strict comparisons: the first of equal extremes keeps its gain.
    void add(float left, float right, float gain) {
        if (left > maxLeft) maxLeft = left, gainAtMaxLeft = gain;
        if (left < minLeft) minLeft = left, gainAtMinLeft = gain;
        if (right > maxRight) maxRight = right, gainAtMaxRight = gain;
        if (right < minRight) minRight = right, gainAtMinRight = gain;
    }
    // Folds in the extremes of later frames by the same rule.
    void merge(const WaveExtremes& later) {
        if (later.maxLeft > maxLeft) maxLeft = later.maxLeft, gainAtMaxLeft = later.gainAtMaxLeft;
        if (later.minLeft < minLeft) minLeft = later.minLeft, gainAtMinLeft = later.gainAtMinLeft;
        if (later.maxRight > maxRight)
            maxRight = later.maxRight, gainAtMaxRight = later.gainAtMaxRight;
        if (later.minRight < minRight)
            minRight = later.minRight, gainAtMinRight = later.gainAtMinRight;
    }
};

struct LaneExtremes {
    WaveExtremes lane[kNumLanes];
    void merge(const LaneExtremes& later) {
        for (int32_t i = 0; i < kNumLanes; ++i) lane[i].merge(later.lane[i]);
    }
};

struct OutputSums {
    float sumSqLeft = 0, sumSqRight = 0;
    int32_t sampleCount = 0;
    void merge(const OutputSums& later) {
        sumSqLeft += later.sumSqLeft;
        sumSqRight += later.sumSqRight;
        sampleCount += later.sampleCount;
    }
};

// Single producer (the audio thread); any number of takers.
template <typename T>
class FeedMailbox {
  public:
    // Producer, at block end: folds the block's values in and hands them over
    // if the slot is free. Also applies a clear asked for by `discard`.
    void publish(const T& block) {
        if (clearRequested_.exchange(false, std::memory_order_acquire)) pending_ = T{};
        pending_.merge(block);
        if (state_.load(std::memory_order_acquire) != kEmpty) return;
        slot_ = pending_;
        pending_ = T{};
        state_.store(kFull, std::memory_order_release);
    }

    // Consumer: everything handed over since the last take (zeros if none).
    T take() {
        T out{};
        int32_t expected = kFull;
        if (state_.compare_exchange_strong(expected, kTaking, std::memory_order_acquire)) {
            out = slot_;
            state_.store(kEmpty, std::memory_order_release);
        }
        return out;
    }

    // Any thread: drops what was handed over and what is still pending.
    void discard() {
        clearRequested_.store(true, std::memory_order_release);
        take();
    }

  private:
    enum : int32_t { kEmpty, kFull, kTaking };
    T pending_{};
    T slot_{};
    std::atomic<int32_t> state_{kEmpty};
    std::atomic<bool> clearRequested_{false};
};

struct DisplayFeed {
    FeedMailbox<LaneExtremes> waves;
    FeedMailbox<OutputSums> output;
};

}  // namespace velmorin
