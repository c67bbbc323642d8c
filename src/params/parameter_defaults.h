// The value each parameter starts with, for format descriptions: what the
// program every effect opens with (program 0) leaves stored once replayed.
#pragma once

#include <cstdint>

namespace velmorin {

// In stored units; 0 for indices outside the table.
float defaultStoredValue(int32_t index);

}  // namespace velmorin
