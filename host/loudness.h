// The loudness figures the render and demo report for a stereo signal.
#pragma once

#include <optional>

#include "audio_buffer.h"

namespace velmorin::host {

struct Loudness {
    // Each empty when it cannot be measured.
    std::optional<double> samplePeakDb;    // dBFS
    std::optional<double> truePeakDb;      // dBFS, oversampled
    std::optional<double> integratedLufs;  // gated programme loudness
    std::optional<double> rangeLu;         // loudness range
};

// Without a loudness library (the Windows cross build) only the sample peak
// is measured and the rest stays empty.
Loudness measureLoudness(const AudioBuffer& audio);

// What a delivery asks for: an integrated loudness and a true-peak ceiling.
struct LoudnessTarget {
    double lufs = -14.0;
    double truePeakCeilingDb = -1.0;
};

}  // namespace velmorin::host
