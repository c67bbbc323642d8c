// The host's file reader on any bytes: a file it cannot use must end in a
// HostError naming the reason, never in a crash, a hang or a huge allocation.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "audio_file.h"
#include "host_error.h"

namespace {

unsigned long long filesTried = 0;

std::filesystem::path scratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("velmorin-fuzz-input-" + std::to_string(getpid()) + ".wav");
    return path;
}

}  // namespace

unsigned long long fuzzWorkCount() {
    return filesTried;
}
const char* fuzzWorkName() {
    return "files read";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ++filesTried;
    const std::filesystem::path path = scratchFile();
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        const velmorin::host::AudioBuffer audio = velmorin::host::readAudioFile(path);
        // What the reader accepts, a render can use.
        if (audio.frames() == 0 || audio.sampleRate <= 0 || audio.left.size() != audio.right.size())
            std::abort();
    } catch (const velmorin::host::HostError&) {
    }
    std::filesystem::remove(path);
    return 0;
}
