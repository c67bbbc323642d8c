// The eight values the display preferences are stored as, in the order they
// are written, each with the record field it holds. Every store reads its
// names from here, so no two stores can disagree on a name or an order.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>
#include <variant>

#include "platform/preference_store.h"

namespace platform {

using WordField = std::int32_t PreferenceRecord::*;
using ColourTableField = PreferenceRecord::ColourTable PreferenceRecord::*;

struct PreferenceValue {
    const char* name;
    std::variant<WordField, ColourTableField> field;
};

inline constexpr std::array<PreferenceValue, 8> kPreferenceValues{{
    {"subAN", &PreferenceRecord::normalizeTarget},
    {"subPH", &PreferenceRecord::peakHold},
    {"subCO", &PreferenceRecord::colourScheme},
    {"subCR", &PreferenceRecord::waveColours},
    {"subWZ", &PreferenceRecord::zoomRange},
    {"subDS", &PreferenceRecord::displaySpeed},
    {"subDC", &PreferenceRecord::dcRemoval},
    {"subSZ", &PreferenceRecord::editorScale},
}};

// One integer, stored as a 32-bit word; else the colour table.
constexpr bool isWord(const PreferenceValue& value) {
    return std::holds_alternative<WordField>(value.field);
}

// The integers a value holds in RECORD: one for a word, 36 for the colour
// table. RECORD is a PreferenceRecord, const or not.
template <typename Record>
auto integersOf(const PreferenceValue& value, Record& record) {
    using Integer = std::conditional_t<std::is_const_v<Record>, const std::int32_t, std::int32_t>;
    return std::visit(
        [&record](auto field) {
            auto& held = record.*field;
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(held)>, std::int32_t>)
                return std::span<Integer>(&held, 1);
            else
                return std::span<Integer>(held);
        },
        value.field);
}

}  // namespace platform
