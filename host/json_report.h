// The render report as JSON, for scripts and CI pipelines. Every command
// writes the same shape: {"command": ..., "files": [one entry per file]}.
// Figures that cannot be measured (no loudness library, silence) are null.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "report.h"

namespace velmorin::host {

nlohmann::ordered_json reportJson(const RenderReport& report);
// [{"parameter", "value", "display"}, ...]
nlohmann::ordered_json settingsJson(const std::vector<AppliedSetting>& settings);
// A figure, or null when not measured or not finite (JSON has no infinity).
nlohmann::ordered_json figureJson(const std::optional<double>& value);
// A file of a batch that could not be rendered.
nlohmann::ordered_json failureJson(const std::string& input, const std::string& output,
                                   const std::string& error);

// Written under a temporary name and renamed when complete; HostError naming
// PATH on failure.
void writeJsonFile(const std::filesystem::path& path, const nlohmann::ordered_json& document);
void writeJsonReport(const std::filesystem::path& path, const std::string& command,
                     const std::vector<nlohmann::ordered_json>& files);

}  // namespace velmorin::host
