// The command-line options that describe a render job, shared by the
// subcommands that run a plug-in.
#pragma once

#include <CLI/CLI.hpp>

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

}  // namespace velmorin::host
