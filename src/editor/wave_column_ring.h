// The history of trace columns behind the four wave displays, from which a
// display can be drawn again after its zoom or colours change.
#pragma once

#include <array>
#include <cstdint>

#include "editor/wave_geometry.h"

namespace velmorin {

// One column's extremes, samples scaled by 32768: the outer pair before the
// band's gain, the inner pair after it.
struct WaveColumn {
    int32_t outerTop = 0;
    int32_t outerBottom = 0;
    int32_t innerTop = 0;
    int32_t innerBottom = 0;
    friend bool operator==(const WaveColumn&, const WaveColumn&) = default;
};

// A sample in the ring's unit: truncate(sample x 32768) in single precision.
// NaN gives 0 (draws nothing); values beyond the 32-bit range saturate.
int32_t scaledExtent(float sample);

// Pixels above the centre line of a scaled value at a zoom: the product is
// taken in 32 bits with wrap-around, then divided by 1024 toward zero.
int32_t zoomedOffset(int32_t value, int32_t zoom);

// The rows of a trace line: drawn from `start` toward `end`, end excluded.
struct TraceRows {
    int start;
    int end;
    friend bool operator==(const TraceRows&, const TraceRows&) = default;
};

// Only the top is kept from rising above the display and only the bottom from
// falling below it; anything else the surface's edges clip.
TraceRows traceRows(int32_t top, int32_t bottom, int32_t zoom);

class WaveColumnRing {
  public:
    static constexpr int kColumns = kDisplayWidth;

    // The column the next tick writes, which is also the oldest one.
    int columnPos() const { return columnPos_; }

    // The ring column that surface column x (1 to 122) shows: the oldest at
    // x = 1, the newest at x = 122.
    static int ringColumnAt(int columnPos, int x);

    // A column of a display; indices outside the ring read as an empty column.
    WaveColumn at(int display, int ringColumn) const;

    // Stores a display's column at columnPos; an unknown display stores nothing.
    void write(int display, const WaveColumn& column);

    // Moves all four displays on by one column, after a tick wrote them.
    void advance();

  private:
    std::array<std::array<WaveColumn, kColumns>, kWaveDisplayCount> columns_{};
    int8_t columnPos_ = 0;
};

}  // namespace velmorin
