// velmorin render IN OUT: an audio file through a plug-in into a WAV file.
#include <cstdio>
#include <map>
#include <memory>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "host_error.h"
#include "report.h"

namespace velmorin::host {

namespace {

const std::map<std::string, SampleFormat> kFormats = {{"float32", SampleFormat::float32},
                                                      {"pcm24", SampleFormat::pcm24},
                                                      {"pcm16", SampleFormat::pcm16}};

struct RenderArguments {
    std::filesystem::path in;
    std::filesystem::path out;
    std::string format = "float32";
    RenderJob job;
};

// The same file, or (when OUT does not exist yet) the same path spelt otherwise.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA, ecB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ecA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ecB);
    return !ecA && !ecB && canonicalA == canonicalB;
}

void run(const CLI::App& command, RenderArguments& arguments) {
    collectSettings(command, arguments.job);
    arguments.job.check();
    const std::string what = "output " + arguments.out.string();
    if (sameFile(arguments.in, arguments.out)) throw HostError(what, "is the input file");
    std::error_code ec;
    if (std::filesystem::is_directory(arguments.out, ec)) throw HostError(what, "is a folder");
    const AudioBuffer input = readAudioFile(arguments.in);
    const RenderResult result = runRenderJob(arguments.job, input);
    writeAudioFile(arguments.out, result.output, kFormats.at(arguments.format));
    std::printf("%s", formatReport(input, result).c_str());
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
    command->add_option("--format", arguments->format, "sample format of OUT")
        ->check(CLI::IsMember(kFormats))
        ->capture_default_str();
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
