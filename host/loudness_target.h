// Mastering to an integrated loudness target under a true-peak ceiling, with
// Velmorin's own controls, so that a user can set the same values in a DAW:
// Normalize off, the limiter threshold as low as the target needs, then a
// trim after the limiter by the Output gain (0 to +24 dB); beyond that range
// the trim moves the three Mix levels together (+-12 dB before the limiter).
#pragma once

#include <vector>

#include "loudness.h"
#include "render_job.h"

namespace velmorin::host {

// HostError for a target no signal could meet (not a number, out of range).
void checkTarget(const LoudnessTarget& target);

struct TargetedRender {
    RenderResult result;  // its settings end with the chosen ones
    Loudness output;
    std::vector<ParameterSetting> chosen;
};

// Renders INPUT (named WHAT in errors) several times while searching, and
// answers the render that lands within 0.5 LU of the target with its true
// peak at or below the ceiling. HostError when that cannot be reached
// (silence, a target louder than the limiter allows, a plug-in without
// these controls, a build without loudness measurement).
TargetedRender renderToTarget(const RenderJob& job, const AudioBuffer& input,
                              const std::string& what, const LoudnessTarget& target,
                              const ProgressCallback& progress);

}  // namespace velmorin::host
