#include "editor/wave_columns.h"

#include "params/parameter_table.h"

namespace velmorin {
namespace {

using platform::RasterOp;

void composeBackdrop(platform::Canvas& backdrop, const DisplaySurfaces& display,
                     const DisplayColumn& column, const DisplayPens& pens) {
    // The skin shows where the mask is white, the outer trace replaces it and
    // the inner trace's colour is added onto the outer one.
    backdrop.copyFrom(0, 0, kDisplayWidth, kDisplayHeight, *display.mask, 0, 0, RasterOp::And);
    backdrop.copyFrom(0, 0, kDisplayWidth, kDisplayHeight, *display.trace, 0, 0, RasterOp::Or);
    if (!column.thresholdShown || !pens[kThresholdPen]) return;
    const ThresholdRows rows = thresholdRows(column.thresholdLevel, column.zoom);
    if (!rows.drawn) return;
    backdrop.drawLine(0, rows.upper, kDisplayWidth, rows.upper, *pens[kThresholdPen]);
    backdrop.drawLine(0, rows.lower, kDisplayWidth, rows.lower, *pens[kThresholdPen]);
}

}  // namespace

ThresholdRows thresholdRows(float level, int32_t zoom) {
    // Kept to 16 bits, so a far-off product wraps rather than overflows.
    const auto k =
        static_cast<int16_t>(truncateToInt(level * 32.0f * static_cast<float>(zoom) - 1.0f));
    const int centre = kTraceCentreRow;
    return {k <= centre - 1, centre - 1 - k, centre + k};
}

void drawWaveColumns(WaveSurfaces& surfaces, WaveColumnRing& ring, const DisplayColumns& columns,
                     const WavePens& pens, const SharedDrawing& shared) {
    for (int d = 0; d < kWaveDisplayCount; ++d)
        surfaces.displays[d].backdrop->copyFrom(0, 0, kDisplayWidth, kDisplayHeight, shared.skin(),
                                                kDisplayPlaces[d].x, kDisplayPlaces[d].y,
                                                RasterOp::Copy);
    for (int d = 0; d < kWaveDisplayCount; ++d) {
        const DisplayColumn& column = columns[d];
        appendWaveColumn(surfaces, ring, d, column.column, column.zoom, pens, shared.surfaceInks());
        DisplaySurfaces& display = surfaces.displays[d];
        if (column.shown) composeBackdrop(*display.backdrop, display, column, pens[d]);
        shared.cornerHighlight().apply(*display.backdrop, d);
        display.backdrop->removeClip();
    }
}

void copySurfacesToWindow(platform::Canvas& window, const WaveSurfaces& surfaces) {
    for (int g = 0; g < kWaveDisplayCount; ++g) {
        const platform::Canvas* backdrop = surfaces.displays[g].backdrop.get();
        if (!backdrop) continue;
        window.copyFrom(kDisplayPlaces[g].x, kDisplayPlaces[g].y, kDisplayWidth, kDisplayHeight,
                        *backdrop, 0, 0, RasterOp::Copy);
    }
    for (int g = 0; g < kWaveDisplayCount; ++g) {
        const platform::Canvas* backdrop = surfaces.displays[g].backdrop.get();
        if (!backdrop) continue;
        window.copyFrom(kGainStripPlaces[g].x, kGainStripPlaces[g].y, kGainStripWidth,
                        kGainStripHeight, *backdrop, kBackdropStripColumn, 0, RasterOp::Copy);
    }
    if (surfaces.outputMeterBackdrop)
        window.copyFrom(kOutputMeterPlace.x, kOutputMeterPlace.y, kOutputMeterWidth,
                        kOutputMeterHeight, *surfaces.outputMeterBackdrop, 0, 0, RasterOp::Copy);
}

}  // namespace velmorin
