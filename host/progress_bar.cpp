#include "progress_bar.h"

#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace velmorin::host {

namespace {

using namespace std::chrono_literals;
constexpr int kWidth = 40;

}  // namespace

ProgressBar::ProgressBar()
    : terminal_(isatty(fileno(stderr)) != 0), began_(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() {
    if (drawn_) std::fprintf(stderr, "\r%*s\r", kWidth + 16, "");
}

void ProgressBar::update(std::size_t done, std::size_t total) {
    if (!terminal_ || total == 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - began_ < 1s || (drawn_ && now - lastDrawn_ < 100ms)) return;
    const auto filled = static_cast<int>(kWidth * done / total);
    std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, ' ').c_str(), static_cast<int>(100 * done / total));
    std::fflush(stderr);
    drawn_ = true;
    lastDrawn_ = now;
}

}  // namespace velmorin::host
