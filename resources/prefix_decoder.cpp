#include <algorithm>

#include "resources/prefix_code.h"

namespace velmorin::prefix_code {

std::vector<std::uint8_t> unpack(std::span<const std::uint8_t> packed, std::size_t count,
                                 const Lengths& lengths) {
    // Canonical order: by length, then by byte. Codes of one length are
    // consecutive numbers, starting where the shorter ones left off.
    std::vector<std::uint8_t> symbols;
    std::array<std::uint32_t, kLongest + 2> perLength{};
    for (int length = 1; length <= kLongest; ++length)
        for (int byte = 0; byte < 256; ++byte)
            if (lengths[byte] == length) {
                symbols.push_back(static_cast<std::uint8_t>(byte));
                ++perLength[length];
            }
    std::array<std::uint32_t, kLongest + 2> firstCode{}, firstIndex{};
    std::uint32_t code = 0, index = 0;
    for (int length = 1; length <= kLongest; ++length) {
        firstCode[length] = code;
        firstIndex[length] = index;
        code = (code + perLength[length]) << 1;
        index += perLength[length];
    }

    std::vector<std::uint8_t> bytes;
    bytes.reserve(count);
    std::size_t bit = 0;
    const std::size_t bits = packed.size() * 8;
    while (bytes.size() < count) {
        std::uint32_t value = 0;
        int length = 0;
        for (;;) {
            if (bit >= bits || length == kLongest) return {};
            value = value << 1 | ((packed[bit / 8] >> (7 - bit % 8)) & 1u);
            ++bit, ++length;
            if (value - firstCode[length] < perLength[length]) break;
        }
        bytes.push_back(symbols[firstIndex[length] + value - firstCode[length]]);
    }
    // Only the padding of the last byte may be left over.
    return bits - bit < 8 ? bytes : std::vector<std::uint8_t>{};
}

}  // namespace velmorin::prefix_code
