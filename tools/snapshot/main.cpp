// velmorin-snapshot OUT.png [--program N|NAME] [--set NAME=VALUE]...
// Paints the editor of a fresh effect headless and writes the 654 x 431
// window as PNG.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/adelay_edit.h"
#include "snapshot/editor_snapshot.h"
#include "snapshot/effect_settings.h"
#include "snapshot/png_file.h"

int main(int argc, char** argv) {
    CLI::App app{"Paints the editor of a fresh effect and writes the window as PNG."};
    std::string output;
    std::optional<std::string> program;
    std::vector<std::string> settings;
    app.add_option("output", output, "the PNG file to write")->required();
    app.add_option("--program", program, "a factory program by number (0-17) or name");
    app.add_option("--set", settings,
                   "NAME=VALUE: a parameter by its name, the value as a host sends it "
                   "(between 0 and 1 scaled to the parameter's range, otherwise taken as is); "
                   "applied after the program, in order")
        ->allow_extra_args(false);
    CLI11_PARSE(app, argc, argv);

    try {
        std::optional<int32_t> programIndex;
        if (program) programIndex = velmorin::snapshot::findProgram(*program);
        std::vector<velmorin::snapshot::Setting> parsed;
        for (const std::string& setting : settings)
            parsed.push_back(velmorin::snapshot::parseSetting(setting));

        const auto pixels = velmorin::snapshot::snapshotEditor([&](ADelayEdit& effect) {
            if (programIndex) effect.setProgram(*programIndex);
            for (const auto& setting : parsed)
                effect.setParameter(setting.parameter, setting.value);
        });
        velmorin::snapshot::writePng(output, pixels);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmorin-snapshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
