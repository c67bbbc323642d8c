#include "formats/vst3/vst3_controls.h"

#include "formats/vst3/vst3_controller.h"
#include "formats/vst3/vst3_parameters.h"

namespace velmorin::vst3 {

Vst3Controls::Vst3Controls(Controller& controller)
    : InProcessControls(controller.model()), controller_(controller) {}

void Vst3Controls::beginGesture(ParameterIndex index) {
    controller_.edit(Controller::Edit::Begin, index);
}

void Vst3Controls::changeParameter(ParameterIndex index, float storedValue) {
    effect_.setParameter(index, storedValue);
    // The value the model kept, as the host knows the parameter.
    controller_.edit(Controller::Edit::Perform, index,
                     normalizedOf(index, effect_.storedValue(index)));
}

void Vst3Controls::endGesture(ParameterIndex index) {
    controller_.edit(Controller::Edit::End, index);
}

void Vst3Controls::adjustParameter(ParameterIndex index, float storedValue) {
    const float before = effect_.storedValue(index);
    effect_.setParameter(index, storedValue);
    if (effect_.storedValue(index) == before) return;
    controller_.edit(Controller::Edit::Begin, index);
    controller_.edit(Controller::Edit::Perform, index,
                     normalizedOf(index, effect_.storedValue(index)));
    controller_.edit(Controller::Edit::End, index);
}

void Vst3Controls::setNormalizeTarget(int32_t target) {
    if (target == effect_.normalizeTarget()) return;
    effect_.setNormalizeTarget(target);
    controller_.sendSettings();
}

void Vst3Controls::setDcRemoval(int32_t removal) {
    if (removal == effect_.dcRemoval()) return;
    effect_.setDcRemoval(removal);
    controller_.sendSettings();
}

std::optional<int32_t> Vst3Controls::followNormalizer() {
    controller_.requestFeed();
    return InProcessControls::followNormalizer();
}

}  // namespace velmorin::vst3
