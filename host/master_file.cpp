#include "master_file.h"

#include "loudness_target.h"

namespace velmorin::host {

Mastered masterAudio(const RenderJob& job, const std::optional<LoudnessTarget>& target,
                     const AudioBuffer& input, const std::string& inputName,
                     const std::string& outputName, const ProgressCallback& progress) {
    const Loudness inputLoudness = measureLoudness(input);
    if (!target) {
        RenderResult result = runRenderJob(job, input, progress);
        RenderReport report = makeReport(inputName, outputName, input, inputLoudness, result,
                                         measureLoudness(result.output), job.compensateLatency);
        return {std::move(result), std::move(report)};
    }
    TargetedRender targeted = renderToTarget(job, input, "input " + inputName, *target, progress);
    RenderReport report = makeReport(inputName, outputName, input, inputLoudness, targeted.result,
                                     targeted.output, job.compensateLatency);
    report.target = target;
    return {std::move(targeted.result), std::move(report)};
}

}  // namespace velmorin::host
