#include "windows/version_record.h"

#include <vector>

std::string versionText(HMODULE module, const char* name) {
    char path[MAX_PATH] = {};
    if (!module || !GetModuleFileNameA(module, path, MAX_PATH)) return {};
    std::vector<char> record(GetFileVersionInfoSizeA(path, nullptr));
    if (record.empty() ||
        !GetFileVersionInfoA(path, 0, static_cast<DWORD>(record.size()), record.data()))
        return {};
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(record.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return {};
    return value;
}
