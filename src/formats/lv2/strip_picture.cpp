#include "formats/lv2/strip_picture.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "editor/meter_colours.h"
#include "platform/soft/soft_canvas.h"

namespace velmorin::lv2 {
namespace {

namespace colours = meter_colours;

platform::Colour colourOf(colours::Rgb rgb) {
    const auto byte = [](double v) {
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    return platform::rgb(byte(rgb.r), byte(rgb.g), byte(rgb.b));
}

platform::Colour colourOf(uint32_t hex) {
    return colourOf(colours::toRgb(hex));
}

// One bar: each column in the colour of its level, lit up to `litColumns`.
template <typename ColourOfColumn>
void paintBar(platform::Canvas& canvas, const platform::Rect& place, int litColumns,
              ColourOfColumn colourOfColumn) {
    for (int x = place.left; x < place.right; ++x) {
        const colours::Rgb level = colourOfColumn(x - place.left);
        const bool lit = x - place.left < litColumns;
        const platform::Brush brush(colourOf(lit ? level : colours::unlit(level)));
        canvas.fillRect({x, place.top, x + 1, place.bottom}, brush);
    }
}

int columnsFor(float fraction, int width) {
    return static_cast<int>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * width));
}

}  // namespace

void paintStripPicture(const MeterFigures& figures, platform::PixelBuffer& pixels) {
    std::fill(pixels.pixels.begin(), pixels.pixels.end(), colourOf(colours::kMeterBackground));
    auto target = std::shared_ptr<platform::PixelBuffer>(&pixels, [](platform::PixelBuffer*) {});
    platform::SoftCanvas canvas(target);
    const int rowHeight = pixels.height / kStripRows;
    const int barHeight = std::max(1, rowHeight - 1);  // a dark line between the rows
    const int width = pixels.width - 2;
    const float columnFraction = 1.0f / static_cast<float>(std::max(width, 1));
    for (int row = 0; row < kStripRows; ++row) {
        const platform::Rect place{1, row * rowHeight, 1 + width, row * rowHeight + barHeight};
        if (row < kNumLanes) {
            const float depth = -figures.reductionDb[row];
            paintBar(canvas, place, columnsFor(depth / kStripReductionSpanDb, width), [&](int x) {
                return colours::reductionColour((x + 0.5f) * columnFraction *
                                                kStripReductionSpanDb);
            });
        } else {
            const float span = kStripOutputTopDb - kStripOutputBottomDb;
            const float peak = std::max(figures.outputPeakDb[0], figures.outputPeakDb[1]);
            paintBar(canvas, place, columnsFor((peak - kStripOutputBottomDb) / span, width),
                     [&](int x) {
                         return colours::outputColour(kStripOutputBottomDb +
                                                      (x + 0.5f) * columnFraction * span);
                     });
        }
    }
}

}  // namespace velmorin::lv2
