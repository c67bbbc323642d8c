// Canonical prefix codes over bytes: the last stage of the code the larger
// scales' artwork is embedded in, shrinking the predicted streams by how
// often each byte occurs. The streams of one scale share a table of code
// lengths; the codes follow from the lengths alone.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmorin::prefix_code {

// Bits of each byte's code, 0 for a byte that never occurs.
using Lengths = std::array<std::uint8_t, 256>;
inline constexpr int kLongest = 30;

// Build tool side: the lengths for these streams, and one stream coded.
Lengths lengthsFor(const std::vector<std::vector<std::uint8_t>>& streams);
std::vector<std::uint8_t> pack(std::span<const std::uint8_t> bytes, const Lengths& lengths);
// Plug-in side: `count` bytes back, or none when the bits do not hold them.
std::vector<std::uint8_t> unpack(std::span<const std::uint8_t> packed, std::size_t count,
                                 const Lengths& lengths);

}  // namespace velmorin::prefix_code
