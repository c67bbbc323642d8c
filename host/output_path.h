// Checks made on an output path before any work, so that a run that cannot
// deliver refuses at once instead of failing after a long render.
#pragma once

#include <filesystem>
#include <string>

namespace velmorin::host {

// HostError naming WHAT when PATH is a folder or its folder does not exist
// and is not TO_BE_MADE (a folder the command makes before writing).
void checkOutputPath(const std::filesystem::path& path, const std::string& what,
                     const std::filesystem::path& toBeMade = {});

// The same file, or (when B does not exist yet) the same path spelt otherwise.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace velmorin::host
