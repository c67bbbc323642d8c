#include "output_file.h"

#include <system_error>

#include "host_error.h"
#include "interruption.h"

namespace velmorin::host {

PendingOutput::PendingOutput(const std::filesystem::path& destination) : destination_(destination) {
    // A hidden name in the same folder, so the rename stays on one file system.
    temporary_ = destination_;
    temporary_.replace_filename("." + destination_.filename().string() + ".partial");
    setPendingFile(temporary_);
}

PendingOutput::~PendingOutput() {
    clearPendingFile();
    if (committed_) return;
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

std::string PendingOutput::folderWhat() const {
    const std::filesystem::path folder = destination_.parent_path();
    return "output folder " + (folder.empty() ? std::string(".") : folder.string());
}

void PendingOutput::commit() {
    std::error_code ec;
    std::filesystem::rename(temporary_, destination_, ec);
    if (ec) throw HostError("output " + destination_.string(), "cannot rename: " + ec.message());
    committed_ = true;
}

}  // namespace velmorin::host
