#include "formats/lv2/followed_outputs.h"

#include <algorithm>

namespace velmorin::lv2 {

void FollowedOutputs::add(int32_t output) {
    values_[next_] = output;
    next_ = (next_ + 1) % kKept;
    count_ = std::min(count_ + 1, kKept);
}

bool FollowedOutputs::contains(int32_t output) const {
    const auto end = values_.begin() + static_cast<std::ptrdiff_t>(count_);
    return std::find(values_.begin(), end, output) != end;
}

}  // namespace velmorin::lv2
