#include "editor/editor_controls.h"

#include "editor/value_box.h"

namespace velmorin {
namespace {

static_assert([] {
    for (int i = 0; i < kFaderCount + kLampCount; ++i)
        if ((i < kFaderCount) == (kControlPlaces[i].kind == ControlKind::LampButton)) return false;
    return true;
}());

}  // namespace

void EditorControls::create(const ControlCanvas& canvas, const SharedDrawing& shared) {
    for (int i = 0; i < kFaderCount; ++i) {
        const ControlPlace& place = kControlPlaces[i];
        const platform::Canvas& cap = shared.bitmap(place.bitmap);
        if (place.kind == ControlKind::Fader)
            faders_[i] = std::make_unique<Fader>(canvas, cap, shared.font(), place);
        else
            faders_[i] = std::make_unique<SmallFader>(canvas, cap, place);
    }
    for (int i = 0; i < kLampCount; ++i) {
        const ControlPlace& place = kControlPlaces[kFaderCount + i];
        lamps_[i] = std::make_unique<LampButton>(canvas, shared.bitmap(place.bitmap), place);
    }
}

void EditorControls::destroy() {
    for (auto& fader : faders_) fader.reset();
    for (auto& lamp : lamps_) lamp.reset();
}

void EditorControls::createValueBoxes(platform::WindowServices& windows,
                                      platform::WindowHandle editor, const platform::Font& font) {
    for (std::size_t i = 0; i < kValueBoxPlaces.size(); ++i)
        valueBoxes_[i] = createValueBox(windows, editor, font, kValueBoxPlaces[i]);
}

void EditorControls::destroyValueBoxes(platform::WindowServices& windows) {
    for (auto& box : valueBoxes_) {
        windows.destroyWindow(box);
        box = {};
    }
}

void EditorControls::draw(ParameterIndex parameter) const {
    for (int i = 0; i < kFaderCount + kLampCount; ++i) {
        if (kControlPlaces[i].parameter != parameter) continue;
        if (i < kFaderCount && faders_[i]) faders_[i]->draw();
        if (i >= kFaderCount && lamps_[i - kFaderCount]) lamps_[i - kFaderCount]->draw();
    }
}

FaderBase* EditorControls::faderOfKind(ParameterIndex parameter, ControlKind kind) const {
    for (int i = 0; i < kFaderCount; ++i)
        if (kControlPlaces[i].parameter == parameter && kControlPlaces[i].kind == kind)
            return faders_[i].get();
    return nullptr;
}

Fader* EditorControls::fader(ParameterIndex parameter) const {
    return static_cast<Fader*>(faderOfKind(parameter, ControlKind::Fader));
}

SmallFader* EditorControls::zoomFader(ParameterIndex parameter) const {
    return static_cast<SmallFader*>(faderOfKind(parameter, ControlKind::SmallFader));
}

LampButton* EditorControls::lamp(ParameterIndex parameter) const {
    for (int i = 0; i < kLampCount; ++i)
        if (kControlPlaces[kFaderCount + i].parameter == parameter) return lamps_[i].get();
    return nullptr;
}

platform::WindowHandle EditorControls::valueBox(ParameterIndex parameter) const {
    for (std::size_t i = 0; i < kValueBoxPlaces.size(); ++i)
        if (kValueBoxPlaces[i].parameter == parameter) return valueBoxes_[i];
    return {};
}

}  // namespace velmorin
