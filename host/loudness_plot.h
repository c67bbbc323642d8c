// A picture of a render for an engineer: input and output waveforms one above
// the other on one time axis, the short-term loudness of both with their
// integrated values and the target marked, and where the output's true peak
// goes over the ceiling. A PNG sized for a README.
#pragma once

#include <filesystem>

#include "audio_buffer.h"
#include "report.h"

namespace velmorin::host {

constexpr int kPlotWidth = 960;
constexpr int kPlotHeight = 540;
// Where the loudness panel lies, and the colours of input and output (0xRRGGBB).
constexpr int kPlotLoudnessTop = 300;
constexpr int kPlotLoudnessBottom = kPlotHeight - 50;
constexpr unsigned kPlotInputColour = 0x66a3e0;
constexpr unsigned kPlotOutputColour = 0xf5a842;

// The ceiling is the target's, or -1 dBTP without one. Written under a
// temporary name and renamed when complete; HostError naming PATH on failure,
// or when this build draws no pictures.
void writeLoudnessPlot(const std::filesystem::path& path, const AudioBuffer& input,
                       const AudioBuffer& output, const RenderReport& report);

// Refuses a plot path before any work is done: HostError unless it names a
// .png file in an existing folder (or FOLDER_TO_BE_MADE), or when this build
// draws no pictures.
void checkPlotPath(const std::filesystem::path& path,
                   const std::filesystem::path& folderToBeMade = {});

}  // namespace velmorin::host
