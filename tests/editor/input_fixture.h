// An open editor driven as a user would: mouse messages with their key
// state, typed text and menu choices, sent to the window procedure, with
// the automation reports the host received.
#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include "editor/editor_timer.h"
#include "editor_fixture.h"
#include "platform/window_messages.h"

namespace velmorin {

// One value the host heard of: parameter and the normalized value.
struct Reported {
    int32_t index;
    float value;
    friend bool operator==(const Reported&, const Reported&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Reported& r) {
    return out << "{" << r.index << ", " << r.value << "}";
}

class InputFixture : public EditorFixture {
  protected:
    static inline std::vector<Reported> reports;

    // The editor of a new effect, open, with its controls showing the
    // stored values; `setUp` changes values before the first refresh.
    EditedEffect& openEditor(const std::function<void(EditedEffect&)>& setUp = {}) {
        EditedEffect& effect = makeEffect();
        effect.controls.onValue = [](int32_t index, float value) {
            reports.push_back({index, value});
        };
        if (setUp) setUp(effect);
        EXPECT_TRUE(editorOf(effect).open(&hostWindow));
        tick(effect);
        reports.clear();
        return effect;
    }
    // One timer period: refreshes the controls after a change.
    void tick(EditedEffect& effect) {
        windows.advance(*windows.timerPeriod(windowOf(effect), kEditorTimerId));
    }

    static std::intptr_t at(int x, int y) {
        return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y) & 0xFFFF) << 16 |
                                          (static_cast<std::uint32_t>(x) & 0xFFFF));
    }
    void send(EditedEffect& effect, std::uint32_t message, std::uintptr_t keys, int x, int y) {
        windows.send(windowOf(effect), message, keys, at(x, y));
    }
    // A press and release of the left button, with Shift or Ctrl as given.
    void click(EditedEffect& effect, int x, int y, std::uintptr_t keys = 0) {
        send(effect, platform::kMsgLeftButtonDown, 0x0001 | keys, x, y);
        send(effect, platform::kMsgLeftButtonUp, keys, x, y);
    }

    static float stored(EditedEffect& effect, ParameterIndex parameter) {
        return effect.core.storedValue(parameter);
    }
    static EditorView& view(EditedEffect& effect) { return editorOf(effect).view(); }
};

}  // namespace velmorin
