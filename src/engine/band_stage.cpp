#include "engine/band_stage.h"

#include "engine/band_compressor.h"
#include "engine/look_ahead_ramp.h"

namespace velmorin {
namespace {

// One band's working copy during a run.
class BandLane {
  public:
    BandLane(int32_t band, const BandDynamics& dynamics, LookAheadRings& rings,
             const BlockValues& block, const WaveExtremes& extremes)
        : band_(band),
          settings_(block.band[band]),
          ringLeft_(rings.left[band]),
          ringRight_(rings.right[band]),
          ringGain_(rings.gain[band]),
          dynamics_(loadBand(dynamics, band)),
          seen_(extremes) {}

    // Inlined into the frame loop, so the lanes stay in registers.
    [[gnu::always_inline]] void runFrame(const BlockValues& block, RingCursor cursor,
                                         const SplitRun& in, int32_t n, DelayedRun& out) {
        const float left = in.left(band_, n), right = in.right(band_, n);
        const float g = compressFrame(dynamics_, settings_, block, left, right);
        const int32_t wr = cursor.write();
        ringLeft_[wr] = left;
        ringRight_[wr] = right;
        ringGain_[wr] = g;
        if (!settings_.smoothedAttack) {
            rampBackFrom(ringGain_, wr == 0 ? cursor.length - 1 : wr - 1, cursor.length, g);
        }
        out.left[band_][n] = ringLeft_[cursor.read];
        out.right[band_][n] = ringRight_[cursor.read];
        out.gain[band_][n] = ringGain_[cursor.read];
        seen_.add(left, right, g);
    }

    void store(BandDynamics& dynamics, WaveExtremes& extremes) const {
        storeBand(dynamics, band_, dynamics_);
        extremes = seen_;
    }

  private:
    const int32_t band_;
    const BandSettings& settings_;
    float* const ringLeft_;
    float* const ringRight_;
    float* const ringGain_;
    OneBandDynamics dynamics_;
    WaveExtremes seen_;
};

}  // namespace

void runBandStage(BandDynamics& dynamics, LookAheadRings& rings, const BlockValues& block,
                  RingCursor cursor, const SplitRun& in, int32_t count, DelayedRun& out,
                  LaneExtremes& extremes) {
    // Frame by frame with the three bands side by side: their recursions are
    // independent, so the processor overlaps them.
    BandLane high(0, dynamics, rings, block, extremes.lane[0]);
    BandLane mid(1, dynamics, rings, block, extremes.lane[1]);
    BandLane low(2, dynamics, rings, block, extremes.lane[2]);
    for (int32_t n = 0; n < count; ++n) {
        high.runFrame(block, cursor, in, n, out);
        mid.runFrame(block, cursor, in, n, out);
        low.runFrame(block, cursor, in, n, out);
        cursor.advance();
    }
    high.store(dynamics, extremes.lane[0]);
    mid.store(dynamics, extremes.lane[1]);
    low.store(dynamics, extremes.lane[2]);
}

}  // namespace velmorin
