#include "engine/audio_block.h"

#include "engine/band_compressor.h"
#include "engine/crossover.h"
#include "engine/dc_remover.h"
#include "engine/look_ahead_ramp.h"
#include "engine/state_recovery.h"

namespace velmorin {

AudioBlock::AudioBlock(EngineState& engine, float sampleRate)
    : engine_(engine),
      values_(computeBlockValues(engine, sampleRate)),
      outputGainAtStart_(engine.outputGain.get()),
      work_{engine.limiter, outputGainAtStart_},
      pos_(engine.rings.pos % values_.ringLength) {}

void AudioBlock::copyThrough(float** inputs, float** outputs, int32_t frames) {
    for (int32_t channel = 0; channel < 2; ++channel) {
        for (int32_t n = 0; n < frames; ++n) outputs[channel][n] = inputs[channel][n];
    }
}

void AudioBlock::runFrames(float** inputs, float** outputs, int32_t frames) {
    for (int32_t n = 0; n < frames; ++n) {
        // Both inputs are read before either output is written (in-place hosts).
        const float left = inputs[0][n];
        const float right = inputs[1][n];
        runFrame(left, right, outputs[0][n], outputs[1][n]);
    }
}

void AudioBlock::runFrame(float left, float right, float& outLeft, float& outRight) {
    EngineState& e = engine_;
    const int32_t length = values_.ringLength;
    float x[2] = {left, right};
    if (values_.dcRemoval) {
        for (int32_t ch = 0; ch < 2; ++ch) x[ch] = removeDc(x[ch], e.dc.level[ch], e.dc.slope[ch]);
    }
    const int32_t wr = (pos_ + length - 1) % length;

    float y[kNumBands][2];
    for (int32_t band = 0; band < kNumBands; ++band) {
        const bool on = values_.band[band].enabled;
        for (int32_t ch = 0; ch < 2; ++ch) {
            // A disabled band keeps a silent history, so it restarts cleanly.
            y[band][ch] = on ? filterBand(values_.crossover, values_.crossover.band[band],
                                          e.crossover, band, ch, x[ch])
                             : 0.0f;
        }
    }

    for (int32_t band = 0; band < kNumBands; ++band) {
        const BandSettings& settings = values_.band[band];
        const float g = compressBand(e.bands, band, settings, values_, y[band][0], y[band][1]);
        e.rings.left[band][wr] = y[band][0];
        e.rings.right[band][wr] = y[band][1];
        e.rings.gain[band][wr] = g;
        if (!settings.smoothedAttack) rampBack(e.rings.gain[band], pos_, length, g);
        extremes_.lane[band].add(y[band][0], y[band][1], g);
    }

    const MasterFrame m = runMasterStage(e.rings, work_, values_, e.noise, pos_, wr);
    extremes_.lane[kMasterLane].add(m.sumLeft, m.sumRight, m.limiterGain);
    outLeft = m.outLeft;
    outRight = m.outRight;
    sums_.sumSqLeft = sums_.sumSqLeft + m.outLeft * m.outLeft;
    sums_.sumSqRight = sums_.sumSqRight + m.outRight * m.outRight;
    sums_.sampleCount = sums_.sampleCount + 1;

    pos_ = (pos_ + 1) % length;
    shiftCrossoverHistory(e.crossover, x, y);
}

void AudioBlock::writeBack() {
    LimiterDynamics& limiter = engine_.limiter;
    limiter.step = work_.limiter.step;
    limiter.gain = work_.limiter.gain;
    // A release whose step has faded out restarts from a fixed rate.
    limiter.releaseRate = work_.limiter.step < 1e-6f ? 1e-4f : work_.limiter.releaseRate;

    // A gain the normalizer arrived at must not overwrite one that a parameter
    // change set meanwhile: only replace the value this block started from.
    const float outputGain = recoveredOutputGain(work_.outputGain, engine_.stored.output.get());
    if (engine_.outputLinkPending.exchange(0) == 0) {
        engine_.outputGain.replaceIf(outputGainAtStart_, outputGain);
    }
}

void AudioBlock::finish() {
    writeBack();
    recoverNonFiniteState(engine_);
    engine_.feed.waves.publish(extremes_);
    engine_.feed.output.publish(sums_);
    engine_.rings.pos = pos_;
}

void processBlock(EngineState& engine, float sampleRate, float** inputs, float** outputs,
                  int32_t frames) {
    AudioBlock block(engine, sampleRate);
    if (block.bypassed()) {
        AudioBlock::copyThrough(inputs, outputs, frames);
        return;
    }
    block.runFrames(inputs, outputs, frames);
    block.finish();
}

}  // namespace velmorin
