#include "editor/readout_text.h"

#include "params/parameter_text.h"

namespace velmorin {

std::string readoutText(Readout kind, float value, bool dimmed) {
    switch (kind) {
        case Readout::Output:
            return standaloneText(ParameterKind::Output, value);
        case Readout::Limiter:
        case Readout::Threshold:
            return standaloneText(ParameterKind::Threshold, value);
        case Readout::Mix:
            return dimmed ? "OFF" : standaloneText(ParameterKind::Mix, value);
        case Readout::Ratio:
            // The ratio the parameter stores for the value, not the value.
            return standaloneText(ParameterKind::Ratio, quantizedRatio(value));
        case Readout::None:
            break;
    }
    return {};
}

bool readoutGreysWhenDimmed(Readout kind) {
    return kind == Readout::Mix || kind == Readout::Ratio || kind == Readout::Threshold;
}

}  // namespace velmorin
