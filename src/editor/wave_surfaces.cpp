#include "editor/wave_surfaces.h"

#include "editor/trace_column.h"

namespace velmorin {
namespace {

using platform::RasterOp;

constexpr platform::Rect kTraceRect{0, 0, kTraceSurfaceWidth, kTraceSurfaceHeight};

// A closed editor has no surfaces; nothing is drawn then.
bool hasTraces(const DisplaySurfaces& display) {
    return display.trace && display.mask;
}

void clearTraces(DisplaySurfaces& display, const SurfaceInks& inks) {
    display.trace->fillRect(kTraceRect, inks.blackBrush);
    display.mask->fillRect(kTraceRect, inks.whiteBrush);
}

}  // namespace

WaveSurfaces buildWaveSurfaces(platform::Graphics& graphics, const platform::Canvas& skin,
                               const CornerHighlight& highlight, const SurfaceInks& inks) {
    WaveSurfaces surfaces;
    for (DisplaySurfaces& display : surfaces.displays) {
        display.trace = graphics.createSurface(kTraceSurfaceWidth, kTraceSurfaceHeight);
        display.trace->fillRect(kTraceRect, inks.blackBrush);
        display.backdrop = graphics.createSurface(kBackdropWidth, kBackdropHeight);
        display.backdrop->copyFrom(kBackdropStripColumn, 0, kGainStripWidth, kGainStripHeight, skin,
                                   kGainStripSkinSource.x, kGainStripSkinSource.y, RasterOp::Copy);
    }
    for (int g = 0; g < kWaveDisplayCount; ++g)
        surfaces.displays[g].backdrop->copyFrom(0, 0, kDisplayWidth, kDisplayHeight, skin,
                                                kDisplayPlaces[g].x, kDisplayPlaces[g].y,
                                                RasterOp::Copy);

    surfaces.outputMeterBackdrop =
        graphics.createSurface(kMeterBackdropWidth, kMeterBackdropHeight);
    surfaces.outputMeterBackdrop->copyFrom(0, 0, kOutputMeterWidth, kOutputMeterHeight, skin,
                                           kOutputMeterPlace.x, kOutputMeterPlace.y,
                                           RasterOp::Copy);

    for (int g = 0; g < kWaveDisplayCount; ++g) highlight.apply(*surfaces.displays[g].backdrop, g);
    for (DisplaySurfaces& display : surfaces.displays) {
        display.mask = graphics.createSurface(kTraceSurfaceWidth, kTraceSurfaceHeight);
        display.mask->fillRect(kTraceRect, inks.whiteBrush);
    }
    return surfaces;
}

void rerenderWaveDisplays(WaveSurfaces& surfaces, const WaveColumnRing& ring,
                          const DisplayZooms& zooms, const WavePens& pens,
                          const SurfaceInks& inks) {
    const int p = ring.columnPos();
    for (int g = 0; g < kWaveDisplayCount; ++g) {
        DisplaySurfaces& display = surfaces.displays[g];
        if (!hasTraces(display)) continue;
        clearTraces(display, inks);
        for (int x = 1; x <= kNewestTraceColumn; ++x)
            drawTraceColumn(*display.trace, *display.mask, x,
                            ring.at(g, WaveColumnRing::ringColumnAt(p, x)), zooms[g], pens[g],
                            inks.blackPen);
    }
}

void appendWaveColumn(WaveSurfaces& surfaces, WaveColumnRing& ring, int display,
                      const WaveColumn& column, int32_t zoom, const WavePens& pens,
                      const SurfaceInks& inks) {
    if (display < 0 || display >= kWaveDisplayCount) return;
    ring.write(display, column);
    DisplaySurfaces& target = surfaces.displays[display];
    if (!hasTraces(target)) return;
    for (platform::Canvas* surface : {target.trace.get(), target.mask.get()})
        surface->copyFrom(0, 0, kTraceSurfaceWidth - 1, kTraceSurfaceHeight, *surface, 1, 0,
                          RasterOp::Copy);
    const platform::Rect newest{kNewestTraceColumn, 0, kNewestTraceColumn + 1, kTraceSurfaceHeight};
    target.mask->fillRect(newest, inks.whiteBrush);
    target.trace->fillRect(newest, inks.blackBrush);
    drawTraceColumn(*target.trace, *target.mask, kNewestTraceColumn, column, zoom, pens[display],
                    inks.blackPen);
}

}  // namespace velmorin
