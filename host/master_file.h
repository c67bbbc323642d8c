// One piece of audio mastered as render, batch and demo do it: through the
// job's settings, or to a loudness target, then measured for the report.
#pragma once

#include <optional>
#include <string>

#include "loudness.h"
#include "render_job.h"
#include "report.h"

namespace velmorin::host {

struct Mastered {
    RenderResult result;
    RenderReport report;
};

// INPUT_NAME and OUTPUT_NAME go into the report; INPUT_NAME names the input
// in errors.
Mastered masterAudio(const RenderJob& job, const std::optional<LoudnessTarget>& target,
                     const AudioBuffer& input, const std::string& inputName,
                     const std::string& outputName, const ProgressCallback& progress);

}  // namespace velmorin::host
