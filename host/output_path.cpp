#include "output_path.h"

#include <system_error>

#include "host_error.h"

namespace velmorin::host {

void checkOutputPath(const std::filesystem::path& path, const std::string& what,
                     const std::filesystem::path& toBeMade) {
    std::error_code ec;
    if (path.empty()) throw HostError(what, "no file name");
    if (std::filesystem::is_directory(path, ec))
        throw HostError(what + " " + path.string(), "is a folder");
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    if (!std::filesystem::is_directory(folder, ec) &&
        !(!toBeMade.empty() && sameFile(folder, toBeMade))) {
        throw HostError(what + " " + path.string(), "no folder " + folder.string());
    }
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA, ecB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ecA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ecB);
    return !ecA && !ecB && canonicalA == canonicalB;
}

}  // namespace velmorin::host
