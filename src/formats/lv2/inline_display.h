// The mixer-strip picture some hosts (Ardour among them) ask a plug-in for:
// the inline display interface with its optional queue_draw feature, as
// their public documentation describes them. The audio thread leaves the
// figures of each block and asks for a redraw at most 25 times a second, and
// only when a figure changed; the host's GUI thread paints the picture from
// the latest figures, whenever it likes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <lv2/core/lv2.h>

#include "engine/meter_figures.h"
#include "formats/lv2/lv2_identity.h"
#include "params/relaxed.h"
#include "platform/soft/pixel_buffer.h"

namespace velmorin::lv2 {

extern "C" {
// The picture handed to the host: 32-bit ARGB pixels, premultiplied (ours
// are opaque), rows `stride` bytes apart, owned by the plug-in until cleanup.
struct InlineDisplaySurface {
    unsigned char* data;
    int width;
    int height;
    int stride;
};
// The extension data: the host asks for a picture at most w by h pixels.
struct InlineDisplayInterface {
    InlineDisplaySurface* (*render)(LV2_Handle instance, uint32_t width, uint32_t height);
};
// The feature's data: how run() asks the host for a render later.
struct InlineDisplayQueue {
    void* handle;
    void (*queueDraw)(void* handle);
};
}

// The smallest picture painted, five rows of three pixels and a gap, and
// the largest.
inline constexpr uint32_t kInlineDisplayMinHeight = 20;
inline constexpr uint32_t kInlineDisplayMaxHeight = 40;

class InlineDisplay {
  public:
    // Without the host's queue the figures are kept but no redraw is asked.
    InlineDisplay(const InlineDisplayQueue* queue, double sampleRate);

    // Audio thread, after each block: keeps the figures and asks for a
    // redraw when they changed and 1/25 s passed since the last request.
    void update(const MeterFigures& figures, uint32_t frames);

    // GUI thread: the picture of the latest figures, `width` wide and as high
    // as asked up to 40 pixels (a strip's bars need no more); none below 20
    // pixels high.
    InlineDisplaySurface* render(uint32_t width, uint32_t height);

  private:
    MeterFigures latest() const;

    const InlineDisplayQueue* queue_;
    uint32_t framesBetweenDraws_;
    uint32_t framesSinceDraw_;
    MeterFigures queued_{};  // the figures last asked to be drawn (audio thread)
    std::array<Relaxed<float>, kNumLanes + 2> shown_{};
    platform::PixelBuffer pixels_{0, 0};
    std::vector<uint32_t> argb_;
    InlineDisplaySurface surface_{};
};

}  // namespace velmorin::lv2
