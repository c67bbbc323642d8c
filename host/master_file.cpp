#include "master_file.h"

#include "loudness_plot.h"
#include "loudness_target.h"

namespace velmorin::host {

namespace {

struct Mastered {
    RenderResult result;
    RenderReport report;
};

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
    report.plugin = job.plugin.string();
    return {std::move(targeted.result), std::move(report)};
}

}  // namespace

RenderReport masterToFiles(const RenderJob& job, const std::optional<LoudnessTarget>& target,
                           const AudioBuffer& input, const std::string& inputName,
                           const MasteredFiles& files, const ProgressCallback& progress) {
    Mastered mastered = masterAudio(job, target, input, inputName, files.output.string(), progress);
    if (!files.inputCopy.empty()) writeAudioFile(files.inputCopy, input, SampleFormat::float32);
    writeAudioFile(files.output, mastered.result.output, files.format);
    if (!files.plot.empty()) {
        writeLoudnessPlot(files.plot, input, mastered.result.output, mastered.report);
    }
    return std::move(mastered.report);
}

}  // namespace velmorin::host
