#include "formats/vst3/vst3_identity.h"

#include <cstdio>

namespace velmorin::vst3 {

#define VELMORIN_CLASS(w) SMTG_INLINE_UID(w[0], w[1], w[2], w[3])
const Steinberg_TUID kProcessorClass = VELMORIN_CLASS(kProcessorWords);
const Steinberg_TUID kControllerClass = VELMORIN_CLASS(kControllerWords);
#undef VELMORIN_CLASS

std::string classIdText(const ClassWords& words) {
    char text[33];
    std::snprintf(text, sizeof text, "%08X%08X%08X%08X", words[0], words[1], words[2], words[3]);
    return text;
}

}  // namespace velmorin::vst3
