#include <algorithm>
#include <functional>
#include <queue>
#include <stdexcept>

#include "resources/prefix_code.h"

namespace velmorin::prefix_code {
namespace {

// The code of each byte, numbered as the decoder numbers them.
std::array<std::uint32_t, 256> codesOf(const Lengths& lengths) {
    std::array<std::uint32_t, 256> codes{};
    std::uint32_t code = 0;
    for (int length = 1; length <= kLongest; ++length) {
        for (int byte = 0; byte < 256; ++byte)
            if (lengths[byte] == length) codes[byte] = code++;
        code <<= 1;
    }
    return codes;
}

}  // namespace

Lengths lengthsFor(const std::vector<std::vector<std::uint8_t>>& streams) {
    std::array<std::uint64_t, 256> counts{};
    for (const auto& stream : streams)
        for (std::uint8_t byte : stream) ++counts[byte];
    // Huffman's merging of the two rarest; each node keeps its bytes' depths.
    struct Node {
        std::uint64_t weight;
        std::vector<int> bytes;
    };
    const auto rarer = [](const Node& a, const Node& b) { return a.weight > b.weight; };
    std::priority_queue<Node, std::vector<Node>, decltype(rarer)> queue(rarer);
    for (int byte = 0; byte < 256; ++byte)
        if (counts[byte] > 0) queue.push({counts[byte], {byte}});
    Lengths lengths{};
    if (queue.size() == 1) lengths[queue.top().bytes.front()] = 1;
    while (queue.size() > 1) {
        Node a = queue.top();
        queue.pop();
        Node b = queue.top();
        queue.pop();
        for (int byte : a.bytes) ++lengths[byte];
        for (int byte : b.bytes) ++lengths[byte];
        a.bytes.insert(a.bytes.end(), b.bytes.begin(), b.bytes.end());
        queue.push({a.weight + b.weight, std::move(a.bytes)});
    }
    if (*std::max_element(lengths.begin(), lengths.end()) > kLongest)
        throw std::length_error("a prefix code longer than the decoder reads");
    return lengths;
}

std::vector<std::uint8_t> pack(std::span<const std::uint8_t> bytes, const Lengths& lengths) {
    const std::array<std::uint32_t, 256> codes = codesOf(lengths);
    std::vector<std::uint8_t> packed;
    int used = 8;  // bits of the last byte filled
    for (std::uint8_t byte : bytes) {
        for (int i = lengths[byte] - 1; i >= 0; --i) {
            if (used == 8) packed.push_back(0), used = 0;
            packed.back() |= static_cast<std::uint8_t>(((codes[byte] >> i) & 1u) << (7 - used));
            ++used;
        }
    }
    return packed;
}

}  // namespace velmorin::prefix_code
