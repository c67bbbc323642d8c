// velmorin live: the plug-in on the audio server's graph, with its editor
// or without one, until the user ends it; its settings kept between runs.
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "commands/commands.h"
#include "commands/job_options.h"
#include "editor_window.h"
#include "host_error.h"
#include "interruption.h"
#include "live/live_session.h"
#include "live_state_file.h"
#include "open_plugin.h"

namespace velmorin::host {

namespace {

constexpr auto kHeadlessPeriod = std::chrono::milliseconds(50);

struct LiveArguments {
    RenderJob job;
    std::filesystem::path state;
    std::string connect;
    std::filesystem::path play;
    std::string name = "velmorin";
    bool noEditor = false;
};

// A name beside PATH that no file has yet.
std::filesystem::path asideName(const std::filesystem::path& path) {
    std::filesystem::path aside = path.string() + ".damaged";
    for (int count = 2; std::filesystem::exists(aside); ++count)
        aside = path.string() + ".damaged-" + std::to_string(count);
    return aside;
}

// The plug-in with the settings kept in STATE. A file it cannot take is
// moved aside, never overwritten, and the plug-in starts from its defaults.
std::unique_ptr<PluginInstance> openWithKeptState(const std::filesystem::path& pluginPath,
                                                  const std::filesystem::path& state) {
    std::unique_ptr<PluginInstance> plugin = openPlugin(pluginPath);
    try {
        if (const auto kept = readLiveState(state, liveStateOwner(plugin->name(), pluginPath)))
            plugin->loadState(*kept);
        return plugin;
    } catch (const HostError& refused) {
        plugin.reset();  // what it took of the file goes with it
        const std::filesystem::path aside = asideName(state);
        std::error_code ec;
        std::filesystem::rename(state, aside, ec);
        if (ec) throw HostError(state.string(), "cannot be moved aside: " + ec.message());
        std::fprintf(stderr,
                     "velmorin: %s\nvelmorin: the state file is refused: the plug-in starts from "
                     "its defaults, and the file is kept as %s\n",
                     refused.what(), aside.string().c_str());
        return openPlugin(pluginPath);
    }
}

void printFigures(const LiveSession& session) {
    const CallbackLoad load = session.load();
    std::printf(
        "velmorin live: %llu periods, %llu xruns; callback load mean %.1f %%, max %.1f %% "
        "of the period\n",
        static_cast<unsigned long long>(load.periods),
        static_cast<unsigned long long>(session.xruns()), 100.0 * load.mean, 100.0 * load.max);
}

// Until the user ends it (a signal, the window closed) or the server goes.
void runUntilEnded(LiveSession& session, EditorWindow* window) {
    while (!endRequested() && !session.serverGone()) {
        session.tend();
        if (window) {
            if (!window->run()) break;
        } else {
            session.wait(kHeadlessPeriod);
        }
    }
}

void run(LiveArguments& arguments) {
    arguments.job.check();
    endOnRequest();
    const std::filesystem::path state =
        arguments.state.empty() ? defaultLiveStatePath() : arguments.state;
    if (state.empty())
        throw HostError("--state", "no HOME or XDG_CONFIG_HOME to keep the settings under");
    std::optional<PortConnections> connections;
    if (!arguments.connect.empty()) connections = parsePortConnections(arguments.connect);
    std::unique_ptr<FileLoop> file;
    if (!arguments.play.empty()) file = std::make_unique<FileLoop>(arguments.play);

    const std::filesystem::path pluginPath = arguments.job.pluginPath();
    const std::unique_ptr<PluginInstance> plugin = openWithKeptState(pluginPath, state);
    if (!arguments.job.program.empty()) selectProgram(*plugin, arguments.job.program);
    std::unique_ptr<EditorWindow> window;
    if (!arguments.noEditor)
        window = std::make_unique<EditorWindow>(plugin->editor(), plugin->name());

    LiveSession session(*plugin, file.get(), arguments.name);
    std::optional<HostError> failure;
    try {
        session.connect(connections);
        if (window) window->open();
        std::printf("velmorin live: %s as JACK client %s, latency %d frames\n",
                    plugin->name().c_str(), session.clientName().c_str(), plugin->latency());
        std::fflush(stdout);
        runUntilEnded(session, window.get());
    } catch (const HostError& error) {
        failure = error;  // the settings are kept all the same
    }
    session.deactivate();
    window.reset();
    printFigures(session);
    writeLiveState(state, liveStateOwner(plugin->name(), pluginPath), plugin->saveState());
    plugin->stop();
    std::printf("velmorin live: settings saved to %s\n", state.string().c_str());
    if (failure) throw *failure;
    if (const auto reason = session.serverGone())
        throw HostError("the JACK server", "shut down (" + *reason + ")");
}

}  // namespace

void addLiveCommand(CLI::App& app) {
    auto arguments = std::make_shared<LiveArguments>();
    CLI::App* command = app.add_subcommand(
        "live", "Run a plug-in on the JACK (or PipeWire) audio graph, with its editor");
    addPluginOption(*command, arguments->job);
    addProgramOption(*command, arguments->job);
    command
        ->add_option("--state", arguments->state,
                     "load the settings from FILE at the start and save them there at the end "
                     "(default: $XDG_CONFIG_HOME/velmorin/live-state)")
        ->type_name("FILE");
    command
        ->add_option("--connect", arguments->connect,
                     "connect the inputs and outputs: IN1,IN2:OUT1,OUT2, port names or "
                     "patterns, either side empty (default: outputs to the first two "
                     "physical playback ports)")
        ->type_name("IN1,IN2:OUT1,OUT2");
    command
        ->add_option("--play", arguments->play,
                     "loop this audio file into the plug-in instead of its inputs")
        ->type_name("FILE");
    command->add_option("--name", arguments->name, "JACK client name")->capture_default_str();
    command->add_flag("--no-editor", arguments->noEditor,
                      "run without a window until interrupted (Ctrl+C, SIGTERM)");
    command->callback([arguments] { run(*arguments); });
}

}  // namespace velmorin::host
