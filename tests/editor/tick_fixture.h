// An open editor whose display ticks a test drives through the timer, with
// what the audio thread would leave in the display feed put there directly.
#pragma once

#include <memory>
#include <string>

#include "editor/editor_timer.h"
#include "editor/level_readout.h"
#include "editor_fixture.h"
#include "platform/soft/soft_canvas.h"

namespace velmorin {

class TickFixture : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        effect = &makeEffect();
        ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
    }
    void TearDown() override {
        if (editorOf(*effect).isOpen()) editorOf(*effect).close();
        EditorFixture::TearDown();
    }

    EditorView& view() { return editorOf(*effect).view(); }
    EngineState& engine() { return effect->engine(); }
    platform::WindowHandle window() { return windowOf(*effect); }
    // Ticks of the timer at the editor's display speed.
    void tick(int count = 1) { windows.advance(count * timerPeriodMs(view().prefs.displaySpeed)); }
    // A lane whose left channel peaks at `max` with `gain`; the right one is
    // silent.
    void feedLane(int lane, float max, float gain, float min = 0.0f, float gainAtMin = 0.0f) {
        LaneExtremes block;
        block.lane[lane] = {max, min, 0, 0, gain, gainAtMin, 0, 0};
        engine().feed.waves.publish(block);
    }
    static platform::Colour skinAt(int x, int y) {
        const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
        return skin->pixels[static_cast<std::size_t>(y) * skin->width + x];
    }
    static platform::Colour bitmapAt(BitmapId id, int x, int y) {
        const platform::BitmapImage* bitmap = findEmbeddedBitmap(id);
        return bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x];
    }
    // Whether the window's level read-out shows `text`.
    bool readoutShows(const std::string& text) {
        auto pixels = std::make_shared<platform::PixelBuffer>(654, 431);
        const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
        pixels->pixels.assign(skin->pixels.begin(), skin->pixels.end());
        platform::SoftCanvas expected(pixels);
        drawLevelReadout(expected, text, SharedEditorResources::process().drawing({}));
        for (int y = kLevelReadoutSkin.y; y < kLevelReadoutSkin.y + kLevelReadoutSkinHeight; ++y)
            for (int x = kLevelReadoutSkin.x; x < kLevelReadoutSkin.x + kLevelReadoutSkinWidth; ++x)
                if (at(*effect, x, y) != expected.pixel(x, y)) return false;
        return true;
    }

    EditedEffect* effect = nullptr;
};

}  // namespace velmorin
