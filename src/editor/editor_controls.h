// The editor's 28 controls and 11 value boxes, created in table order when
// the editor opens and deleted in table order when it closes.
#pragma once

#include <array>
#include <memory>

#include "editor/fader.h"
#include "editor/lamp_button.h"
#include "editor/layout.h"
#include "editor/shared_drawing.h"
#include "editor/small_fader.h"

namespace velmorin {

// The control table lists its 15 faders first, then its 13 lamps.
inline constexpr int kFaderCount = 15;
inline constexpr int kLampCount = 13;

class EditorControls {
  public:
    bool exist() const { return lamps_[0] != nullptr; }

    // Each control draws itself into the window as it is created.
    void create(const ControlCanvas& canvas, const SharedDrawing& shared);
    void destroy();

    // Each value box is created, set up and hidden before the next one.
    void createValueBoxes(platform::WindowServices& windows, platform::WindowHandle editor,
                          const platform::Font& font);
    void destroyValueBoxes(platform::WindowServices& windows);

    // Draws the control of a parameter, if it has one and the controls exist.
    void draw(ParameterIndex parameter) const;

    // The control of a parameter, or null when it has none of that kind or
    // the controls do not exist.
    Fader* fader(ParameterIndex parameter) const;
    SmallFader* zoomFader(ParameterIndex parameter) const;
    LampButton* lamp(ParameterIndex parameter) const;
    platform::WindowHandle valueBox(ParameterIndex parameter) const;

  private:
    FaderBase* faderOfKind(ParameterIndex parameter, ControlKind kind) const;

    std::array<std::unique_ptr<FaderBase>, kFaderCount> faders_;
    std::array<std::unique_ptr<LampButton>, kLampCount> lamps_;
    std::array<platform::WindowHandle, kValueBoxPlaces.size()> valueBoxes_{};
};

}  // namespace velmorin
