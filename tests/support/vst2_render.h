// What every format's render tests compare with: the VST 2.4 build's output
// for the same material, bit for bit.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "dense_mix.h"
#include "support/loaded_plugin.h"

inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// `in` through the VST 2.4 build in blocks of `block` frames.
inline StereoSignal renderVst2(const Plugin& plugin, const StereoSignal& in, size_t block) {
    StereoSignal out{std::vector<float>(in.left.size()), std::vector<float>(in.left.size())};
    for (size_t at = 0; at < in.left.size(); at += block) {
        const auto frames = static_cast<int32_t>(std::min(block, in.left.size() - at));
        plugin.process(const_cast<float*>(&in.left[at]), const_cast<float*>(&in.right[at]),
                       &out.left[at], &out.right[at], frames);
    }
    return out;
}
