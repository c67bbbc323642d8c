// velmorin bench: processing speed of plug-ins on the same material.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.h"
#include "commands/job_options.h"
#include "demo_mix.h"
#include "host_error.h"
#include "json_report.h"
#include "open_plugin.h"
#include "output_path.h"

namespace velmorin::host {

namespace {

constexpr int kRuns = 5;
constexpr double kMaxSeconds = 3600.0;

constexpr const char* kPlugin = "PLUGIN";
constexpr const char* kPluginOption = "--plugin";  // as the other commands name one
constexpr const char* kProgram = "--program";

struct BenchArguments {
    double seconds = 10.0;
    RenderJob common;  // block size; program and settings given before any PLUGIN
    std::filesystem::path json;
};

// One job per PLUGIN, each with the common program and settings followed by
// those given after that PLUGIN; only the common job without any PLUGIN.
std::vector<RenderJob> benchJobs(const CLI::App& command, const RenderJob& common) {
    RenderJob shared = common;
    std::vector<RenderJob> jobs;
    for (const OptionValue& value : optionsInOrder(command)) {
        RenderJob& current = jobs.empty() ? shared : jobs.back();
        if (value.option->get_name(true) == kPlugin || value.option->get_name() == kPluginOption) {
            jobs.push_back(shared);
            jobs.back().plugin = value.text;
        } else if (value.option->get_name() == kProgram) {
            current.program = value.text;
        } else if (const auto setting = settingOf(value)) {
            current.settings.push_back(*setting);
        }
    }
    if (jobs.empty()) jobs.push_back(shared);
    return jobs;
}

// What a job sets, as the user wrote it.
std::string describe(const RenderJob& job) {
    std::string text = job.program.empty() ? "" : "--program \"" + job.program + "\"";
    for (const ParameterSetting& setting : job.settings) {
        if (!text.empty()) text += ' ';
        text += (setting.target == ParameterSetting::Target::name ? "--set " : "--param ") +
                setting.text;
    }
    return text;
}

struct Figures {
    Configuration configuration;
    double medianSeconds;        // wall time of the median run
    double nanosecondsPerFrame;  // median run
    double realTimeFactor;
    double spreadPercent;  // fastest to slowest run, relative to the median
};

Figures measure(const std::filesystem::path& path, const RenderJob& job, const AudioBuffer& audio) {
    const std::unique_ptr<PluginInstance> opened = openPlugin(path);
    PluginInstance& plugin = *opened;
    Configuration configuration =
        readConfiguration(plugin, job.configure(plugin, audio.sampleRate));
    render(plugin, audio, false);  // warm-up: caches, first-touch allocations
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run)
        times.push_back(render(plugin, audio, false).processSeconds);
    std::sort(times.begin(), times.end());
    const double median = times[kRuns / 2];
    return {std::move(configuration), median, 1e9 * median / static_cast<double>(audio.frames()),
            audio.seconds() / median, 100.0 * (times.back() - times.front()) / median};
}

nlohmann::ordered_json benchJson(const RenderJob& job, const AudioBuffer& audio,
                                 const Figures& figures) {
    return {{"plugin", job.pluginPath().string()},
            {"name", job.pluginPath().filename().string()},
            {"program", figures.configuration.program},
            {"settings", settingsJson(figures.configuration.settings)},
            {"sample_rate", audio.sampleRate},
            {"block_size", job.blockSize},
            {"frames", audio.frames()},
            {"seconds", audio.seconds()},
            {"runs", kRuns},
            {"process_seconds", figures.medianSeconds},
            {"ns_per_frame", figures.nanosecondsPerFrame},
            {"speed_x_real_time", figureJson(figures.realTimeFactor)},
            {"spread_percent", figures.spreadPercent}};
}

void run(const CLI::App& command, const BenchArguments& arguments) {
    arguments.common.check();
    if (!(arguments.seconds > 0.0 && arguments.seconds <= kMaxSeconds)) {
        throw HostError("--seconds " + std::to_string(arguments.seconds),
                        "must be above 0 and at most 3600");
    }
    if (!arguments.json.empty()) checkOutputPath(arguments.json, "--json");
    const std::vector<RenderJob> jobs = benchJobs(command, arguments.common);
    const AudioBuffer audio = demoMixLasting(arguments.seconds);
    std::printf("%.1f s of the demo mix at %d Hz in blocks of %d; median of %d runs\n",
                audio.seconds(), audio.sampleRate, arguments.common.blockSize, kRuns);
    std::printf("%-32s %12s %14s %8s  %s\n", "plug-in", "ns/frame", "x real time", "spread",
                "settings");
    std::vector<nlohmann::ordered_json> measured;
    for (const RenderJob& job : jobs) {
        const Figures figures = measure(job.pluginPath(), job, audio);
        measured.push_back(benchJson(job, audio, figures));
        std::printf("%-32s %12.1f %14.0f %7.1f%%  %s\n",
                    job.pluginPath().filename().string().c_str(), figures.nanosecondsPerFrame,
                    figures.realTimeFactor, figures.spreadPercent, describe(job).c_str());
        std::fflush(stdout);
    }
    if (!arguments.json.empty()) {
        writeJsonFile(arguments.json, {{"command", "bench"}, {"plugins", measured}});
    }
}

}  // namespace

void addBenchCommand(CLI::App& app) {
    auto arguments = std::make_shared<BenchArguments>();
    CLI::App* command =
        app.add_subcommand("bench", "Measure the processing speed of plug-ins side by side");
    command->footer(
        "--program, --set and --param given after a PLUGIN apply to that plug-in alone; "
        "given before the first PLUGIN, to every plug-in.");
    // Collected in command-line order by benchJobs, so that settings know their plug-in.
    command->add_option(kPlugin, "plug-in libraries (default: Velmorin)")
        ->expected(0, CLI::detail::expected_max_vector_size)
        ->allow_extra_args();
    command->add_option(kPluginOption, "a plug-in library, as a PLUGIN is")
        ->type_name("PATH")
        ->allow_extra_args(false)
        ->take_all();
    command->add_option("--seconds", arguments->seconds, "length of the material")
        ->capture_default_str();
    addBlockOption(*command, arguments->common);
    command->add_option("--json", arguments->json, "write the measurements as JSON to FILE")
        ->type_name("FILE");
    command->add_option(kProgram, "program to select, by number or name")
        ->type_name("N|NAME")
        ->allow_extra_args(false)
        ->take_all();
    addSettingOptions(*command);
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
