#include "support/direct_effect.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void DirectEffect::run(const std::vector<float>& left, const std::vector<float>& right,
                       std::vector<float>& outLeft, std::vector<float>& outRight, int32_t block) {
    const size_t frames = left.size();
    outLeft.assign(frames, 0.0f);
    outRight.assign(frames, 0.0f);
    for (size_t start = 0; start < frames; start += static_cast<size_t>(block)) {
        const int32_t count = static_cast<int32_t>(std::min<size_t>(block, frames - start));
        float* inputs[2] = {const_cast<float*>(left.data() + start),
                            const_cast<float*>(right.data() + start)};
        float* outputs[2] = {outLeft.data() + start, outRight.data() + start};
        processReplacing(inputs, outputs, count);
    }
}

std::vector<float> DirectEffect::runMono(const std::vector<float>& input, int32_t block) {
    std::vector<float> outLeft, outRight;
    run(input, input, outLeft, outRight, block);
    return outLeft;
}

std::vector<float> sine(float frequency, float amplitude, int32_t frames, float sampleRate) {
    std::vector<float> s(static_cast<size_t>(frames));
    for (int32_t n = 0; n < frames; ++n) {
        s[n] = amplitude * static_cast<float>(std::sin(2.0 * std::numbers::pi * frequency * n / sampleRate));
    }
    return s;
}

float peakOf(const std::vector<float>& signal, size_t from, size_t to) {
    float peak = 0.0f;
    for (size_t i = from; i < to && i < signal.size(); ++i)
        peak = std::max(peak, std::fabs(signal[i]));
    return peak;
}
