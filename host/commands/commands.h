// The subcommands of the velmorin command. Each adds itself to the command
// line; it runs during parsing and reports failure by throwing HostError.
#pragma once

#include <CLI/CLI.hpp>

namespace velmorin::host {

void addRenderCommand(CLI::App& app);
void addBatchCommand(CLI::App& app);
void addInfoCommand(CLI::App& app);
void addDemoCommand(CLI::App& app);
void addBenchCommand(CLI::App& app);
#if defined(VELMORIN_HOST_EDIT)
void addEditCommand(CLI::App& app);
#endif
#if defined(VELMORIN_HOST_LIVE)
void addLiveCommand(CLI::App& app);
#endif

// Parses and runs; prints one line on failure. Returns the exit status.
int runCommandLine(int argc, char** argv);

}  // namespace velmorin::host
