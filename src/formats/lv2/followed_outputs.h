// The Output values the plug-in followed the normalizer to, the latest ones.
// An LV2 input port changes only when the host writes it, so the UI hands
// each followed value back through the host; when it arrives at the port it
// is the engine's own value, possibly a few blocks old, and must not reset
// the gain the normalizer has lowered since.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace velmorin::lv2 {

class FollowedOutputs {
  public:
    void add(int32_t output);
    bool contains(int32_t output) const;

  private:
    // More than the blocks a host runs between two idle calls of its UI.
    static constexpr size_t kKept = 64;
    std::array<int32_t, kKept> values_{};
    size_t next_ = 0;
    size_t count_ = 0;
};

}  // namespace velmorin::lv2
