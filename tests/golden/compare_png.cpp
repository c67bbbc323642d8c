// compare_png EXPECTED.png ACTUAL.png: exit 0 when both hold the same pixels,
// otherwise 1 with the number of differing pixels and the first of them.
#include <cstdio>
#include <exception>

#include "snapshot/png_file.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: compare_png EXPECTED.png ACTUAL.png\n");
        return 2;
    }
    try {
        const auto expected = velmorin::snapshot::readPng(argv[1]);
        const auto actual = velmorin::snapshot::readPng(argv[2]);
        if (expected.width != actual.width || expected.height != actual.height) {
            std::fprintf(stderr, "size %d x %d, expected %d x %d\n", actual.width, actual.height,
                         expected.width, expected.height);
            return 1;
        }
        long differing = 0;
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                if (expected.at(x, y) == actual.at(x, y)) continue;
                if (differing++ == 0)
                    std::fprintf(stderr, "first difference at %d,%d: 0x%06x, expected 0x%06x\n", x,
                                 y, actual.at(x, y), expected.at(x, y));
            }
        }
        if (differing == 0) return 0;
        std::fprintf(stderr, "%ld pixels differ from %s\n", differing, argv[1]);
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "compare_png: %s\n", error.what());
        return 2;
    }
}
