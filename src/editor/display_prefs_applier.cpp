#include "editor/display_prefs_applier.h"

#include <algorithm>
#include <span>

#include "editor/context_menu.h"
#include "platform/scale_choice.h"

namespace velmorin {
namespace {

// The outer-trace colours of the two fixed schemes, one per display; every
// other entry is the same in both.
constexpr std::array<platform::Colour, kWaveDisplayCount> kNaturalOuter{
    platform::rgb(0, 160, 0), platform::rgb(0, 140, 0), platform::rgb(0, 120, 0),
    platform::rgb(0, 160, 0)};
constexpr std::array<platform::Colour, kWaveDisplayCount> kIcyOuter{
    platform::rgb(128, 137, 223), platform::rgb(112, 120, 195), platform::rgb(98, 105, 171),
    platform::rgb(128, 137, 223)};

struct ZoomRange {
    float minimum;
    float maximum;
};
constexpr std::array<ZoomRange, 3> kZoomRanges{{{1, 10}, {1, 20}, {2, 32}}};
constexpr std::array<ParameterIndex, 4> kZoomParameters{kZoomMaster, kZoomH, kZoomM, kZoomL};

void check(platform::WindowServices& windows, platform::MenuHandle menu,
           std::span<const MenuChoice> choices, int32_t value) {
    for (const MenuChoice& choice : choices)
        windows.checkMenuItem(menu, choice.command, choice.value == value);
}

void writeSchemeColours(WaveColourTable& colours, int32_t scheme) {
    colours = DisplayPrefs{}.waveColours;
    const auto& outer = scheme == 0 ? kNaturalOuter : kIcyOuter;
    for (int display = 0; display < kWaveDisplayCount; ++display) {
        colours[9 * display + 0] = platform::redOf(outer[display]);
        colours[9 * display + 1] = platform::greenOf(outer[display]);
        colours[9 * display + 2] = platform::blueOf(outer[display]);
    }
}

// The two smaller ranges only lower values above their top, the largest only
// raises values below its bottom.
int32_t limitedZoom(int32_t value, int32_t zoomRange) {
    const ZoomRange range = kZoomRanges[zoomRange];
    return zoomRange == 2 ? std::max(value, static_cast<int32_t>(range.minimum))
                          : std::min(value, static_cast<int32_t>(range.maximum));
}

bool isZoomRange(int32_t zoomRange) {
    return zoomRange >= 0 && zoomRange < static_cast<int32_t>(kZoomRanges.size());
}

// A value the effect keeps is the user's: sending it anew would mark a
// host's session as changed, so only one outside the range is sent, unless
// every zoom is to be sent again.
void correctZooms(EffectControls& effect, int32_t zoomRange, bool sendEvery) {
    for (const ParameterIndex zoom : kZoomParameters) {
        const auto stored = static_cast<int32_t>(effect.parameter(zoom));
        const int32_t limited = limitedZoom(stored, zoomRange);
        if (sendEvery || limited != stored)
            effect.adjustParameter(zoom, static_cast<float>(limited));
    }
}

void applyZoomRange(EditorView& view, EffectControls& effect, int32_t zoomRange) {
    const ZoomRange range = kZoomRanges[zoomRange];
    for (const ParameterIndex zoom : kZoomParameters) {
        if (SmallFader* fader = view.controls.zoomFader(zoom))
            fader->setRange(range.minimum, range.maximum);
    }
    correctZooms(effect, zoomRange, !effect.opensQuietly());
}

// What the "Size" menu shows checked: a value that is no scale's is Automatic.
int32_t storedScaleChoice(int32_t value) {
    return platform::scaleOfChoice(value) ? value : platform::kAutomaticScale;
}

}  // namespace

void recolourWavePens(WavePens& pens, platform::Graphics& graphics,
                      const WaveColourTable& colours) {
    for (int entry = 0; entry < kWaveDisplayCount * kWavePenRoles; ++entry) {
        const auto component = [&](int k) { return static_cast<uint8_t>(colours[3 * entry + k]); };
        pens[entry / kWavePenRoles][entry % kWavePenRoles] =
            graphics.createPen(platform::rgb(component(0), component(1), component(2)));
    }
}

void applyDisplayPrefs(EditorView& view, EffectControls& effect, const EditorPlatform& platform) {
    platform::WindowServices& windows = platform.windows;
    DisplayPrefs& prefs = view.prefs;
    check(windows, view.menu, kNormalizeChoices, effect.normalizeTarget());
    check(windows, view.menu, kPeakHoldChoices, prefs.peakHold);

    if (prefs.colourScheme == 0 || prefs.colourScheme == 1)
        writeSchemeColours(prefs.waveColours, prefs.colourScheme);
    if (prefs.colourScheme >= 0 && prefs.colourScheme <= 2)
        recolourWavePens(view.wavePens, platform.graphics, prefs.waveColours);
    check(windows, view.menu, kColourSchemeChoices, prefs.colourScheme);

    if (isZoomRange(prefs.zoomRange)) applyZoomRange(view, effect, prefs.zoomRange);
    check(windows, view.menu, kZoomRangeChoices, prefs.zoomRange);

    check(windows, view.menu, kDisplaySpeedChoices, prefs.displaySpeed);
    check(windows, view.menu, kDcRemovalChoices, effect.dcRemoval());
    check(windows, view.menu, kEditorScaleChoices, storedScaleChoice(prefs.editorScale));
}

void applyHostValues(EditorView& view, EffectControls& effect, platform::WindowServices& windows) {
    check(windows, view.menu, kNormalizeChoices, effect.normalizeTarget());
    check(windows, view.menu, kDcRemovalChoices, effect.dcRemoval());
    if (isZoomRange(view.prefs.zoomRange)) correctZooms(effect, view.prefs.zoomRange, false);
}

}  // namespace velmorin
