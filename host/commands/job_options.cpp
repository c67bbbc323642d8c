#include "commands/job_options.h"

namespace velmorin::host {

namespace {

constexpr const char* kSet = "--set";
constexpr const char* kParam = "--param";

}  // namespace

void addPluginOption(CLI::App& command, RenderJob& job) {
    command.add_option("--plugin", job.plugin,
                       "VST 2.4 plug-in library (default: Velmorin beside this command, or "
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

void collectSettings(const CLI::App& command, RenderJob& job) {
    const CLI::Option* set = command.get_option(kSet);
    const CLI::Option* param = command.get_option(kParam);
    std::size_t nextSet = 0;
    std::size_t nextParam = 0;
    for (const CLI::Option* option : command.parse_order()) {
        if (option == set) {
            job.settings.push_back({ParameterSetting::Target::name, set->results().at(nextSet++)});
        } else if (option == param) {
            job.settings.push_back(
                {ParameterSetting::Target::index, param->results().at(nextParam++)});
        }
    }
}

}  // namespace velmorin::host
