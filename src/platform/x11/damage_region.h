// The parts of a window drawn since they were last put on the screen.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/geometry.h"

namespace platform::x11 {

class DamageRegion {
  public:
    explicit DamageRegion(Rect bounds) : bounds_(bounds) {}

    void add(Rect rect) {
        rect = {std::max(rect.left, bounds_.left), std::max(rect.top, bounds_.top),
                std::min(rect.right, bounds_.right), std::min(rect.bottom, bounds_.bottom)};
        if (rect.empty()) return;
        for (const Rect& r : rects_)
            if (r.left <= rect.left && r.top <= rect.top && r.right >= rect.right &&
                r.bottom >= rect.bottom)
                return;
        rects_.push_back(rect);
        // Many small pieces cost more requests than one rectangle around them.
        if (rects_.size() > kMaxRects) rects_ = {enclosing()};
    }
    void addAll() { rects_ = {bounds_}; }

    // The rectangles to send, forgotten here.
    std::vector<Rect> take() { return std::exchange(rects_, {}); }
    bool empty() const { return rects_.empty(); }

  private:
    static constexpr std::size_t kMaxRects = 24;

    Rect enclosing() const {
        Rect e = rects_.front();
        for (const Rect& r : rects_)
            e = {std::min(e.left, r.left), std::min(e.top, r.top), std::max(e.right, r.right),
                 std::max(e.bottom, r.bottom)};
        return e;
    }

    Rect bounds_;
    std::vector<Rect> rects_;
};

}  // namespace platform::x11
