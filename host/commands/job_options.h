// The command-line options that describe a render job, shared by the
// subcommands that run a plug-in.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "audio_file.h"
#include "render_job.h"

namespace velmorin::host {

void addPluginOption(CLI::App& command, RenderJob& job);
void addProgramOption(CLI::App& command, RenderJob& job);
void addBlockOption(CLI::App& command, RenderJob& job);
void addTimeoutOption(CLI::App& command, RenderJob& job);
// --set NAME=VALUE and --param INDEX=VALUE, repeatable; collected in the order
// given by collectSettings after parsing.
void addSettingOptions(CLI::App& command);
void collectSettings(const CLI::App& command, RenderJob& job);
// --format float32|pcm24|pcm16 into FORMAT, checked while parsing.
void addFormatOption(CLI::App& command, std::string& format);
SampleFormat sampleFormat(const std::string& format);

// One occurrence of an option on the command line, with its value.
struct OptionValue {
    const CLI::Option* option;
    std::string text;
};
// Every option occurrence (positional ones included) in the order given.
std::vector<OptionValue> optionsInOrder(const CLI::App& command);
// The setting an occurrence of --set or --param asks for; none for other options.
std::optional<ParameterSetting> settingOf(const OptionValue& value);

}  // namespace velmorin::host
