#include "looped_player.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace velmorin::host {

LoopedPlayer::LoopedPlayer(PluginInstance& plugin, const AudioBuffer& audio)
    : plugin_(plugin), audio_(audio), thread_([this] { run(); }) {}

LoopedPlayer::~LoopedPlayer() {
    stop_ = true;
    thread_.join();
}

void LoopedPlayer::run() {
    using Clock = std::chrono::steady_clock;
    const int32_t block = plugin_.blockSize();
    std::vector<float> inLeft(block), inRight(block), outLeft(block), outRight(block);
    const float* inputs[] = {inLeft.data(), inRight.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    std::size_t position = 0;
    auto due = Clock::now();
    while (!stop_ && audio_.frames() > 0) {
        // Each block is taken from the file, wrapping around at its end.
        for (int32_t i = 0; i < block; ++i) {
            inLeft[i] = audio_.left[position];
            inRight[i] = audio_.right[position];
            position = (position + 1) % audio_.frames();
        }
        plugin_.process(inputs, outputs, block);
        due += std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(block) / audio_.sampleRate));
        std::this_thread::sleep_until(due);
    }
}

}  // namespace velmorin::host
