#include "median_timing.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace velmorin::lv2bench {

double medianNanosecondsPerFrame(std::size_t frames, const std::function<void()>& render) {
    render();  // warm-up: caches, first-touch allocations
    std::array<double, kRuns> nanoseconds{};
    for (double& run : nanoseconds) {
        const auto began = std::chrono::steady_clock::now();
        render();
        run = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - began)
                  .count();
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return nanoseconds[kRuns / 2] / static_cast<double>(frames);
}

}  // namespace velmorin::lv2bench
