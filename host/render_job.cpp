#include "render_job.h"

#include "default_plugin.h"
#include "host_error.h"
#include "progress_bar.h"

namespace velmorin::host {

void RenderJob::check() const {
    if (blockSize < 1) {
        throw HostError("--block " + std::to_string(blockSize), "block size must be positive");
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
    HostedPlugin hosted(job.pluginPath());
    job.configure(hosted, input.sampleRate);
    ProgressBar bar;
    return render(hosted, input, job.compensateLatency,
                  [&bar](std::size_t done, std::size_t total) { bar.update(done, total); });
}

}  // namespace velmorin::host
