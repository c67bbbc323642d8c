#include "render_job.h"

#include "default_plugin.h"
#include "host_error.h"
#include "interruption.h"
#include "open_plugin.h"
#include "progress_bar.h"

namespace velmorin::host {

void RenderJob::check() const {
    if (blockSize < 1) {
        throw HostError("--block " + std::to_string(blockSize), "block size must be positive");
    }
    if (!(timeoutSeconds >= 0)) {
        throw HostError("--timeout " + std::to_string(timeoutSeconds),
                        "time limit must be 0 (none) or positive");
    }
    if (blockSize > kMaxBlockSize) {
        throw HostError("--block " + std::to_string(blockSize),
                        "block size must be at most " + std::to_string(kMaxBlockSize));
    }
}

std::filesystem::path RenderJob::pluginPath() const {
    return plugin.empty() ? defaultPluginPath() : plugin;
}

std::vector<SentValue> RenderJob::configure(PluginInstance& hosted, int sampleRate) const {
    hosted.prepare(sampleRate, blockSize);
    if (!program.empty()) selectProgram(hosted, program);
    std::vector<SentValue> sent;
    for (const ParameterSetting& setting : settings) sent.push_back(applySetting(hosted, setting));
    return sent;
}

Configuration readConfiguration(PluginInstance& hosted, const std::vector<SentValue>& sent) {
    Configuration configuration{withoutTrailingBlanks(hosted.programName()), {}};
    for (const auto& [index, value] : sent) {
        std::string display = hosted.parameterDisplay(index);
        const std::string label = withoutTrailingBlanks(hosted.parameterLabel(index));
        if (!label.empty()) display += " " + label;
        configuration.settings.push_back(
            {withoutTrailingBlanks(hosted.parameterName(index)), value, display});
    }
    return configuration;
}

RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input,
                          const ProgressCallback& progress) {
    // A plug-in that hangs must not keep the command waiting for ever.
    const Deadline deadline(job.timeoutSeconds, "plug-in " + job.pluginPath().string());
    const std::unique_ptr<PluginInstance> hosted = openPlugin(job.pluginPath());
    Configuration configuration =
        readConfiguration(*hosted, job.configure(*hosted, input.sampleRate));
    RenderResult result = render(*hosted, input, job.compensateLatency, progress);
    result.program = std::move(configuration.program);
    result.settings = std::move(configuration.settings);
    return result;
}

RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input) {
    ProgressBar bar;
    return runRenderJob(job, input,
                        [&bar](std::size_t done, std::size_t total) { bar.update(done, total); });
}

}  // namespace velmorin::host
