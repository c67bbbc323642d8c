// What a user asks of a plug-in before it processes: a program chosen by
// number or name, then parameter settings by name or index, in their order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hosted_plugin.h"  // the VST 2.4 instance, which callers often set up
#include "plugin_instance.h"

namespace velmorin::host {

// The effect's program names; the current program stays.
std::vector<std::string> programNames(const PluginInstance& plugin);

// CHOICE is a program number or name; throws HostError when there is none.
void selectProgram(const PluginInstance& plugin, const std::string& choice);

struct ParameterSetting {
    enum class Target { name, index };
    Target target;
    std::string text;  // NAME=VALUE or INDEX=VALUE as the user wrote it
};

struct SentValue {
    int32_t index;
    float value;
};

// Sets one parameter and answers what it sent where; NAME is the parameter's
// name without trailing blanks, VALUE what a host sends for it (VST 2.4: to
// setParameter; CLAP: the plain value).
// Throws HostError on bad input.
SentValue applySetting(const PluginInstance& plugin, const ParameterSetting& setting);

std::string withoutTrailingBlanks(std::string text);

}  // namespace velmorin::host
