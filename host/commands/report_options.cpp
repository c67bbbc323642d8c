#include "commands/report_options.h"

#include <cstdio>

#include "json_report.h"
#include "loudness_plot.h"
#include "loudness_target.h"
#include "output_path.h"

namespace velmorin::host {

std::optional<LoudnessTarget> ReportOptions::target() const {
    if (!targetLufs) return std::nullopt;
    return LoudnessTarget{*targetLufs, truePeakCeilingDb};
}

void ReportOptions::check(const std::filesystem::path& folderToBeMade) const {
    if (const auto asked = target()) checkTarget(*asked);
    if (!json.empty()) checkOutputPath(json, "--json", folderToBeMade);
    if (!plot.empty()) checkPlotPath(plot, folderToBeMade);
}

void addJsonOption(CLI::App& command, ReportOptions& options) {
    command.add_option("--json", options.json, "write the report as JSON to FILE")
        ->type_name("FILE");
}

void addPlotOption(CLI::App& command, ReportOptions& options) {
    command
        .add_option("--plot", options.plot,
                    "draw input and output waveforms and loudness over time into FILE.png")
        ->type_name("FILE.png");
}

void addTargetOptions(CLI::App& command, ReportOptions& options) {
    CLI::Option* target = command.add_option(
        "--target-lufs", options.targetLufs,
        "master to this integrated loudness (within 0.5 LU) with Velmorin's own controls");
    command
        .add_option("--true-peak-ceiling", options.truePeakCeilingDb,
                    "highest true peak allowed with --target-lufs, in dBTP")
        ->capture_default_str()
        ->needs(target);
}

void writeJsonIfAsked(const ReportOptions& options, const std::string& command,
                      const std::vector<nlohmann::ordered_json>& files) {
    if (!options.json.empty()) writeJsonReport(options.json, command, files);
}

void reportOneFile(const ReportOptions& options, const std::string& command,
                   const RenderReport& report, const std::string& preface) {
    writeJsonIfAsked(options, command, {reportJson(report)});
    std::printf("%s%s", preface.c_str(), formatReport(report).c_str());
}

}  // namespace velmorin::host
