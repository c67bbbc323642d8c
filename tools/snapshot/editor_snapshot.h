// The editor of a fresh effect as a user sees it: opened headless on the
// compiled-in artwork with chosen display preferences, refreshed by its first
// timer tick, or live after audio played through the effect while its timer
// ticked, then painted.
#pragma once

#include <cstddef>
#include <functional>

#include "audio_buffer.h"
#include "platform/preference_store.h"
#include "platform/scale.h"
#include "platform/soft/pixel_buffer.h"

namespace velmorin {
class Effect;
}

namespace velmorin::snapshot {

// The display preferences a new user's editor opens with.
platform::PreferenceRecord defaultPreferences();

struct Scene {
    // Set up the new effect before its editor opens.
    std::function<void(Effect&)> prepare;
    // What the editor reads from its preference store, never the preferences
    // stored for the user, so the same request always gives the same picture.
    platform::PreferenceRecord preferences = defaultPreferences();
    // Played through the effect block by block while the editor ticks at its
    // timer's period in simulated time; none: the picture after one tick.
    const host::AudioBuffer* input = nullptr;
    std::size_t inputFrames = 0;  // how much of the input is played
    // The editor drawn this many times as large, with the artwork and glyphs
    // of that scale.
    platform::Scale scale;
};

// The window's device pixels. Throws std::runtime_error when the editor
// cannot open.
platform::PixelBuffer snapshotEditor(const Scene& scene);

}  // namespace velmorin::snapshot
