#include "render_job.h"

#include "default_plugin.h"
#include "host_error.h"
#include "interruption.h"
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

void RenderJob::configure(HostedPlugin& hosted, int sampleRate) const {
    hosted.prepare(sampleRate, blockSize);
    if (!program.empty()) selectProgram(hosted, program);
    for (const ParameterSetting& setting : settings) applySetting(hosted, setting);
}

RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input) {
    // A plug-in that hangs must not keep the command waiting for ever.
    const Deadline deadline(job.timeoutSeconds, "plug-in " + job.pluginPath().string());
    HostedPlugin hosted(job.pluginPath());
    job.configure(hosted, input.sampleRate);
    ProgressBar bar;
    return render(hosted, input, job.compensateLatency,
                  [&bar](std::size_t done, std::size_t total) { bar.update(done, total); });
}

}  // namespace velmorin::host
