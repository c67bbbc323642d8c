#include "plugin_setup.h"

#include <charconv>
#include <cmath>

#include "host_error.h"

namespace velmorin::host {

namespace {

bool parseInteger(const std::string& text, int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

float parseValue(const std::string& text, const std::string& option) {
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        throw HostError(option, "value '" + text + "' is not a number");
    }
    return value;
}

int32_t findParameter(const PluginInstance& plugin, const ParameterSetting& setting,
                      const std::string& target, const std::string& option) {
    const int32_t count = plugin.parameterCount();
    if (setting.target == ParameterSetting::Target::index) {
        int32_t index = -1;
        if (!parseInteger(target, index)) {
            throw HostError(option, "parameter index '" + target + "' is not a whole number");
        }
        if (index < 0 || index >= count) {
            throw HostError(option, "no parameter " + target + " (the plug-in has " +
                                        std::to_string(count) + ", numbered from 0)");
        }
        return index;
    }
    for (int32_t index = 0; index < count; ++index) {
        if (withoutTrailingBlanks(plugin.parameterName(index)) == target) return index;
    }
    throw HostError(option, "no parameter named '" + target + "'");
}

}  // namespace

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::vector<std::string> programNames(const PluginInstance& plugin) {
    return plugin.programNames();
}

void selectProgram(const PluginInstance& plugin, const std::string& choice) {
    const std::string option = "--program " + choice;
    const int32_t count = plugin.programCount();
    int32_t program = -1;
    if (parseInteger(choice, program)) {
        if (program < 0 || program >= count) {
            throw HostError(option, "no program " + choice + " (the plug-in has " +
                                        std::to_string(count) + ", numbered from 0)");
        }
        plugin.selectProgram(program);
        return;
    }
    const std::vector<std::string> names = programNames(plugin);
    for (program = 0; program < count; ++program) {
        if (withoutTrailingBlanks(names[program]) == choice) {
            plugin.selectProgram(program);
            return;
        }
    }
    throw HostError(option, "no program named '" + choice + "'");
}

SentValue applySetting(const PluginInstance& plugin, const ParameterSetting& setting) {
    const bool byName = setting.target == ParameterSetting::Target::name;
    const std::string option = (byName ? "--set " : "--param ") + setting.text;
    const std::size_t equals = setting.text.rfind('=');
    if (equals == std::string::npos) {
        throw HostError(option, byName ? "expected NAME=VALUE" : "expected INDEX=VALUE");
    }
    const std::string target = setting.text.substr(0, equals);
    const int32_t index = findParameter(plugin, setting, target, option);
    const float value = parseValue(setting.text.substr(equals + 1), option);
    plugin.setParameter(index, value);
    return {index, value};
}

}  // namespace velmorin::host
