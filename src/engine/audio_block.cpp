#include "engine/audio_block.h"

#include <algorithm>

#include "engine/band_split.h"
#include "engine/band_stage.h"
#include "engine/state_recovery.h"

namespace velmorin {

AudioBlock::AudioBlock(EngineState& engine, float sampleRate)
    : engine_(engine),
      values_(computeBlockValues(engine, sampleRate)),
      outputGainAtStart_(engine.outputGain.get()),
      work_{engine.limiter, outputGainAtStart_},
      pos_(engine.rings.pos % values_.ringLength),
      extremes_(LaneExtremes{}) {}

void AudioBlock::copyThrough(float** inputs, float** outputs, int32_t frames) {
    for (int32_t channel = 0; channel < 2; ++channel) {
        for (int32_t n = 0; n < frames; ++n) outputs[channel][n] = inputs[channel][n];
    }
}

void AudioBlock::runFrames(float** inputs, float** outputs, int32_t frames) {
    for (int32_t start = 0; start < frames; start += kRunFrames) {
        runStages(inputs, outputs, start, std::min(kRunFrames, frames - start));
    }
}

// Every input of the run is read before any output is written (in-place hosts).
void AudioBlock::runStages(float** inputs, float** outputs, int32_t start, int32_t count) {
    EngineState& e = engine_;
    const RingCursor cursor{pos_, values_.ringLength};
    splitIntoBands(values_, e.dc, e.crossover, inputs[0] + start, inputs[1] + start, count,
                   run_.lanes);
    runBandStage(e.bands, e.rings, values_, cursor, run_.lanes, count, run_.delayed);
    runMasterStage(e.rings, work_, values_, e.noise, cursor, run_.delayed, count,
                   outputs[0] + start, outputs[1] + start, run_.lanes, sums_);
    extremes_.add(run_.lanes, count);
    pos_ = (pos_ + count) % values_.ringLength;
    lastRunCount_ = count;
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
    LaneExtremes extremes;
    extremes_.store(extremes);
    engine_.feed.waves.publish(extremes);
    BlockMeters& meters = engine_.lastBlock;
    meters.extremes = extremes;
    if (lastRunCount_ > 0) {
        const float* const gains = run_.lanes.gain[lastRunCount_ - 1];
        for (int32_t lane = 0; lane < kNumLanes; ++lane) meters.lastGain[lane] = gains[lane];
    }
    engine_.feed.output.publish(sums_);
    engine_.rings.pos = pos_;
}

void processBlock(EngineState& engine, float sampleRate, float** inputs, float** outputs,
                  int32_t frames) {
    AudioBlock block(engine, sampleRate);
    if (block.bypassed()) {
        AudioBlock::copyThrough(inputs, outputs, frames);
        engine.lastBlock = BlockMeters{};  // bypassed: nothing reduced, as the editor shows it
        return;
    }
    block.runFrames(inputs, outputs, frames);
    block.finish();
}

}  // namespace velmorin
