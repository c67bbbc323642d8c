// What the two settings' LV2 control ports carry; the parameters' ports carry
// their shown values (params/shown_value.h).
#pragma once

#include <cstdint>

namespace velmorin::lv2 {

// The settings' port values as the editor's menu would set them: a normalize
// target 0 to 3, DC removal 0 or 1, whatever float a host writes.
int32_t normalizeTargetOfPort(float value);
int32_t dcRemovalOfPort(float value);

}  // namespace velmorin::lv2
