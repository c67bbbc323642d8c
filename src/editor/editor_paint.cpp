#include "editor/editor_paint.h"

#include "editor/level_readout.h"
#include "editor/wave_columns.h"

namespace velmorin {
namespace {

using platform::RasterOp;

// The master section first, then the bands' faders, each threshold with its
// ratio, the zooms, the mixes, and the lamps last.
constexpr std::array<ParameterIndex, kFaderCount + kLampCount> kPaintOrder{
    kZoomMaster, kOutput,     kThrLimiter, kThrH,      kRatioH,  kThrM,   kRatioM,
    kThrL,       kRatioL,     kZoomH,      kZoomM,     kZoomL,   kMixH,   kMixM,
    kMixL,       kLookAhead,  kNormalize,  kDither,    kBypass,  kHighOn, kMidOn,
    kLowOn,      kHighBypass, kMidBypass,  kLowBypass, kHighAtk, kMidAtk, kLowAtk,
};

}  // namespace

void paintEditor(EditorView& view, EffectControls& effect, platform::WindowServices& windows,
                 const SharedDrawing& shared) {
    // The sums stay gathered here until the periodic read-out shows and
    // clears them; taking them from the effect loses none.
    view.readoutSums.merge(effect.takeOutputSums());
    const auto window = windows.beginPaint(view.window);
    window->copyFrom(0, 0, kEditorWidth, kEditorHeight, shared.skin(), 0, 0, RasterOp::Copy);
    drawLevelReadout(*window, levelReadoutText(view.readoutSums, kPaintedReadoutFloorDb), shared);
    copySurfacesToWindow(*window, view.waveSurfaces);
    for (ParameterIndex parameter : kPaintOrder) view.controls.draw(parameter);
}  // painting ends as the paint canvas goes

}  // namespace velmorin
