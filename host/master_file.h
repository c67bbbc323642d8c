// One piece of audio mastered as render, batch and demo do it: through the
// job's settings, or to a loudness target, then written, drawn and measured
// for the report.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "audio_file.h"
#include "loudness.h"
#include "render_job.h"
#include "report.h"

namespace velmorin::host {

// The files one mastered piece goes to: the input copy first, then the
// output, then the plot.
struct MasteredFiles {
    std::filesystem::path output;
    SampleFormat format = SampleFormat::float32;
    std::filesystem::path plot;       // empty: none
    std::filesystem::path inputCopy;  // the input itself as 32-bit float; empty: none
};

// Masters INPUT and writes FILES; nothing is written when mastering fails.
// The report names INPUT_NAME (which also names the input in errors) and
// FILES.output.
RenderReport masterToFiles(const RenderJob& job, const std::optional<LoudnessTarget>& target,
                           const AudioBuffer& input, const std::string& inputName,
                           const MasteredFiles& files, const ProgressCallback& progress);

}  // namespace velmorin::host
