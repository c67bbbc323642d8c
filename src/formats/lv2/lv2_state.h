// What the ports do not hold, kept through the host's State interface: the
// program last chosen and its name.
#pragma once

#include <lv2/state/state.h>

namespace velmorin::lv2 {

extern const LV2_State_Interface kStateInterface;

}  // namespace velmorin::lv2
