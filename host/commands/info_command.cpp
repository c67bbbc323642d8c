// velmorin info: what a plug-in says about itself, its parameters and programs.
#include <cctype>
#include <cstdio>
#include <memory>

#include "commands/commands.h"
#include "commands/job_options.h"
#include "plugin_setup.h"

namespace velmorin::host {

namespace {

std::string fourCharacters(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>((code >> shift) & 0xff);
        text += std::isprint(c) ? static_cast<char>(c) : '.';
    }
    return text;
}

const char* categoryName(intptr_t category) {
    static const char* const kNames[] = {"unknown",     "effect",      "synth",   "analysis",
                                         "mastering",   "spacializer", "room fx", "surround fx",
                                         "restoration", "offline",     "shell",   "generator"};
    if (category < 0 || category >= static_cast<intptr_t>(std::size(kNames))) return "other";
    return kNames[category];
}

std::string flagNames(int32_t flags) {
    static const std::pair<int32_t, const char*> kFlags[] = {
        {effFlagsHasEditor, "editor"},
        {effFlagsCanReplacing, "replacing"},
        {effFlagsProgramChunks, "chunks"},
        {effFlagsIsSynth, "synth"},
        {effFlagsNoSoundInStop, "no sound in stop"},
        {effFlagsCanDoubleReplacing, "double"}};
    std::string names;
    for (const auto& [flag, name] : kFlags) {
        if (flags & flag) names += (names.empty() ? "" : ", ") + std::string(name);
    }
    return names.empty() ? "none" : names;
}

void printIdentity(const HostedPlugin& plugin) {
    const AEffect& e = plugin.record();
    const intptr_t category = plugin.dispatch(effGetPlugCategory);
    std::printf("name            %s\n", plugin.text(effGetEffectName).c_str());
    std::printf("vendor          %s\n", plugin.text(effGetVendorString).c_str());
    std::printf("product         %s\n", plugin.text(effGetProductString).c_str());
    std::printf("vendor version  %ld\n", static_cast<long>(plugin.dispatch(effGetVendorVersion)));
    std::printf("VST version     %ld\n", static_cast<long>(plugin.dispatch(effGetVstVersion)));
    std::printf("effect version  %d\n", e.version);
    std::printf("unique id       %s (0x%08x)\n", fourCharacters(e.uniqueID).c_str(),
                static_cast<unsigned>(e.uniqueID));
    std::printf("category        %s (%ld)\n", categoryName(category), static_cast<long>(category));
    std::printf("inputs/outputs  %d/%d\n", e.numInputs, e.numOutputs);
    std::printf("latency         %d samples\n", e.initialDelay);
    std::printf("flags           0x%x (%s)\n", static_cast<unsigned>(e.flags),
                flagNames(e.flags).c_str());
}

void printParameters(const HostedPlugin& plugin) {
    std::printf("\nparameters (%d)\n", plugin.record().numParams);
    std::printf("%5s  %-24s %-8s %-16s %s\n", "index", "name", "label", "display", "value");
    for (int32_t index = 0; index < plugin.record().numParams; ++index) {
        std::printf("%5d  %-24s %-8s %-16s %.6g\n", index,
                    ("\"" + plugin.parameterName(index) + "\"").c_str(),
                    ("\"" + plugin.text(effGetParamLabel, index) + "\"").c_str(),
                    ("\"" + plugin.text(effGetParamDisplay, index) + "\"").c_str(),
                    static_cast<double>(plugin.parameter(index)));
    }
}

void printPrograms(const HostedPlugin& plugin) {
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
        const HostedPlugin plugin(job->pluginPath());
        printIdentity(plugin);
        printParameters(plugin);
        printPrograms(plugin);
    });
}

}  // namespace velmorin::host
