// A VST 2.4 effect's settings as the format keeps them in a bank file: every
// program's name and parameter values with the current program (FxBk), or
// the effect's own bank chunk when it keeps its settings that way (FBCh).
#pragma once

#include <cstdint>
#include <vector>

#include "hosted_plugin.h"

namespace velmorin::host {

std::vector<uint8_t> saveVst2Bank(const HostedPlugin& plugin);
// Throws HostError saying what is wrong: another effect's bank, another
// number of programs or parameters, values out of range, a short file.
void loadVst2Bank(const HostedPlugin& plugin, const std::vector<uint8_t>& bank);

}  // namespace velmorin::host
