#include "formats/clap/clap_controls.h"

#include "formats/clap/clap_parameters.h"

namespace velmorin::clap_format {

void ClapControls::beginGesture(ParameterIndex index) {
    tell(GestureQueue::Kind::Begin, index);
}

void ClapControls::changeParameter(ParameterIndex index, float storedValue) {
    effect_.setParameter(index, storedValue);
    // The value the core kept, in the units the host knows the parameter by.
    tell(GestureQueue::Kind::Value, index, clapValueOf(index, effect_.storedValue(index)));
}

void ClapControls::endGesture(ParameterIndex index) {
    tell(GestureQueue::Kind::End, index);
}

void ClapControls::adjustParameter(ParameterIndex index, float storedValue) {
    effect_.setParameter(index, storedValue);
    // The next flush tells the host the value.
    host_.requestFlush();
}

void ClapControls::tell(GestureQueue::Kind kind, ParameterIndex index, double value) {
    gestures_.push({kind, static_cast<clap_id>(index), value});
    host_.requestFlush();
}

}  // namespace velmorin::clap_format
