// A plug-in library loaded into the process (dlopen, or LoadLibrary on
// Windows), whatever its format; unloaded when the last owner lets go.
#pragma once

#include <filesystem>
#include <string>

namespace velmorin::host {

class PluginLibrary {
  public:
    // Throws HostError for a missing file, a folder or a file that does not load.
    explicit PluginLibrary(const std::filesystem::path& path);
    ~PluginLibrary();
    PluginLibrary(PluginLibrary&& other) noexcept;
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;
    PluginLibrary& operator=(PluginLibrary&&) = delete;

    // Null when the library exports no such name.
    void* symbol(const char* name) const;
    const std::filesystem::path& path() const { return path_; }
    // The system's handle, for load entries that ask for it.
    void* handle() const { return handle_; }
    // How errors about this plug-in name it.
    std::string what() const { return "plug-in " + path_.string(); }

  private:
    std::filesystem::path path_;
    void* handle_ = nullptr;
};

}  // namespace velmorin::host
