// The figure `velmorin bench` gives: a warm-up, then the median of 5 runs.
#pragma once

#include <cstddef>
#include <functional>

namespace velmorin::lv2bench {

constexpr int kRuns = 5;

// Nanoseconds per frame of the median of kRuns calls of RENDER, each of FRAMES.
double medianNanosecondsPerFrame(std::size_t frames, const std::function<void()>& render);

}  // namespace velmorin::lv2bench
