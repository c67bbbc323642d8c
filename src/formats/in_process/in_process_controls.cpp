#include "formats/in_process/in_process_controls.h"

namespace velmorin {

bool InProcessControls::takeParametersChanged() {
    return effect_.engine().parametersChanged.exchange(0) != 0;
}

LaneExtremes InProcessControls::takeWaveExtremes() {
    return effect_.engine().feed.waves.take();
}

OutputSums InProcessControls::takeOutputSums() {
    return effect_.engine().feed.output.take();
}

bool InProcessControls::takeOutputRelinked() {
    return effect_.engine().outputRelinked.exchange(0) != 0;
}

float InProcessControls::outputGain() const {
    return effect_.engine().outputGain.get();
}

float InProcessControls::limiterThresholdGain() const {
    return effect_.engine().limiterThresholdGain.get();
}

}  // namespace velmorin
