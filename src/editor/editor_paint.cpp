#include "editor/editor_paint.h"

#include "editor/level_readout.h"

namespace velmorin {
namespace {

using platform::RasterOp;

constexpr platform::Colour kReadoutTextColour = platform::rgb(255, 255, 255);

// The master section first, then the bands' faders, each threshold with its
// ratio, the zooms, the mixes, and the lamps last.
constexpr std::array<ParameterIndex, kFaderCount + kLampCount> kPaintOrder{
    kZoomMaster, kOutput,     kThrLimiter, kThrH,      kRatioH,  kThrM,   kRatioM,
    kThrL,       kRatioL,     kZoomH,      kZoomM,     kZoomL,   kMixH,   kMixM,
    kMixL,       kLookAhead,  kNormalize,  kDither,    kBypass,  kHighOn, kMidOn,
    kLowOn,      kHighBypass, kMidBypass,  kLowBypass, kHighAtk, kMidAtk, kLowAtk,
};

void paintLevelReadout(platform::Canvas& window, const OutputSums& sums,
                       const SharedEditorResources& shared) {
    window.copyFrom(kLevelReadoutSkin.x, kLevelReadoutSkin.y, kLevelReadoutSkinWidth,
                    kLevelReadoutSkinHeight, shared.skin(), kLevelReadoutSkin.x,
                    kLevelReadoutSkin.y, RasterOp::Copy);
    window.drawCentredText(
        levelReadoutText(sums, kPaintedReadoutFloorDb),
        {kLevelReadoutLeft, kLevelReadoutTop, kLevelReadoutRight, kLevelReadoutBottom},
        kReadoutTextColour, shared.font());
}

void paintSurfaces(platform::Canvas& window, const WaveSurfaces& surfaces) {
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

}  // namespace

void paintEditor(EditorView& view, EngineState& engine, platform::WindowServices& windows,
                 const SharedEditorResources& shared) {
    // The sums stay gathered here until the periodic read-out shows and
    // clears them; taking them from the engine loses none.
    view.readoutSums.merge(engine.feed.output.take());
    const auto window = windows.beginPaint(view.window);
    window->copyFrom(0, 0, kEditorWidth, kEditorHeight, shared.skin(), 0, 0, RasterOp::Copy);
    paintLevelReadout(*window, view.readoutSums, shared);
    paintSurfaces(*window, view.waveSurfaces);
    for (ParameterIndex parameter : kPaintOrder) view.controls.draw(parameter);
}  // painting ends as the paint canvas goes

}  // namespace velmorin
