// velmorin bench: processing speed of plug-ins on the same material.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "commands/commands.h"
#include "commands/job_options.h"
#include "demo_mix.h"
#include "host_error.h"

namespace velmorin::host {

namespace {

constexpr int kRuns = 5;
constexpr double kMaxSeconds = 3600.0;

struct BenchArguments {
    std::vector<std::filesystem::path> plugins;
    double seconds = 10.0;
    RenderJob job;
};

// The demo mix, repeated to the asked length.
AudioBuffer material(double seconds) {
    const AudioBuffer mix = synthesizeDemoMix();
    AudioBuffer audio;
    audio.sampleRate = mix.sampleRate;
    audio.resize(static_cast<std::size_t>(seconds * mix.sampleRate));
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        audio.left[i] = mix.left[i % mix.frames()];
        audio.right[i] = mix.right[i % mix.frames()];
    }
    return audio;
}

struct Figures {
    double nanosecondsPerFrame;  // median run
    double realTimeFactor;
    double spreadPercent;  // fastest to slowest run, relative to the median
};

Figures measure(const std::filesystem::path& path, const RenderJob& job, const AudioBuffer& audio) {
    HostedPlugin plugin(path);
    job.configure(plugin, audio.sampleRate);
    render(plugin, audio, false);  // warm-up: caches, first-touch allocations
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run)
        times.push_back(render(plugin, audio, false).processSeconds);
    std::sort(times.begin(), times.end());
    const double median = times[kRuns / 2];
    return {1e9 * median / static_cast<double>(audio.frames()), audio.seconds() / median,
            100.0 * (times.back() - times.front()) / median};
}

void run(BenchArguments& arguments) {
    arguments.job.check();
    if (!(arguments.seconds > 0.0 && arguments.seconds <= kMaxSeconds)) {
        throw HostError("--seconds " + std::to_string(arguments.seconds),
                        "must be above 0 and at most 3600");
    }
    if (arguments.plugins.empty()) arguments.plugins.push_back(arguments.job.pluginPath());
    const AudioBuffer audio = material(arguments.seconds);
    std::printf("%.1f s of the demo mix at %d Hz in blocks of %d; median of %d runs\n",
                audio.seconds(), audio.sampleRate, arguments.job.blockSize, kRuns);
    std::printf("%-40s %12s %14s %8s\n", "plug-in", "ns/frame", "x real time", "spread");
    for (const auto& path : arguments.plugins) {
        const Figures figures = measure(path, arguments.job, audio);
        std::printf("%-40s %12.1f %14.0f %7.1f%%\n", path.filename().string().c_str(),
                    figures.nanosecondsPerFrame, figures.realTimeFactor, figures.spreadPercent);
        std::fflush(stdout);
    }
}

}  // namespace

void addBenchCommand(CLI::App& app) {
    auto arguments = std::make_shared<BenchArguments>();
    CLI::App* command =
        app.add_subcommand("bench", "Measure the processing speed of plug-ins side by side");
    command->add_option("PLUGIN", arguments->plugins, "plug-in libraries (default: Velmorin)");
    command->add_option("--seconds", arguments->seconds, "length of the material")
        ->capture_default_str();
    addBlockOption(*command, arguments->job);
    addProgramOption(*command, arguments->job);
    command->callback([arguments] { run(*arguments); });
}

}  // namespace velmorin::host
