// The bundle's descriptions, written from the parameter table and the
// program bank so that they cannot drift from the code.
#pragma once

#include <cstdint>
#include <string>

namespace velmorin::lv2 {

// binary, uiBinary: the plug-in's and the UI's module file names inside the
// bundle.
std::string manifestTurtle(const std::string& binary, const std::string& uiBinary);
std::string pluginTurtle();
// One factory program as a preset, with the values its selection stores.
std::string presetTurtle(int32_t program);
std::string presetFileName(int32_t program);

}  // namespace velmorin::lv2
