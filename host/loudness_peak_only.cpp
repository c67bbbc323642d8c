// The loudness figures of builds without libebur128: the sample peak only.
#include <algorithm>
#include <cmath>

#include "loudness.h"

namespace velmorin::host {

Loudness measureLoudness(const AudioBuffer& audio) {
    float peak = 0.0f;
    for (const auto* channel : {&audio.left, &audio.right}) {
        for (float sample : *channel) peak = std::max(peak, std::fabs(sample));
    }
    return {20.0 * std::log10(static_cast<double>(peak)), std::nullopt, std::nullopt, std::nullopt};
}

}  // namespace velmorin::host
