#include <cstdio>
#include <exception>

#include "commands/commands.h"

namespace velmorin::host {

int runCommandLine(int argc, char** argv) {
    CLI::App app("velmorin: render, inspect, benchmark and edit VST 2.4 and CLAP plug-ins",
                 "velmorin");
    app.require_subcommand(1);
    // Paths such as /tmp/in.wav (under Wine) are files, not /options.
    app.allow_windows_style_options(false);
    addRenderCommand(app);
    addBatchCommand(app);
    addInfoCommand(app);
    addDemoCommand(app);
    addBenchCommand(app);
#if defined(VELMORIN_HOST_EDIT)
    addEditCommand(app);
#endif
#if defined(VELMORIN_HOST_LIVE)
    addLiveCommand(app);
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "velmorin: %s\n", error.what());
        return error.get_exit_code() != 0 ? error.get_exit_code() : 1;
    } catch (const std::exception& error) {  // HostError, or running out of memory
        std::fprintf(stderr, "velmorin: %s\n", error.what());
        return 1;
    }
    return 0;
}

}  // namespace velmorin::host
