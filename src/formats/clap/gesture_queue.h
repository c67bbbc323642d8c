// The user's gestures in the editor on their way to the host: queued on the
// main thread, emitted as output events by the next process or flush. One
// producer and one consumer at a time, so a ring of atomics suffices and the
// audio path neither locks nor allocates.
#pragma once

#include <clap/events.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace velmorin::clap_format {

class ToldValues;

class GestureQueue {
  public:
    enum class Kind : uint8_t { Begin, Value, End };
    struct Gesture {
        Kind kind;
        clap_id id;
        double value;  // CLAP units; only for Value
    };

    // Main thread. False when full: the gesture is lost, the core keeps the
    // value all the same.
    bool push(const Gesture& gesture);
    // Whoever processes or flushes: everything queued, in order, each value
    // sent counted as told. Without an output list the gestures wait for
    // the next call that has one.
    void emit(const clap_output_events_t* out, ToldValues& told);

    static constexpr std::size_t kCapacity = 256;

  private:
    std::array<Gesture, kCapacity> slots_{};
    std::atomic<std::size_t> head_{0};  // next to emit
    std::atomic<std::size_t> tail_{0};  // next to fill
};

}  // namespace velmorin::clap_format
