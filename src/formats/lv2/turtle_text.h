// Pieces of Turtle text the bundle's descriptions are written with.
#pragma once

#include <string>
#include <string_view>

namespace velmorin::lv2 {

// A string literal, quoted and escaped.
std::string quoted(std::string_view text);
// A decimal literal that reads back as exactly this float.
std::string decimal(float value);

}  // namespace velmorin::lv2
