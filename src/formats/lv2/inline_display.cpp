#include "formats/lv2/inline_display.h"

#include <algorithm>
#include <cstring>

#include "formats/lv2/strip_picture.h"

namespace velmorin::lv2 {
namespace {

constexpr double kDrawsPerSecond = 25.0;

bool sameFigures(const MeterFigures& a, const MeterFigures& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

InlineDisplay::InlineDisplay(const InlineDisplayQueue* queue, double sampleRate)
    : queue_(queue && queue->queueDraw ? queue : nullptr),
      framesBetweenDraws_(static_cast<uint32_t>(sampleRate / kDrawsPerSecond)),
      framesSinceDraw_(framesBetweenDraws_) {
    queued_ = meterFigures(LaneExtremes{}, 1.0f);  // what silence shows
    for (int32_t lane = 0; lane < kNumLanes; ++lane) shown_[lane].set(queued_.reductionDb[lane]);
    shown_[kNumLanes].set(queued_.outputPeakDb[0]);
    shown_[kNumLanes + 1].set(queued_.outputPeakDb[1]);
}

void InlineDisplay::update(const MeterFigures& figures, uint32_t frames) {
    for (int32_t lane = 0; lane < kNumLanes; ++lane) shown_[lane].set(figures.reductionDb[lane]);
    shown_[kNumLanes].set(figures.outputPeakDb[0]);
    shown_[kNumLanes + 1].set(figures.outputPeakDb[1]);
    framesSinceDraw_ = std::min(framesSinceDraw_ + frames, framesBetweenDraws_);
    if (!queue_ || framesSinceDraw_ < framesBetweenDraws_ || sameFigures(figures, queued_)) return;
    queued_ = figures;
    framesSinceDraw_ = 0;
    queue_->queueDraw(queue_->handle);
}

MeterFigures InlineDisplay::latest() const {
    MeterFigures figures{};
    for (int32_t lane = 0; lane < kNumLanes; ++lane) figures.reductionDb[lane] = shown_[lane].get();
    figures.outputPeakDb[0] = shown_[kNumLanes].get();
    figures.outputPeakDb[1] = shown_[kNumLanes + 1].get();
    return figures;
}

InlineDisplaySurface* InlineDisplay::render(uint32_t width, uint32_t height) {
    if (height < kInlineDisplayMinHeight || width < kInlineDisplayMinHeight) return nullptr;
    // A width no strip comes near is refused rather than allocated.
    if (width > 4096) return nullptr;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(std::min(height, kInlineDisplayMaxHeight));
    if (pixels_.width != w || pixels_.height != h) pixels_ = platform::PixelBuffer(w, h);
    paintStripPicture(latest(), pixels_);
    argb_.resize(pixels_.pixels.size());
    for (size_t i = 0; i < argb_.size(); ++i) {
        const platform::Colour c = pixels_.pixels[i];
        argb_[i] = 0xFF000000u | uint32_t{platform::redOf(c)} << 16 |
                   uint32_t{platform::greenOf(c)} << 8 | platform::blueOf(c);
    }
    surface_ = {reinterpret_cast<unsigned char*>(argb_.data()), w, h, w * 4};
    return &surface_;
}

}  // namespace velmorin::lv2
