// The display preferences in a small text file, one "name=value" line per
// stored value, for systems without the Windows registry.
#pragma once

#include <filesystem>

#include "platform/preference_store.h"

namespace platform {

class FilePreferenceStore : public PreferenceStore {
  public:
    explicit FilePreferenceStore(std::filesystem::path file) : file_(std::move(file)) {}

    // velmorin/preferences under $XDG_CONFIG_HOME, or under ~/.config when
    // that is unset or not absolute; an empty path when neither is known,
    // which reads nothing and writes nothing.
    static std::filesystem::path defaultLocation();

    void read(PreferenceRecord& record) override;
    // Writes a temporary file beside the real one and renames it over it, so
    // a reader never sees half a file.
    void write(const PreferenceRecord& record) override;

    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
};

}  // namespace platform
