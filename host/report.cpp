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

}  // namespace

std::string formatReport(const AudioBuffer& input, const RenderResult& result) {
    char header[160];
    std::snprintf(header, sizeof header, "%-8s %14s %14s %14s %10s\n", "", "sample peak",
                  "true peak", "integrated", "range");
    char footer[256];
    const double seconds = input.seconds();
    const double speed = result.processSeconds > 0.0 ? seconds / result.processSeconds : INFINITY;
    std::snprintf(footer, sizeof footer,
                  "latency  %d samples (%.2f ms at %d Hz)\n"
                  "speed    %.1f s of audio processed in %.3f s: %.0fx real time\n",
                  result.latency, 1000.0 * result.latency / input.sampleRate, input.sampleRate,
                  seconds, result.processSeconds, speed);
    return header + row("input", measureLoudness(input)) +
           row("output", measureLoudness(result.output)) + footer;
}

}  // namespace velmorin::host
