// The options that add to what a render delivers, shared by render, batch and
// demo: a JSON report, a loudness plot, a loudness target.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "loudness.h"
#include "report.h"

namespace velmorin::host {

struct ReportOptions {
    std::filesystem::path json;
    std::filesystem::path plot;  // render and demo; batch draws beside each output
    std::optional<double> targetLufs;
    double truePeakCeilingDb = -1.0;

    std::optional<LoudnessTarget> target() const;
    // Refuses bad values and unusable paths before any work; reports may go
    // into FOLDER_TO_BE_MADE, which the command makes first.
    void check(const std::filesystem::path& folderToBeMade = {}) const;
};

void addJsonOption(CLI::App& command, ReportOptions& options);
void addPlotOption(CLI::App& command, ReportOptions& options);
void addTargetOptions(CLI::App& command, ReportOptions& options);

// Writes the JSON report of COMMAND when asked for.
void writeJsonIfAsked(const ReportOptions& options, const std::string& command,
                      const std::vector<nlohmann::ordered_json>& files);

// The JSON report of COMMAND for one file when asked for, then PREFACE and
// the text report on standard output.
void reportOneFile(const ReportOptions& options, const std::string& command,
                   const RenderReport& report, const std::string& preface = {});

}  // namespace velmorin::host
