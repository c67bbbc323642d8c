// A render as the user asks for it: which plug-in, which program and settings,
// which block size. Shared by the render, demo and bench commands.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "plugin_instance.h"
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
    // settings in their order; answers what each setting sent.
    std::vector<SentValue> configure(PluginInstance& plugin, int sampleRate) const;
};

// The program in effect and each value SENT as the effect shows it, read
// after configuring and before processing (an effect may move its parameters
// while it runs).
struct Configuration {
    std::string program;
    std::vector<AppliedSetting> settings;
};
Configuration readConfiguration(PluginInstance& plugin, const std::vector<SentValue>& sent);

// Loads, configures and runs the plug-in over INPUT, telling PROGRESS.
RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input,
                          const ProgressCallback& progress);
// The same with a progress bar on a terminal.
RenderResult runRenderJob(const RenderJob& job, const AudioBuffer& input);

}  // namespace velmorin::host
