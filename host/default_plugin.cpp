#include "default_plugin.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace velmorin::host {

namespace {

#if defined(_WIN32)
constexpr const char* kPluginFile = "Velmorin.dll";

std::filesystem::path executablePath() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return std::filesystem::path(std::wstring(buffer, length));
}
#else
constexpr const char* kPluginFile = "Velmorin.so";

std::filesystem::path executablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec);
}
#endif

}  // namespace

std::filesystem::path defaultPluginPath() {
    const std::filesystem::path beside = executablePath().parent_path() / kPluginFile;
    std::vector<std::filesystem::path> candidates = {beside};
#if defined(VELMORIN_VST_DIR)
    const std::filesystem::path installed(VELMORIN_VST_DIR);
    const std::filesystem::path prefix = executablePath().parent_path().parent_path();
    candidates.push_back((installed.is_absolute() ? installed : prefix / installed) / kPluginFile);
#endif
#if !defined(_WIN32)
    if (const char* home = std::getenv("HOME")) {
        candidates.push_back(std::filesystem::path(home) / ".vst" / kPluginFile);
    }
    candidates.push_back(std::filesystem::path("/usr/local/lib/vst") / kPluginFile);
#endif
    std::error_code ec;
    for (const auto& candidate : candidates) {
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return beside;
}

}  // namespace velmorin::host
