#include "report.h"

#include <cmath>
#include <cstdio>

namespace velmorin::host {

namespace {

std::string figure(const std::optional<double>& value, const char* unit) {
    if (!value) return "n/a";
    char text[32];
    if (std::isinf(*value)) {
        std::snprintf(text, sizeof text, "%s %s", *value < 0 ? "-inf" : "inf", unit);
    } else {
        std::snprintf(text, sizeof text, "%.2f %s", *value, unit);
    }
    return text;
}

std::string row(const char* name, const Loudness& loudness) {
    char text[160];
    std::snprintf(
        text, sizeof text, "%-8s %14s %14s %14s %10s\n", name,
        figure(loudness.samplePeakDb, "dBFS").c_str(), figure(loudness.truePeakDb, "dBFS").c_str(),
        figure(loudness.integratedLufs, "LUFS").c_str(), figure(loudness.rangeLu, "LU").c_str());
    return text;
}

std::string valueText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

std::string settingsLine(const RenderReport& report) {
    std::string line = "program  \"" + report.program + "\"\n";
    if (report.settings.empty()) return line;
    line += "settings";
    for (const AppliedSetting& setting : report.settings) {
        line += " " + setting.parameter + "=" + valueText(setting.value) + " (" + setting.display +
                "),";
    }
    line.back() = '\n';
    return line;
}

std::string targetLine(const LoudnessTarget& target) {
    char text[128];
    std::snprintf(text, sizeof text, "target   %.2f LUFS, true peak at most %.2f dBTP\n",
                  target.lufs, target.truePeakCeilingDb);
    return text;
}

}  // namespace

double RenderReport::speed() const {
    return processSeconds > 0.0 ? seconds() / processSeconds : INFINITY;
}

RenderReport makeReport(const std::string& input, const std::string& output,
                        const AudioBuffer& audio, const Loudness& inputLoudness,
                        const RenderResult& result, const Loudness& outputLoudness,
                        bool latencyCompensated) {
    RenderReport report;
    report.input = input;
    report.output = output;
    report.sampleRate = audio.sampleRate;
    report.frames = audio.frames();
    report.latency = result.latency;
    report.latencyCompensated = latencyCompensated;
    report.processSeconds = result.processSeconds;
    report.inputLoudness = inputLoudness;
    report.outputLoudness = outputLoudness;
    report.program = result.program;
    report.settings = result.settings;
    return report;
}

std::string formatReport(const RenderReport& report) {
    char header[160];
    std::snprintf(header, sizeof header, "%-8s %14s %14s %14s %10s\n", "", "sample peak",
                  "true peak", "integrated", "range");
    char footer[256];
    std::snprintf(footer, sizeof footer,
                  "latency  %d samples (%.2f ms at %d Hz)\n"
                  "speed    %.1f s of audio processed in %.3f s: %.0fx real time\n",
                  report.latency, 1000.0 * report.latency / report.sampleRate, report.sampleRate,
                  report.seconds(), report.processSeconds, report.speed());
    std::string text = header + row("input", report.inputLoudness) +
                       row("output", report.outputLoudness) + footer + settingsLine(report);
    if (report.target) {
        text += targetLine(*report.target);
        text += "repeat   velmorin render IN OUT " + reproducingOptions(report) + "\n";
    }
    return text;
}

std::string reproducingOptions(const RenderReport& report) {
    // The settings are named and counted as this plug-in takes them.
    std::string options = report.plugin.empty() ? "" : "--plugin '" + report.plugin + "' ";
    options += "--program '" + report.program + "'";
    for (const AppliedSetting& setting : report.settings) {
        options += " --set '" + setting.parameter + "=" + valueText(setting.value) + "'";
    }
    if (report.latencyCompensated) options += " --compensate-latency";
    return options;
}

}  // namespace velmorin::host
