#include "editor/readout_text.h"

#include <cstdio>

namespace velmorin {
namespace {

std::string format(const char* pattern, float number) {
    char text[16];
    std::snprintf(text, sizeof text, pattern, static_cast<double>(number));
    return text;
}

}  // namespace

std::string readoutText(Readout kind, float value, bool dimmed) {
    // Single precision throughout, as the values are stored.
    switch (kind) {
        case Readout::Output:
            return format("%2.2f", (24000.0f - value) / 1000.0f);
        case Readout::Limiter:
            return format("%2.1f", (-0.0f - value) * 0.5f);
        case Readout::Mix:
            return dimmed ? "OFF" : format("%2.1f", 12.0f - value / 10.0f);
        case Readout::Ratio:
            return format("%2.1f",
                          static_cast<float>(static_cast<int>(value * 38.0f + 2.5f)) * 0.5f) +
                   " : 1";
        case Readout::Threshold:
            return format("%2.1f", value * -0.5f);
        case Readout::None:
            break;
    }
    return {};
}

bool readoutGreysWhenDimmed(Readout kind) {
    return kind == Readout::Mix || kind == Readout::Ratio || kind == Readout::Threshold;
}

}  // namespace velmorin
