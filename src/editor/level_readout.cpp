#include "editor/level_readout.h"

#include <cmath>
#include <cstdio>

namespace velmorin {

std::string levelReadoutText(const OutputSums& sums, float floorDb) {
    const float s = sums.sumSqLeft > sums.sumSqRight ? sums.sumSqLeft : sums.sumSqRight;
    const int32_t n = sums.sampleCount;
    if (n == 0 || s == 0.0f) return "-INF";
    // Single precision, as the sums are kept; +3.01 dB makes a sine read its
    // peak level.
    const float level =
        20.0f * std::log10(std::sqrt(s / static_cast<float>(n)) * 32768.0f) - 87.298f;
    // Written so that NaN (from sums a broken signal left) reads "-INF" too.
    if (!(level >= floorDb)) return "-INF";
    char text[32];
    std::snprintf(text, sizeof text, "%2.1f", static_cast<double>(level));
    return text;
}

void drawLevelReadout(platform::Canvas& window, std::string_view text,
                      const SharedDrawing& shared) {
    window.copyFrom(kLevelReadoutSkin.x, kLevelReadoutSkin.y, kLevelReadoutSkinWidth,
                    kLevelReadoutSkinHeight, shared.skin(), kLevelReadoutSkin.x,
                    kLevelReadoutSkin.y, platform::RasterOp::Copy);
    window.drawCentredText(
        text, {kLevelReadoutLeft, kLevelReadoutTop, kLevelReadoutRight, kLevelReadoutBottom},
        platform::rgb(255, 255, 255), shared.font());
}

}  // namespace velmorin
