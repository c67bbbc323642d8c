// velmorin-snapshot OUT.png [--program N|NAME] [--set NAME=VALUE]...
//                   [--input FILE [--seconds S]] [--scale S] [display preferences]
// Paints the editor of a fresh effect headless and writes the 654 x 431
// window as PNG, or round(654 S) x round(431 S) at a scale; with an input,
// as it looks after playing it.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio_file.h"
#include "engine/effect.h"
#include "snapshot/editor_snapshot.h"
#include "snapshot/effect_settings.h"
#include "snapshot/png_file.h"

namespace {

void addPreferenceOptions(CLI::App& app, platform::PreferenceRecord& preferences) {
    app.add_option("--colour-scheme", preferences.colourScheme,
                   "wave colours: 0 Natural, 1 Icy, 2 Custom (from --wave-colours)")
        ->capture_default_str();
    app.add_option("--wave-colours", preferences.waveColours,
                   "the custom colour table: R,G,B of outer trace, inner trace and threshold "
                   "line for High, Mid, Low and Master (36 numbers)")
        ->delimiter(',');
    app.add_option("--zoom-range", preferences.zoomRange, "zoom faders: 0 1-10, 1 1-20, 2 2-32")
        ->capture_default_str();
    app.add_option("--display-speed", preferences.displaySpeed,
                   "1 to 4: a tick every 166, 125, 100 or 80 ms")
        ->capture_default_str();
    app.add_option("--peak-hold", preferences.peakHold,
                   "ticks at speed 1 a peak mark is held (100000000: forever)")
        ->capture_default_str();
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Paints the editor of a fresh effect and writes the window as PNG."};
    std::string output;
    std::optional<std::string> program;
    std::vector<std::string> settings;
    std::optional<std::string> inputFile;
    std::optional<double> seconds;
    double scale = 1.0;
    velmorin::snapshot::Scene scene;
    app.add_option("output", output, "the PNG file to write")->required();
    app.add_option("--program", program, "a factory program by number (0-17) or name");
    app.add_option("--set", settings,
                   "NAME=VALUE: a parameter by its name, the value as a host sends it "
                   "(between 0 and 1 scaled to the parameter's range, otherwise taken as is); "
                   "applied after the program, in order")
        ->allow_extra_args(false);
    app.add_option("--input", inputFile,
                   "an audio file played through the effect while the editor ticks at its "
                   "timer's period (simulated time), so the picture shows it live");
    app.add_option("--seconds", seconds, "play only the first S seconds of the input")
        ->needs("--input");
    app.add_option("--scale", scale,
                   "draw the editor this many times as large: 1, 1.25, 1.5, "
                   "1.75, 2, 2.5 or 3")
        ->capture_default_str();
    addPreferenceOptions(app, scene.preferences);
    CLI11_PARSE(app, argc, argv);

    try {
        std::optional<int32_t> programIndex;
        if (program) programIndex = velmorin::snapshot::findProgram(*program);
        std::vector<velmorin::snapshot::Setting> parsed;
        for (const std::string& setting : settings)
            parsed.push_back(velmorin::snapshot::parseSetting(setting));
        if (seconds && !(*seconds > 0.0 && std::isfinite(*seconds)))
            throw std::invalid_argument("--seconds must be a positive number");
        const std::optional<platform::Scale> editorScale = platform::editorScaleOf(scale);
        if (!editorScale)
            throw std::invalid_argument("--scale must be 1, 1.25, 1.5, 1.75, 2, 2.5 or 3");
        scene.scale = *editorScale;

        std::optional<velmorin::host::AudioBuffer> input;
        if (inputFile) {
            input = velmorin::host::readAudioFile(*inputFile);
            scene.input = &*input;
            scene.inputFrames = input->frames();
            if (seconds)
                scene.inputFrames = static_cast<std::size_t>(
                    std::min(*seconds * input->sampleRate, static_cast<double>(input->frames())));
        }
        scene.prepare = [&](velmorin::Effect& effect) {
            if (programIndex) effect.setProgram(*programIndex);
            for (const auto& setting : parsed)
                effect.setParameter(setting.parameter, setting.value);
        };
        velmorin::snapshot::writePng(output, velmorin::snapshot::snapshotEditor(scene));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmorin-snapshot: %s\n", error.what());
        return 1;
    }
    return 0;
}
