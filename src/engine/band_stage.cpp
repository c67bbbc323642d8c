#include "engine/band_stage.h"

#include "engine/band_compressor.h"
#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

void runBand(int32_t band, BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
             RingCursor cursor, const SplitRun& in, int32_t count, DelayedRun& out,
             WaveExtremes& extremes) {
    const BandSettings& settings = block.band[band];
    float* const ringLeft = rings.left[band];
    float* const ringRight = rings.right[band];
    float* const ringGain = rings.gain[band];
    OneBandDynamics d = loadBand(dynamics, band);
    WaveExtremes seen = extremes;
    for (int32_t n = 0; n < count; ++n) {
        const float left = in.left(band, n), right = in.right(band, n);
        const float g = compressFrame(d, settings, block, left, right);
        const int32_t wr = cursor.write();
        ringLeft[wr] = left;
        ringRight[wr] = right;
        ringGain[wr] = g;
        if (!settings.smoothedAttack) {
            rampBackFrom(ringGain, wr == 0 ? cursor.length - 1 : wr - 1, cursor.length, g);
        }
        out.left[band][n] = ringLeft[cursor.read];
        out.right[band][n] = ringRight[cursor.read];
        out.gain[band][n] = ringGain[cursor.read];
        seen.add(left, right, g);
        cursor.advance();
    }
    storeBand(dynamics, band, d);
    extremes = seen;
}

}  // namespace

void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, const SplitRun& in, int32_t count, DelayedRun& out,
                  LaneExtremes& extremes) {
    for (int32_t band = 0; band < kNumBands; ++band) {
        runBand(band, dynamics, rings, block, cursor, in, count, out, extremes.lane[band]);
    }
}

}  // namespace velmorin
