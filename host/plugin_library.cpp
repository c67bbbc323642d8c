#include "plugin_library.h"

#include <system_error>
#include <utility>

#include "host_error.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace velmorin::host {

namespace {

#if defined(_WIN32)
void* openLibrary(const std::filesystem::path& path, std::string& error) {
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) error = std::system_category().message(static_cast<int>(GetLastError()));
    return reinterpret_cast<void*>(module);
}

void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void closeLibrary(void* handle) {
    FreeLibrary(static_cast<HMODULE>(handle));
}
#else
void* openLibrary(const std::filesystem::path& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) error = dlerror();
    return handle;
}

void* findSymbol(void* handle, const char* name) {
    return dlsym(handle, name);
}

void closeLibrary(void* handle) {
    dlclose(handle);
}
#endif

}  // namespace

PluginLibrary::PluginLibrary(const std::filesystem::path& path) : path_(path) {
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) throw HostError(what(), "no such file");
    if (std::filesystem::is_directory(path_, ec)) throw HostError(what(), "is a folder");
    std::string error;
    handle_ = openLibrary(path_, error);
    if (!handle_) throw HostError(what(), "not a loadable library (" + error + ")");
}

PluginLibrary::PluginLibrary(PluginLibrary&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, nullptr)) {}

PluginLibrary::~PluginLibrary() {
    if (handle_) closeLibrary(handle_);
}

void* PluginLibrary::symbol(const char* name) const {
    return findSymbol(handle_, name);
}

}  // namespace velmorin::host
