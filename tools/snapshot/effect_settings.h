// Choosing a program and setting parameters by the names a host shows for
// them, as a command line asks.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmorin::snapshot {

// A factory program by number (0 to 17) or by name in any case. Throws
// std::invalid_argument naming what matched nothing.
int32_t findProgram(std::string_view numberOrName);

struct Setting {
    int32_t parameter;
    float value;  // as a host sends it
};

// "NAME=VALUE": a parameter by its listed name, in any case and without the
// padding blanks, and a number. Throws std::invalid_argument when either is
// wrong.
Setting parseSetting(std::string_view text);

}  // namespace velmorin::snapshot
