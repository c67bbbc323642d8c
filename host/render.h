// Runs audio through a prepared effect block by block, between
// effMainsChanged 1 and 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "audio_buffer.h"
#include "plugin_instance.h"

namespace velmorin::host {

// A parameter the user (or a loudness target) set: what was sent, and how
// the effect shows the parameter once the render was configured.
struct AppliedSetting {
    std::string parameter;  // name without trailing blanks
    float value = 0.0f;     // sent to setParameter
    std::string display;    // the effect's own text for it
};

struct RenderResult {
    AudioBuffer output;
    int32_t latency = 0;          // initialDelay as read after effMainsChanged 1
    double processSeconds = 0.0;  // wall time spent processing
    // Filled by runRenderJob: the program in effect and every setting in the
    // order applied.
    std::string program;
    std::vector<AppliedSetting> settings;
};

using ProgressCallback = std::function<void(std::size_t done, std::size_t total)>;

// Processes INPUT in blocks of the plug-in's prepared block size. With
// COMPENSATE the reported latency is dropped from the start and as many silent
// frames are fed at the end, so the output lines up with the input and is as
// long; otherwise the output is the effect's output for the input's frames.
RenderResult render(PluginInstance& plugin, const AudioBuffer& input, bool compensate,
                    const ProgressCallback& progress = {});

}  // namespace velmorin::host
