// A plug-in library loaded into the process (dlopen, or LoadLibrary on
// Windows) and its VST 2.4 entry point.
#pragma once

#include <filesystem>

#include "formats/vst2/vst2.h"

namespace velmorin::host {

class PluginLibrary {
  public:
    // Loads the library and finds VSTPluginMain, or else the older name main.
    explicit PluginLibrary(const std::filesystem::path& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    VstPluginMainProc entry() const { return entry_; }
    // How errors about this plug-in name it.
    std::string what() const { return "plug-in " + path_.string(); }

  private:
    std::filesystem::path path_;
    void* handle_ = nullptr;
    VstPluginMainProc entry_ = nullptr;
};

}  // namespace velmorin::host
