// velmorin render IN OUT: an audio file through a plug-in into a WAV file.
#include <memory>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "commands/report_options.h"
#include "host_error.h"
#include "master_file.h"
#include "output_path.h"
#include "progress_bar.h"

namespace velmorin::host {

namespace {

struct RenderArguments {
    std::filesystem::path in;
    std::filesystem::path out;
    std::string format = "float32";
    RenderJob job;
    ReportOptions reports;
};

void run(const CLI::App& command, RenderArguments& arguments) {
    collectSettings(command, arguments.job);
    arguments.job.check();
    arguments.reports.check();
    const std::string what = "output " + arguments.out.string();
    if (sameFile(arguments.in, arguments.out)) throw HostError(what, "is the input file");
    std::error_code ec;
    if (std::filesystem::is_directory(arguments.out, ec)) throw HostError(what, "is a folder");
    const AudioBuffer input = readAudioFile(arguments.in);
    const RenderReport report = [&] {
        ProgressBar bar;  // cleared before the report is printed
        return masterToFiles(arguments.job, arguments.reports.target(), input,
                             arguments.in.string(),
                             {.output = arguments.out,
                              .format = sampleFormat(arguments.format),
                              .plot = arguments.reports.plot,
                              .inputCopy = {}},
                             bar.callback());
    }();
    reportOneFile(arguments.reports, "render", report);
}

}  // namespace

void addRenderCommand(CLI::App& app) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* command = app.add_subcommand("render", "Render an audio file through a plug-in");
    command->add_option("IN", arguments->in, "input audio file (any format libsndfile reads)")
        ->required();
    command->add_option("OUT", arguments->out, "output WAV file")->required();
    addPluginOption(*command, arguments->job);
    addProgramOption(*command, arguments->job);
    addSettingOptions(*command);
    addBlockOption(*command, arguments->job);
    addTimeoutOption(*command, arguments->job);
    command->add_flag("--compensate-latency", arguments->job.compensateLatency,
                      "drop the plug-in's latency so OUT lines up with IN");
    addFormatOption(*command, arguments->format);
    addTargetOptions(*command, arguments->reports);
    addJsonOption(*command, arguments->reports);
    addPlotOption(*command, arguments->reports);
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
