// The report of one rendered file: loudness of input and output, the
// effect's latency, the processing speed, and the program and settings used.
// Printed as text after a render, and written as JSON for scripts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "loudness.h"
#include "render.h"

namespace velmorin::host {

struct RenderReport {
    std::string input;  // file names as the user gave them
    std::string output;
    int sampleRate = 0;
    std::size_t frames = 0;  // of the input
    int32_t latency = 0;
    bool latencyCompensated = false;
    double processSeconds = 0.0;
    Loudness inputLoudness;
    Loudness outputLoudness;
    std::string plugin;  // as the user gave it; empty: the default
    std::string program;
    std::vector<AppliedSetting> settings;
    std::optional<LoudnessTarget> target;

    double seconds() const { return static_cast<double>(frames) / sampleRate; }
    // Seconds of audio per second of processing; infinite when too fast to time.
    double speed() const;
};

RenderReport makeReport(const std::string& input, const std::string& output,
                        const AudioBuffer& audio, const Loudness& inputLoudness,
                        const RenderResult& result, const Loudness& outputLoudness,
                        bool latencyCompensated);

// The loudness table, latency, speed, program and settings.
std::string formatReport(const RenderReport& report);

// "--program 'P' --set 'NAME=VALUE' ...": the options with which velmorin
// render repeats the settings of REPORT.
std::string reproducingOptions(const RenderReport& report);

}  // namespace velmorin::host
