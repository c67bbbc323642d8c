// Build tool: writes the bundle's Turtle files into a folder.
//   make_lv2_bundle BUNDLE_DIR BINARY_FILE_NAME UI_BINARY_FILE_NAME
#include <cstdio>
#include <fstream>
#include <string>

#include "formats/lv2/bundle_turtle.h"
#include "params/program_bank.h"

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (out) return true;
    std::fprintf(stderr, "make_lv2_bundle: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: make_lv2_bundle BUNDLE_DIR BINARY_FILE_NAME UI_BINARY_FILE_NAME\n");
        return 2;
    }
    const std::string bundle = argv[1];
    bool written =
        writeFile(bundle + "/manifest.ttl", velmorin::lv2::manifestTurtle(argv[2], argv[3])) &&
        writeFile(bundle + "/velmorin.ttl", velmorin::lv2::pluginTurtle());
    for (int32_t program = 0; written && program < velmorin::kNumPrograms; ++program) {
        written = writeFile(bundle + "/" + velmorin::lv2::presetFileName(program),
                            velmorin::lv2::presetTurtle(program));
    }
    return written ? 0 : 1;
}
