// One instance's editor in the host's X window. No thread of ours ticks it:
// the host's timer (at the editor's timer period) and its watch on the X
// connection pump the module's X windows, as effEditIdle does for VST 2.4.
// A host with neither gets nothing pumped beyond the calls of the gui
// extension itself.
#pragma once

#include <clap/id.h>

#include <cstdint>
#include <optional>

#include "editor/ad_editor.h"
#include "formats/clap/clap_controls.h"
#include "formats/clap/clap_effect.h"

namespace velmorin::clap_format {

class ClapEditor : public ClapEffect::EditorState {
  public:
    explicit ClapEditor(ClapEffect& effect);
    ~ClapEditor() override;

    // `parent` is the host's X window id; false when no window can be made.
    bool open(std::uintptr_t parent);
    bool show(bool visible);
    // The host's timer or descriptor fired.
    void tick();

  private:
    void startTicks();
    void stopTicks();

    const HostServices& host_;
    ClapControls controls_;
    ADEditor editor_;
    std::optional<clap_id> timer_;
    uint32_t timerPeriod_ = 0;
    int fd_ = -1;
};

}  // namespace velmorin::clap_format
