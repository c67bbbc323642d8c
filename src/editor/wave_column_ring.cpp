#include "editor/wave_column_ring.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmorin {

int32_t scaledExtent(float sample) {
    const float scaled = sample * 32768.0f;
    if (std::isnan(scaled)) return 0;
    // 2^31 is exact in single precision; anything at or beyond it would make
    // the conversion undefined.
    constexpr float kLimit = 2147483648.0f;
    if (scaled >= kLimit) return std::numeric_limits<int32_t>::max();
    if (scaled < -kLimit) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(scaled);
}

int32_t zoomedOffset(int32_t value, int32_t zoom) {
    // Unsigned multiplication wraps exactly like the 32-bit product it stands
    // for, where signed overflow would be undefined.
    const auto product =
        static_cast<int32_t>(static_cast<uint32_t>(value) * static_cast<uint32_t>(zoom));
    return product / 1024;
}

TraceRows traceRows(int32_t top, int32_t bottom, int32_t zoom) {
    const int32_t up = std::min(zoomedOffset(top, zoom), kTraceCentreRow);
    const int32_t down = std::max(zoomedOffset(bottom, zoom), -kTraceCentreRow);
    return {kTraceCentreRow - up, kTraceCentreRow - down};
}

int WaveColumnRing::ringColumnAt(int columnPos, int x) {
    return (columnPos + x - 1) % kColumns;
}

WaveColumn WaveColumnRing::at(int display, int ringColumn) const {
    if (display < 0 || display >= kWaveDisplayCount || ringColumn < 0 || ringColumn >= kColumns)
        return {};
    return columns_[display][ringColumn];
}

void WaveColumnRing::write(int display, const WaveColumn& column) {
    if (display < 0 || display >= kWaveDisplayCount) return;
    columns_[display][columnPos_] = column;
}

void WaveColumnRing::advance() {
    columnPos_ = static_cast<int8_t>((columnPos_ + 1) % kColumns);
}

}  // namespace velmorin
