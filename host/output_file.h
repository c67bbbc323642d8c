// An output file that appears only when complete: it is written under a
// temporary name in the destination's folder, then renamed over the
// destination. Abandoned without commit(), the temporary file is removed.
#pragma once

#include <filesystem>

namespace velmorin::host {

class PendingOutput {
  public:
    explicit PendingOutput(const std::filesystem::path& destination);
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    const std::filesystem::path& temporary() const { return temporary_; }
    // Names the destination's folder in errors about creating the file.
    std::string folderWhat() const;
    // Throws HostError when the rename fails.
    void commit();

  private:
    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

}  // namespace velmorin::host
