// velmorin edit [FILE]: a plug-in's editor in a window of its own, with FILE
// looping through the plug-in in real time so its displays move.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "host_error.h"
#include "host_window.h"
#include "hosted_plugin.h"
#include "looped_player.h"
#include "open_plugin.h"

namespace velmorin::host {

namespace {

// Hosts call the editor's idle about 30 times a second.
constexpr auto kIdlePeriod = std::chrono::milliseconds(33);
constexpr int kDefaultSampleRate = 44100;

std::atomic<bool> gInterrupted{false};

struct EditArguments {
    std::filesystem::path file;
    RenderJob job;
};

// The editor's size from its rectangle; a plug-in that gives none gets a
// modest window rather than none.
std::pair<int, int> editorSize(const HostedPlugin& plugin) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return {640, 480};
    return {rect->right - rect->left, rect->bottom - rect->top};
}

void run(const CLI::App& command, EditArguments& arguments) {
    collectSettings(command, arguments.job);
    arguments.job.check();
    std::optional<AudioBuffer> audio;
    if (!arguments.file.empty()) audio = readAudioFile(arguments.file);

    const std::unique_ptr<PluginInstance> opened = openPlugin(arguments.job.pluginPath());
    auto* vst = dynamic_cast<HostedPlugin*>(opened.get());
    if (!vst)
        throw HostError(opened->what(), "is a CLAP plug-in, whose editor cannot be shown yet");
    HostedPlugin& plugin = *vst;
    if (!(plugin.record().flags & effFlagsHasEditor))
        throw HostError(plugin.what(), "has no editor");
    arguments.job.configure(plugin, audio ? audio->sampleRate : kDefaultSampleRate);

    const auto [width, height] = editorSize(plugin);
    HostWindow window(width, height, plugin.text(effGetEffectName));
    plugin.start();
    std::unique_ptr<LoopedPlayer> player;
    if (audio) player = std::make_unique<LoopedPlayer>(plugin, *audio);

    const auto parent = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.id()));
    if (plugin.dispatch(effEditOpen, 0, 0, parent) == 0)
        throw HostError(plugin.what(), "could not open its editor");

    std::signal(SIGINT, [](int) { gInterrupted = true; });
    std::signal(SIGTERM, [](int) { gInterrupted = true; });
    while (!window.closed() && !gInterrupted) {
        plugin.dispatch(effEditIdle);
        std::this_thread::sleep_for(kIdlePeriod);
    }
    plugin.dispatch(effEditClose);
    player.reset();
    plugin.stop();
    if (window.serverGone()) throw HostError("the X server", "went away");
}

}  // namespace

void addEditCommand(CLI::App& app) {
    auto arguments = std::make_shared<EditArguments>();
    CLI::App* command =
        app.add_subcommand("edit", "Open a plug-in's editor, optionally playing a file through it");
    command->add_option("FILE", arguments->file,
                        "audio file looped through the plug-in in real time (not played aloud)");
    addPluginOption(*command, arguments->job);
    addProgramOption(*command, arguments->job);
    addSettingOptions(*command);
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
