// velmorin demo: the built-in demo mix mastered through Velmorin.
#include <cstdio>
#include <memory>
#include <system_error>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "commands/report_options.h"
#include "demo_mix.h"
#include "host_error.h"
#include "master_file.h"
#include "progress_bar.h"

namespace velmorin::host {

namespace {

constexpr const char* kDemoProgram = "Mastering 1";

struct DemoArguments {
    std::filesystem::path folder = ".";
    RenderJob job;
    ReportOptions reports;
};

void run(const DemoArguments& arguments) {
    arguments.job.check();
    arguments.reports.check(arguments.folder);
    std::error_code ec;
    std::filesystem::create_directories(arguments.folder, ec);
    if (ec) throw HostError("output folder " + arguments.folder.string(), ec.message());

    const AudioBuffer input = synthesizeDemoMix();
    const std::filesystem::path inputFile = arguments.folder / "demo-input.wav";
    const std::filesystem::path masteredFile = arguments.folder / "demo-mastered.wav";
    const RenderReport report = [&] {
        ProgressBar bar;  // cleared before the report is printed
        return masterToFiles(arguments.job, std::nullopt, input, inputFile.string(),
                             {.output = masteredFile,
                              .format = SampleFormat::float32,
                              .plot = arguments.reports.plot,
                              .inputCopy = inputFile},
                             bar.callback());
    }();
    char mix[64];
    std::snprintf(mix, sizeof mix, "%.0f s at %d Hz", input.seconds(), input.sampleRate);
    reportOneFile(arguments.reports, "demo", report,
                  "demo mix: " + std::string(mix) + ", mastered with program \"" +
                      arguments.job.program + "\"\nwrote " + inputFile.string() + " and " +
                      masteredFile.string() + "\n\n");
}

}  // namespace

void addDemoCommand(CLI::App& app) {
    auto arguments = std::make_shared<DemoArguments>();
    arguments->job.program = kDemoProgram;
    arguments->job.compensateLatency = true;
    CLI::App* command = app.add_subcommand(
        "demo", "Master a built-in demo mix; write demo-input.wav and demo-mastered.wav");
    command->add_option("OUT_DIR", arguments->folder, "folder for the two files")
        ->capture_default_str();
    addProgramOption(*command, arguments->job);
    command->get_option("--program")->capture_default_str();
    addPluginOption(*command, arguments->job);
    addJsonOption(*command, arguments->reports);
    addPlotOption(*command, arguments->reports);
    command->callback([arguments] { run(*arguments); });
}

}  // namespace velmorin::host
