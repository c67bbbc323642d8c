// How large the X desktop draws, as the desktop's own toolkits read it: the
// Xft.dpi resource (96 dots per inch is 1.0, 192 is 2.0), else the GDK_SCALE
// environment variable, else 1.0. The editor snaps the factor to one of its
// scales.
#pragma once

#include <string_view>

namespace platform::x11 {

class Connection;

// From the text of a resource database ("name:\tvalue" lines) and the
// variable's value (null when unset). A value that is not a positive number
// counts as missing.
double systemScaleFactor(std::string_view resourceDatabase, const char* gdkScale);

// A positive number in this variable stands for the desktop's factor in one
// process, whatever the desktop says (`velmorin edit --scale` sets it).
inline constexpr const char* kScaleVariable = "VELMORIN_SCALE";

// The same for the server `connection` reaches, whose resource database is
// the root window's RESOURCE_MANAGER property, and this process's GDK_SCALE;
// VELMORIN_SCALE before both.
double systemScaleFactor(const Connection& connection);

}  // namespace platform::x11
