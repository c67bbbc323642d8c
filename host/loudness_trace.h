// Loudness over time, for the plot: the short-term loudness (3 s window) and
// the true peak, one value per step.
#pragma once

#include <vector>

#include "audio_buffer.h"

namespace velmorin::host {

struct LoudnessTrace {
    double stepSeconds = 0.1;
    std::vector<double> shortTermLufs;  // -inf while silent
    std::vector<double> truePeakDb;     // the highest within each step
};

LoudnessTrace traceLoudness(const AudioBuffer& audio, double stepSeconds);

}  // namespace velmorin::host
