#include "json_report.h"

#include <cmath>
#include <fstream>

#include "host_error.h"
#include "output_file.h"

namespace velmorin::host {

namespace {

using json = nlohmann::ordered_json;

json loudnessJson(const Loudness& loudness) {
    return {{"sample_peak_dbfs", figureJson(loudness.samplePeakDb)},
            {"true_peak_dbtp", figureJson(loudness.truePeakDb)},
            {"integrated_lufs", figureJson(loudness.integratedLufs)},
            {"loudness_range_lu", figureJson(loudness.rangeLu)}};
}

}  // namespace

// A silent signal's -inf dB becomes null like a figure that was not measured.
json figureJson(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? json(*value) : json(nullptr);
}

json settingsJson(const std::vector<AppliedSetting>& settings) {
    json list = json::array();
    for (const AppliedSetting& setting : settings) {
        list.push_back({{"parameter", setting.parameter},
                        {"value", setting.value},
                        {"display", setting.display}});
    }
    return list;
}

json reportJson(const RenderReport& report) {
    json entry = {{"input", report.input},
                  {"output", report.output},
                  {"status", "ok"},
                  {"sample_rate", report.sampleRate},
                  {"frames", report.frames},
                  {"seconds", report.seconds()},
                  {"latency_samples", report.latency},
                  {"latency_compensated", report.latencyCompensated},
                  {"input_loudness", loudnessJson(report.inputLoudness)},
                  {"output_loudness", loudnessJson(report.outputLoudness)},
                  {"process_seconds", report.processSeconds},
                  {"speed_x_real_time", figureJson(report.speed())},
                  {"program", report.program},
                  {"settings", settingsJson(report.settings)}};
    if (report.target) {
        entry["target"] = {{"integrated_lufs", report.target->lufs},
                           {"true_peak_ceiling_dbtp", report.target->truePeakCeilingDb}};
    }
    return entry;
}

json failureJson(const std::string& input, const std::string& output, const std::string& error) {
    return {{"input", input}, {"output", output}, {"status", "failed"}, {"error", error}};
}

void writeJsonReport(const std::filesystem::path& path, const std::string& command,
                     const std::vector<json>& files) {
    writeJsonFile(path, {{"command", command}, {"files", files}});
}

void writeJsonFile(const std::filesystem::path& path, const json& document) {
    PendingOutput output(path);
    {
        std::ofstream stream(output.temporary());
        stream << document.dump(2) << '\n';
        if (!stream.flush()) throw HostError(output.folderWhat(), "cannot write the JSON report");
    }
    output.commit();
}

}  // namespace velmorin::host
