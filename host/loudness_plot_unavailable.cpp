// Builds without Cairo and libebur128 (the Windows cross build) draw no plot.
#include "host_error.h"
#include "loudness_plot.h"

namespace velmorin::host {

void checkPlotPath(const std::filesystem::path& path, const std::filesystem::path&) {
    throw HostError("--plot " + path.string(), "this build draws no pictures");
}

void writeLoudnessPlot(const std::filesystem::path& path, const AudioBuffer&, const AudioBuffer&,
                       const RenderReport&) {
    checkPlotPath(path);
}

}  // namespace velmorin::host
