// The glyph sets of the scales above 1.0, unpacked when first drawn with.
#include <map>
#include <mutex>
#include <vector>

#include "platform/soft/glyph_set.h"
#include "resources/prefix_code.h"

namespace platform {
namespace {

struct Unpacked {
    std::vector<std::uint8_t> coverage;
    GlyphSet set;
};

}  // namespace

const GlyphSet& unpackedGlyphSet(const GlyphSet& set) {
    // Editors of several hosts' threads may open at once; a set, once
    // unpacked, is never changed or freed.
    static std::mutex mutex;
    static std::map<const GlyphSet*, Unpacked> unpacked;
    const std::lock_guard lock(mutex);
    if (const auto it = unpacked.find(&set); it != unpacked.end()) return it->second.set;
    for (const PackedCoverage& p : packedCoverage()) {
        if (p.set != &set) continue;
        Unpacked& u = unpacked[&set];
        u.coverage = velmorin::prefix_code::unpack({p.packed, p.packedSize}, p.size, *p.lengths);
        // A damaged table draws blank glyphs rather than reading beyond it.
        if (u.coverage.size() != p.size) u.coverage.assign(p.size, 0);
        u.set = set;
        u.set.coverage = u.coverage;
        return u.set;
    }
    return set;
}

}  // namespace platform
