// The editor of a fresh effect as a user first sees it: opened headless on
// the compiled-in artwork, refreshed by its first timer tick, painted.
#pragma once

#include <functional>

#include "platform/soft/pixel_buffer.h"

class ADelayEdit;

namespace velmorin::snapshot {

// `prepare` sets the new effect up before its editor opens. The display
// preferences are the defaults, never the ones stored for the user, so the
// same request always gives the same picture. Throws std::runtime_error when
// the editor cannot open.
platform::PixelBuffer snapshotEditor(const std::function<void(ADelayEdit&)>& prepare);

}  // namespace velmorin::snapshot
