// velmorin edit [FILE]: a plug-in's editor in a window of its own, with FILE
// looping through the plug-in in real time so its displays move.
#include <memory>
#include <optional>
#include <utility>

#include "audio_file.h"
#include "commands/commands.h"
#include "commands/job_options.h"
#include "editor_window.h"
#include "host_error.h"
#include "interruption.h"
#include "looped_player.h"
#include "open_plugin.h"

namespace velmorin::host {

namespace {

constexpr int kDefaultSampleRate = 44100;

struct EditArguments {
    std::filesystem::path file;
    RenderJob job;
    std::optional<double> scale;
};

void run(const CLI::App& command, EditArguments& arguments) {
    collectSettings(command, arguments.job);
    arguments.job.check();
    std::optional<AudioBuffer> audio;
    if (!arguments.file.empty()) audio = readAudioFile(arguments.file);

    const std::unique_ptr<PluginInstance> plugin = openPlugin(arguments.job.pluginPath());
    std::unique_ptr<PluginEditor> editor = plugin->editor();
    if (arguments.scale) editor->setScale(*arguments.scale);
    arguments.job.configure(*plugin, audio ? audio->sampleRate : kDefaultSampleRate);

    EditorWindow window(std::move(editor), plugin->name());
    plugin->start();
    std::unique_ptr<LoopedPlayer> player;
    if (audio) player = std::make_unique<LoopedPlayer>(*plugin, *audio);
    window.open();

    endOnRequest();
    while (!endRequested() && window.run()) {
    }
    window.close();
    player.reset();
    plugin->stop();
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
    command
        ->add_option("--scale", arguments->scale,
                     "draw the editor this many times as large (1 to 3) where it is set to "
                     "Automatic")
        ->check(CLI::Range(1.0, 3.0));
    command->callback([command, arguments] { run(*command, *arguments); });
}

}  // namespace velmorin::host
