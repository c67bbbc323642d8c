// velmorin info: what a plug-in says about itself, its parameters and programs.
#include <cstdio>
#include <memory>

#include "commands/commands.h"
#include "commands/job_options.h"
#include "open_plugin.h"
#include "plugin_setup.h"

namespace velmorin::host {

namespace {

void printIdentity(const PluginInstance& plugin) {
    for (const auto& [label, text] : plugin.identity()) {
        std::printf("%-15s %s\n", label.c_str(), text.c_str());
    }
}

void printParameters(const PluginInstance& plugin) {
    std::printf("\nparameters (%d)\n", plugin.parameterCount());
    std::printf("%5s  %-24s %-8s %-16s %s\n", "index", "name", "label", "display", "value");
    for (int32_t index = 0; index < plugin.parameterCount(); ++index) {
        std::printf("%5d  %-24s %-8s %-16s %.6g\n", index,
                    ("\"" + plugin.parameterName(index) + "\"").c_str(),
                    ("\"" + plugin.parameterLabel(index) + "\"").c_str(),
                    ("\"" + plugin.parameterDisplay(index) + "\"").c_str(),
                    static_cast<double>(plugin.parameter(index)));
    }
}

void printPrograms(const PluginInstance& plugin) {
    const std::vector<std::string> names = programNames(plugin);
    std::printf("\nprograms (%zu), current %d\n", names.size(), plugin.program());
    for (std::size_t program = 0; program < names.size(); ++program) {
        std::printf("%5zu  %s\n", program, names[program].c_str());
    }
}

}  // namespace

void addInfoCommand(CLI::App& app) {
    auto job = std::make_shared<RenderJob>();
    CLI::App* command = app.add_subcommand("info",
                                           "Show a plug-in's identity, parameters and "
                                           "programs");
    addPluginOption(*command, *job);
    command->callback([job] {
        const std::unique_ptr<PluginInstance> plugin = openPlugin(job->pluginPath());
        printIdentity(*plugin);
        printParameters(*plugin);
        printPrograms(*plugin);
    });
}

}  // namespace velmorin::host
