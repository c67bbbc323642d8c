// The bitmaps of a scale above 1.0, decoded when first asked for. Nothing
// here reaches the 1.0 table, so a module that takes 1.0 from elsewhere (the
// Windows resources) links without it.
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "resources/embedded_bitmaps.h"
#include "resources/encoded_bitmaps.h"
#include "resources/pixel_codec.h"
#include "resources/prefix_code.h"

namespace velmorin {
namespace {

struct Decoded {
    std::vector<platform::Colour> pixels;
    platform::BitmapImage image;
};

// Editors of several hosts' threads may open at once; the bitmaps, once
// decoded, are never changed or freed, so a found one needs no lock.
const std::map<int, Decoded>& decodedAt(platform::Scale scale) {
    static std::mutex mutex;
    static std::map<int, std::map<int, Decoded>> byScale;
    const std::lock_guard lock(mutex);
    const auto [found, fresh] = byScale.try_emplace(scale.quarters());
    if (fresh) {
        for (const EncodedBitmap& e : encodedBitmaps()) {
            if (e.quarters != scale.quarters()) continue;
            std::vector<platform::Colour> pixels = decodeBitmap(e);
            if (pixels.empty()) continue;  // a damaged stream: the bitmap is missing
            Decoded& d = found->second[e.id];
            d.pixels = std::move(pixels);
            d.image = {e.id, e.width, e.height, d.pixels};
        }
    }
    return found->second;
}

}  // namespace

std::vector<platform::Colour> decodeBitmap(const EncodedBitmap& bitmap) {
    const std::vector<std::uint8_t> stream =
        prefix_code::unpack({bitmap.packed, bitmap.packedSize}, bitmap.streamSize, *bitmap.lengths);
    return pixel_codec::decode(stream, bitmap.width, bitmap.height);
}

const platform::BitmapImage* findDecodedBitmap(int id, platform::Scale scale) {
    const std::map<int, Decoded>& bitmaps = decodedAt(scale);
    const auto it = bitmaps.find(id);
    return it == bitmaps.end() ? nullptr : &it->second.image;
}

platform::BitmapLookup decodedBitmapsAt(platform::Scale scale) {
    return [scale](int id) { return findDecodedBitmap(id, scale); };
}

}  // namespace velmorin
