#include "live/file_loop.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

#include "audio_file.h"
#include "host_error.h"

namespace velmorin::host {

FileLoop::FileLoop(const std::filesystem::path& path) : path_(path), file_(readAudioFile(path)) {
    if (file_.frames() == 0) throw HostError(path.string(), "holds no audio to play");
    playing_ = file_;
}

void FileLoop::setSampleRate(int sampleRate) {
    if (sampleRate == playing_.sampleRate) return;
    const double ratio = static_cast<double>(sampleRate) / file_.sampleRate;
    std::vector<float> in(2 * file_.frames());
    file_.interleave(0, file_.frames(), in.data());
    const auto frames = static_cast<long>(std::ceil(static_cast<double>(file_.frames()) * ratio));
    std::vector<float> out(2 * static_cast<std::size_t>(frames));
    SRC_DATA data{};
    data.data_in = in.data();
    data.data_out = out.data();
    data.input_frames = static_cast<long>(file_.frames());
    data.output_frames = frames;
    data.src_ratio = ratio;
    if (const int error = src_simple(&data, SRC_SINC_BEST_QUALITY, 2); error != 0)
        throw HostError(path_.string(), std::string("cannot be resampled: ") + src_strerror(error));
    playing_.sampleRate = sampleRate;
    playing_.resize(static_cast<std::size_t>(std::max(data.output_frames_gen, 1L)));
    for (std::size_t i = 0; i < playing_.frames(); ++i) {
        playing_.left[i] = out[2 * i];
        playing_.right[i] = out[2 * i + 1];
    }
    position_ = 0;
}

void FileLoop::setMaxFrames(uint32_t frames) {
    for (std::vector<float>& channel : wrapped_) channel.assign(frames, 0.0f);
}

const float* const* FileLoop::next(uint32_t frames) {
    const std::size_t length = playing_.frames();
    if (position_ + frames <= length) {
        channels_[0] = &playing_.left[position_];
        channels_[1] = &playing_.right[position_];
        position_ = (position_ + frames) % length;
        return channels_;
    }
    for (uint32_t i = 0; i < frames; ++i) {
        wrapped_[0][i] = playing_.left[position_];
        wrapped_[1][i] = playing_.right[position_];
        position_ = (position_ + 1) % length;
    }
    channels_[0] = wrapped_[0].data();
    channels_[1] = wrapped_[1].data();
    return channels_;
}

}  // namespace velmorin::host
