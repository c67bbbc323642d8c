#include "live_state_file.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "host_error.h"
#include "output_file.h"
#include "platform/config_folder.h"

namespace velmorin::host {

namespace {

constexpr const char* kFirstLine = "velmorin live state 1";
// Far above any plug-in's settings; a larger file is not one of ours.
constexpr std::uintmax_t kMaxFileSize = 64u << 20;

uint64_t checksum(const std::vector<uint8_t>& bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (const uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

std::string hex(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

// "NAME VALUE" lines up to a blank one.
std::string field(std::istream& in, const std::string& name) {
    std::string line;
    if (!std::getline(in, line) || line.rfind(name + " ", 0) != 0)
        throw std::runtime_error("its header has no " + name);
    return line.substr(name.size() + 1);
}

}  // namespace

std::filesystem::path defaultLiveStatePath() {
    const std::filesystem::path folder = platform::configFolder();
    return folder.empty() ? folder : folder / "live-state";
}

std::string liveStateOwner(const std::string& name, const std::filesystem::path& library) {
    return name + " (" + library.filename().string() + ")";
}

std::optional<std::vector<uint8_t>> readLiveState(const std::filesystem::path& path,
                                                  const std::string& owner) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    const std::string what = "state file " + path.string();
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) throw HostError(what, "cannot be read: " + ec.message());
    if (size > kMaxFileSize) throw HostError(what, "is far too large for a state file");
    std::ifstream file(path, std::ios::binary);
    if (!file) throw HostError(what, "cannot be opened");
    std::stringstream in;
    in << file.rdbuf();
    try {
        std::string line;
        if (!std::getline(in, line) || line != kFirstLine)
            throw std::runtime_error("it is not a velmorin live state file");
        const std::string holder = field(in, "plugin");
        if (holder != owner)
            throw std::runtime_error("it holds the settings of " + holder + ", not of " + owner);
        const std::string bytes = field(in, "bytes");
        const std::string sum = field(in, "fnv1a64");
        if (!std::getline(in, line) || !line.empty())
            throw std::runtime_error("its header does not end");
        const std::vector<uint8_t> state{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
        if (std::to_string(state.size()) != bytes)
            throw std::runtime_error("it holds " + std::to_string(state.size()) +
                                     " bytes of settings where its header says " + bytes);
        if (hex(checksum(state)) != sum)
            throw std::runtime_error("its settings do not match their checksum");
        return state;
    } catch (const std::runtime_error& error) {
        throw HostError(what, std::string("is damaged: ") + error.what());
    }
}

void writeLiveState(const std::filesystem::path& path, const std::string& owner,
                    const std::vector<uint8_t>& state) {
    const std::string what = "state file " + path.string();
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) throw HostError(what, "cannot create its folder: " + ec.message());
    PendingOutput output(path);
    {
        std::ofstream out(output.temporary(), std::ios::binary);
        out << kFirstLine << "\nplugin " << owner << "\nbytes " << state.size() << "\nfnv1a64 "
            << hex(checksum(state)) << "\n\n";
        out.write(reinterpret_cast<const char*>(state.data()),
                  static_cast<std::streamsize>(state.size()));
        out.close();
        if (!out) throw HostError(what, "cannot be written (" + output.folderWhat() + ")");
    }
    output.commit();
}

}  // namespace velmorin::host
