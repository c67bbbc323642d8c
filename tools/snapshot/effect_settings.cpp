#include "snapshot/effect_settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <stdexcept>
#include <string>

#include "params/parameter_table.h"
#include "params/program_bank.h"

namespace velmorin::snapshot {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(trimmed(a), trimmed(b), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

template <typename Number>
bool parseWhole(std::string_view text, Number& number) {
    text = trimmed(text);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

int32_t findProgram(std::string_view numberOrName) {
    int32_t number = -1;
    if (parseWhole(numberOrName, number)) {
        if (ProgramBank::isProgramIndex(number)) return number;
        throw std::invalid_argument("no program number " + std::string(numberOrName));
    }
    // The factory names, read from a bank of their own so the effect being
    // pictured is only ever set to the program chosen.
    const ProgramBank bank;
    for (int32_t program = 0; program < kNumPrograms; ++program)
        if (sameName(bank[program].name, numberOrName)) return program;
    throw std::invalid_argument("no program named \"" + std::string(numberOrName) + "\"");
}

Setting parseSetting(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        throw std::invalid_argument("\"" + std::string(text) + "\" is not NAME=VALUE");
    const std::string_view name = text.substr(0, equals);
    Setting setting{-1, 0.0f};
    for (int32_t index = 0; index < kNumParameters && setting.parameter < 0; ++index) {
        char listed[kParameterTextSize] = {};
        getParameterNameText(index, listed);
        if (sameName(listed, name)) setting.parameter = index;
    }
    if (setting.parameter < 0)
        throw std::invalid_argument("no parameter named \"" + std::string(trimmed(name)) + "\"");
    if (!parseWhole(text.substr(equals + 1), setting.value))
        throw std::invalid_argument("\"" + std::string(text.substr(equals + 1)) +
                                    "\" is not a number");
    return setting;
}

}  // namespace velmorin::snapshot
