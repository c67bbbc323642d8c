// A value shared between the audio thread, the host's automation threads and
// the editor. Every access is a relaxed atomic: free on x86-64 and ARM64, and
// free of data races. Ordering between values is never relied upon.
#pragma once

#include <atomic>

template <typename T>
class Relaxed {
  public:
    constexpr Relaxed(T initial = T{}) noexcept : value_(initial) {}
    Relaxed(const Relaxed& other) noexcept : value_(other.get()) {}
    Relaxed& operator=(const Relaxed& other) noexcept {
        set(other.get());
        return *this;
    }

    T get() const noexcept { return value_.load(std::memory_order_relaxed); }
    void set(T v) noexcept { value_.store(v, std::memory_order_relaxed); }
    T exchange(T v) noexcept { return value_.exchange(v, std::memory_order_relaxed); }
    // Replaces the value only if it still holds `expected` (bitwise).
    bool replaceIf(T expected, T desired) noexcept {
        return value_.compare_exchange_strong(expected, desired, std::memory_order_relaxed);
    }

  private:
    std::atomic<T> value_;
    static_assert(std::atomic<T>::is_always_lock_free);
};
