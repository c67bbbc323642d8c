#include "formats/lv2/port_values.h"

#include <algorithm>
#include <cmath>

#include "formats/lv2/lv2_identity.h"
#include "params/parameter_table.h"

namespace velmorin::lv2 {

int32_t normalizeTargetOfPort(float value) {
    const float inRange = std::clamp(finiteHostValue(value), 0.0f, kNumNormalizeTargets - 1.0f);
    return static_cast<int32_t>(std::lround(inRange));
}

int32_t dcRemovalOfPort(float value) {
    return value != 0.0f && !std::isnan(value) ? 1 : 0;
}

}  // namespace velmorin::lv2
