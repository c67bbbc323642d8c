// A progress bar on standard error for long renders: drawn only when standard
// error is a terminal and only once the work has taken more than a second.
#pragma once

#include <chrono>
#include <cstddef>

#include "render.h"

namespace velmorin::host {

class ProgressBar {
  public:
    ProgressBar();
    ~ProgressBar();  // clears the bar's line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(std::size_t done, std::size_t total);
    // Updates this bar; for as long as the bar lives.
    ProgressCallback callback() {
        return [this](std::size_t done, std::size_t total) { update(done, total); };
    }

  private:
    bool terminal_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point began_;
    std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace velmorin::host
