// A render as the user asks for it: which plug-in, which program and settings,
// which block size. Shared by the render, demo and bench commands.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "hosted_plugin.h"
#include "plugin_setup.h"
#include "render.h"

namespace velmorin::host {

// Far beyond what hosts use; keeps the block buffers a sane size.
constexpr int32_t kMaxBlockSize = 1 << 20;

struct RenderJob {
    std::filesystem::path plugin;  // empty: the default plug-in
    std::string program;           // empty: the effect's own current program
    std::vector<ParameterSetting> settings;
    int32_t blockSize = 512;
    bool compensateLatency = false;
    double timeoutSeconds = 0;  // 0: no limit

    // Throws HostError for option values no plug-in could accept.
    void check() const;
    std::filesystem::path pluginPath() const;
    // Sets the sample rate and block size, then the program, then the
    // settings in their order.
    void configure(HostedPlugin& plugin, int sampleRate) const;
};

// Loads, configures and runs the plug-in over INPUT, with a progress bar.
RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input);

}  // namespace velmorin::host
