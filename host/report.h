// The report printed after a render or the demo: loudness of input and output,
// the effect's latency and the processing speed.
#pragma once

#include <string>

#include "loudness.h"
#include "render.h"

namespace velmorin::host {

std::string formatReport(const AudioBuffer& input, const RenderResult& result);

}  // namespace velmorin::host
