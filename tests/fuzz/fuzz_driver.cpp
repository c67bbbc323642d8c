// Runs a fuzz target without libFuzzer: replays every file of the given
// corpus folders, then random inputs (some of them corpus files with bytes
// changed) until the run or time budget is spent. A finding aborts, as it
// does under libFuzzer, so CTest reports it.
//
//   fuzz-target [--runs N] [--seconds S] [--seed X] CORPUS_FOLDER...
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// What the target counts as tried: host calls, files, ...
unsigned long long fuzzWorkCount();
const char* fuzzWorkName();

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> randomInput(std::mt19937& random,
                                 const std::vector<std::vector<uint8_t>>& seeds) {
    std::vector<uint8_t> input;
    if (!seeds.empty() && random() % 2) {
        input = seeds[random() % seeds.size()];
        const size_t changes = 1 + random() % 16;
        for (size_t i = 0; i < changes && !input.empty(); ++i) {
            input[random() % input.size()] = static_cast<uint8_t>(random());
        }
        if (random() % 4 == 0) input.resize(random() % (input.size() + 1));
    } else {
        input.resize(random() % 4096);
        for (uint8_t& byte : input) byte = static_cast<uint8_t>(random());
    }
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    unsigned long long runs = 1000000;
    double seconds = 60;
    unsigned seed = 1;
    std::vector<std::filesystem::path> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--seconds" && i + 1 < argc) {
            seconds = std::strtod(argv[++i], nullptr);
        } else if (arg == "--seed" && i + 1 < argc) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else {
            folders.emplace_back(arg);
        }
    }

    std::vector<std::vector<uint8_t>> seeds;
    for (const auto& folder : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file()) seeds.push_back(readFile(entry.path()));
        }
    }
    for (const auto& input : seeds) LLVMFuzzerTestOneInput(input.data(), input.size());
    std::printf("replayed %zu corpus inputs\n", seeds.size());

    std::mt19937 random(seed);
    const auto start = std::chrono::steady_clock::now();
    unsigned long long done = 0;
    while (done < runs &&
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
               seconds) {
        const std::vector<uint8_t> input = randomInput(random, seeds);
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++done;
    }
    std::printf("%llu random inputs, %llu %s in all, no finding\n", done, fuzzWorkCount(),
                fuzzWorkName());
    return 0;
}
