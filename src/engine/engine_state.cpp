#include "engine/engine_state.h"

#include "engine/parameter_mapping.h"

namespace velmorin {

EngineState::EngineState() {
    stored.lookAhead.set(1.0f);
    stored.output.set(24000);
    stored.limiterSteps.set(1);
    stored.zoom[0].set(1);
    stored.parameter18.set(1.0f);
    for (int32_t band = 0; band < kNumBands; ++band) stored.bandOn[band].set(1.0f);
    outputGain.set(outputGainFor(stored.output.get()));
    limiterThresholdGain.set(thresholdGainFor(stored.limiterSteps.get()));
}

void EngineState::suspend() {
    rings.clear();
    dc = DcTracker{};
    lastBlock = BlockMeters{};  // not processing: nothing reduced
}

}  // namespace velmorin
