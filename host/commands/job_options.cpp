#include "commands/job_options.h"

#include <map>

namespace velmorin::host {

namespace {

const std::map<std::string, SampleFormat> kFormats = {{"float32", SampleFormat::float32},
                                                      {"pcm24", SampleFormat::pcm24},
                                                      {"pcm16", SampleFormat::pcm16}};

constexpr const char* kSet = "--set";
constexpr const char* kParam = "--param";

}  // namespace

void addPluginOption(CLI::App& command, RenderJob& job) {
    command.add_option("--plugin", job.plugin,
                       "VST 2.4 or CLAP plug-in library (default: Velmorin beside this command, or "
                       "where it was installed)");
}

void addProgramOption(CLI::App& command, RenderJob& job) {
    command.add_option("--program", job.program, "program to select, by number or name");
}

void addBlockOption(CLI::App& command, RenderJob& job) {
    command.add_option("--block", job.blockSize, "frames per processing block")
        ->capture_default_str();
}

void addTimeoutOption(CLI::App& command, RenderJob& job) {
    command
        .add_option("--timeout", job.timeoutSeconds,
                    "end with an error when the plug-in has not finished after SECONDS "
                    "(0: no limit)")
        ->type_name("SECONDS")
        ->capture_default_str();
}

void addSettingOptions(CLI::App& command) {
    // One value per occurrence, so that a setting never swallows a file name.
    command.add_option(kSet, "set the parameter NAME (without trailing blanks) to VALUE")
        ->type_name("NAME=VALUE")
        ->allow_extra_args(false)
        ->take_all();
    command.add_option(kParam, "set the parameter numbered INDEX to VALUE")
        ->type_name("INDEX=VALUE")
        ->allow_extra_args(false)
        ->take_all();
}

std::vector<OptionValue> optionsInOrder(const CLI::App& command) {
    std::vector<OptionValue> values;
    std::map<const CLI::Option*, std::size_t> seen;
    for (const CLI::Option* option : command.parse_order()) {
        const std::vector<std::string>& results = option->results();
        const std::size_t occurrence = seen[option]++;
        values.push_back({option, occurrence < results.size() ? results[occurrence] : ""});
    }
    return values;
}

std::optional<ParameterSetting> settingOf(const OptionValue& value) {
    const std::string& name = value.option->get_name();
    if (name == kSet) return ParameterSetting{ParameterSetting::Target::name, value.text};
    if (name == kParam) return ParameterSetting{ParameterSetting::Target::index, value.text};
    return std::nullopt;
}

void collectSettings(const CLI::App& command, RenderJob& job) {
    for (const OptionValue& value : optionsInOrder(command)) {
        if (const auto setting = settingOf(value)) job.settings.push_back(*setting);
    }
}

void addFormatOption(CLI::App& command, std::string& format) {
    command.add_option("--format", format, "sample format of the output")
        ->check(CLI::IsMember(kFormats))
        ->capture_default_str();
}

SampleFormat sampleFormat(const std::string& format) {
    return kFormats.at(format);
}

}  // namespace velmorin::host
