// What the engine leaves for the editor: per lane the signed extremes of both
// channels since the editor last looked, with the gain of each extreme's own
// frame, and the energy sums of the final output.
//
// Hand-over: at block end the audio thread folds the block into a one-slot
// mailbox; the editor takes the whole slot at once. Writer and taker claim the
// slot with a compare-and-swap and never wait for each other: a block that
// finds a take in progress keeps its values pending for the next block. So
// every frame reaches exactly one take, every take covers whole blocks, and
// nothing is shared without synchronisation.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>

namespace velmorin {

constexpr int32_t kNumLanes = 4;  // 0 High, 1 Mid, 2 Low, 3 Master
constexpr int32_t kNumBands = 3;
constexpr int32_t kMasterLane = 3;

struct WaveExtremes {
    float maxLeft = 0, minLeft = 0, maxRight = 0, minRight = 0;
    float gainAtMaxLeft = 0, gainAtMinLeft = 0, gainAtMaxRight = 0, gainAtMinRight = 0;

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
        // With nobody taking (editor closed for hours) the count would
        // overflow; the level only needs recent frames, so start afresh.
        if (sampleCount > std::numeric_limits<int32_t>::max() - later.sampleCount) {
            *this = later;
            return;
        }
        sumSqLeft += later.sumSqLeft;
        sumSqRight += later.sumSqRight;
        sampleCount += later.sampleCount;
    }
};

// Single producer (the audio thread); any number of takers.
template <typename T>
class FeedMailbox {
  public:
    // Producer, at block end: folds the block's values in and hands everything
    // pending over, unless a take is copying the slot right now (then it waits
    // for the next block). Also applies a clear asked for by `discard`.
    void publish(const T& block) {
        if (clearRequested_.exchange(false, std::memory_order_acquire)) pending_ = T{};
        pending_.merge(block);
        int32_t state = state_.load(std::memory_order_acquire);
        if (state == kTaking) return;
        if (!state_.compare_exchange_strong(state, kWriting, std::memory_order_acquire)) return;
        if (state == kFull) {
            slot_.merge(pending_);
        } else {
            slot_ = pending_;
        }
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
    enum : int32_t { kEmpty, kFull, kWriting, kTaking };
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
