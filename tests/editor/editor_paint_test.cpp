// The window's paint: skin, level read-out, the surfaces at their places and
// every control, what a paint of a valid window still redraws, the read-out
// from the engine's sums without clearing them, and missing bitmaps.
#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/level_readout.h"
#include "editor_fixture.h"
#include "platform/soft/soft_canvas.h"
#include "platform/window_messages.h"

namespace velmorin {
namespace {

using platform::Colour;
using platform::rgb;

constexpr Colour kScribble = rgb(1, 2, 3);
constexpr platform::Rect kReadoutRect{535, 183, 577, 197};
constexpr platform::Rect kReadoutBlock{535, 182, 577, 197};

bool inside(const platform::Rect& r, int x, int y) {
    return r.contains(x, y);
}

// Where a control draws: a fader's column from its cap's top reach to its
// bottom reach and its read-out, a lamp's rectangle.
bool onAControl(int x, int y) {
    for (const ControlPlace& p : kControlPlaces) {
        switch (p.kind) {
            case ControlKind::Fader:
                if (inside({p.x, p.y - 16, p.x + 16, p.y + p.travel + 18}, x, y) ||
                    inside({p.boxX, p.boxY, p.boxX + 42, p.boxY + 15}, x, y))
                    return true;
                break;
            case ControlKind::SmallFader:
                if (inside({p.x, p.y - 11, p.x + 13, p.y + p.travel + 10}, x, y)) return true;
                break;
            case ControlKind::LampButton:
                if (inside({p.x, p.y, p.x + p.travel, p.y + p.height}, x, y)) return true;
                break;
        }
    }
    return false;
}

class EditorPaintTest : public EditorFixture {
  protected:
    void SetUp() override {
        EditorFixture::SetUp();
        effect = &makeEffect();
        ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
        windows.advance(125);  // shows the stored values
    }
    void TearDown() override {
        if (editorOf(*effect).isOpen()) editorOf(*effect).close();
        EditorFixture::TearDown();
    }

    platform::WindowHandle window() { return windowOf(*effect); }
    EditorView& view() { return editorOf(*effect).view(); }
    void scribble() {
        windows.windowCanvas(window())->fillRect({0, 0, 654, 431}, platform::Brush(kScribble));
    }
    void paint() {
        windows.invalidate(window());
        windows.updateWindow(window());
    }
    // The skin with the level read-out's text drawn as the editor draws it.
    platform::SoftCanvas skinWithReadout(const std::string& text) {
        const platform::BitmapImage* skin = findEmbeddedBitmap(kBitmapSkin);
        auto pixels = std::make_shared<platform::PixelBuffer>(654, 431);
        pixels->pixels.assign(skin->pixels.begin(), skin->pixels.end());
        platform::SoftCanvas canvas(pixels);
        canvas.drawCentredText(text, kReadoutRect, rgb(255, 255, 255),
                               SharedEditorResources::process().drawing({}).font());
        return canvas;
    }

    EditedEffect* effect = nullptr;
};

TEST_F(EditorPaintTest, PaintShowsTheSkinTheReadoutTheSurfacesAtTheirPlacesAndEveryControl) {
    // Surfaces whose every pixel tells where it came from.
    WaveSurfaces& surfaces = view().waveSurfaces;
    for (int g = 0; g < 4; ++g)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 136; ++x)
                surfaces.displays[g].backdrop->setPixel(x, y, rgb(x, y, 40 + g));
    for (int y = 0; y < 289; ++y)
        for (int x = 0; x < 32; ++x)
            surfaces.outputMeterBackdrop->setPixel(x, y, rgb(x, y & 255, 200 + (y >> 8)));
    scribble();
    paint();

    const platform::SoftCanvas expectedSkin = skinWithReadout("-INF");
    int controlPixels = 0;
    for (int y = 0; y < 431; ++y) {
        for (int x = 0; x < 654; ++x) {
            const Colour shown = at(*effect, x, y);
            if (onAControl(x, y)) {
                ASSERT_NE(shown, kScribble) << "control not redrawn at " << x << "," << y;
                ++controlPixels;
                continue;
            }
            Colour expected = expectedSkin.pixel(x, y);
            for (int g = 0; g < 4; ++g) {
                const Place d = kDisplayPlaces[g], s = kGainStripPlaces[g];
                if (inside({d.x, d.y, d.x + 122, d.y + 128}, x, y))
                    expected = rgb(x - d.x, y - d.y, 40 + g);
                if (inside({s.x, s.y, s.x + 13, s.y + 125}, x, y))
                    expected = rgb(122 + x - s.x, y - s.y, 40 + g);
            }
            if (inside({604, 80, 635, 369}, x, y))
                expected = rgb(x - 604, (y - 80) & 255, 200 + ((y - 80) >> 8));
            ASSERT_EQ(shown, expected) << "at " << x << "," << y;
        }
    }
    EXPECT_GT(controlPixels, 10000);
}

TEST_F(EditorPaintTest, ValidWindowRedrawsOnlyItsControlsAndAClosedOneNothing) {
    paint();
    scribble();
    windows.send(window(), platform::kMsgPaint, 0, 0);  // nothing invalid
    for (int y = 0; y < 431; ++y)
        for (int x = 0; x < 654; ++x)
            if (onAControl(x, y)) {
                ASSERT_NE(at(*effect, x, y), kScribble) << x << "," << y;
            }
    EXPECT_EQ(at(*effect, 2, 2), kScribble);
    EXPECT_EQ(at(*effect, 540, 190), kScribble);  // the level read-out
    EXPECT_EQ(at(*effect, 200, 60), kScribble);   // the High display

    // Behind another open editor the closed one's window lives on, unpainted.
    EditedEffect& other = makeEffect();
    ASSERT_TRUE(editorOf(other).open(&otherHostWindow));
    const platform::WindowHandle closed = window();
    editorOf(*effect).close();
    windows.windowCanvas(closed)->fillRect({0, 0, 654, 431}, platform::Brush(kScribble));
    windows.invalidate(closed);
    windows.updateWindow(closed);
    const auto& pixels = windows.clientPixels(closed)->pixels;
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kScribble), 654 * 431);
    editorOf(other).close();
}

TEST_F(EditorPaintTest, ReadoutShowsTheOutputLevelAndKeepsItsSums) {
    std::vector<float> signal(4096);
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] = 0.25f * std::sin(0.05f * static_cast<float>(i));
    std::vector<float> outLeft(512), outRight(512);
    for (std::size_t start = 0; start < signal.size(); start += 512) {
        float* inputs[2] = {signal.data() + start, signal.data() + start};
        float* outputs[2] = {outLeft.data(), outRight.data()};
        effect->processReplacing(inputs, outputs, 512);
    }

    paint();
    const OutputSums sums = view().readoutSums;
    EXPECT_EQ(sums.sampleCount, 4096);  // every frame reached the read-out
    const std::string text = levelReadoutText(sums, kPaintedReadoutFloorDb);
    EXPECT_NE(text, "-INF");
    const platform::SoftCanvas expected = skinWithReadout(text);
    const auto readoutShows = [&](const platform::SoftCanvas& reference) {
        for (int y = kReadoutBlock.top; y < kReadoutBlock.bottom; ++y)
            for (int x = kReadoutBlock.left; x < kReadoutBlock.right; ++x)
                if (at(*effect, x, y) != reference.pixel(x, y)) return false;
        return true;
    };
    EXPECT_TRUE(readoutShows(expected));
    EXPECT_FALSE(readoutShows(skinWithReadout("-INF")));

    paint();  // the sums stay for the periodic read-out
    EXPECT_EQ(view().readoutSums.sampleCount, 4096);
    EXPECT_EQ(view().readoutSums.sumSqLeft, sums.sumSqLeft);
    EXPECT_TRUE(readoutShows(expected));
}

TEST_F(EditorPaintTest, WithoutBitmapsOnlyTheSurfacesAndTextsArePainted) {
    editorOf(*effect).close();
    for (int id = 100; id < 200; ++id) graphics.missing.insert(id);
    ASSERT_TRUE(editorOf(*effect).open(&hostWindow));
    editorOf(*effect).refresh();  // no tick: it would draw marks and threshold lines
    scribble();
    paint();
    // Nothing of the missing skin reaches the surfaces: they stay black.
    std::vector<platform::Rect> surfaces{{604, 80, 635, 369}};
    for (int g = 0; g < 4; ++g) {
        const Place d = kDisplayPlaces[g], s = kGainStripPlaces[g];
        surfaces.push_back({d.x, d.y, d.x + 122, d.y + 128});
        surfaces.push_back({s.x, s.y, s.x + 13, s.y + 125});
    }
    std::vector<platform::Rect> texts{kReadoutRect};
    for (const ValueBoxPlace& box : kValueBoxPlaces)
        texts.push_back({box.x - 1, box.y, box.x + 43, box.y + 15});
    const auto within = [](const std::vector<platform::Rect>& rects, int x, int y) {
        return std::any_of(rects.begin(), rects.end(),
                           [&](const platform::Rect& r) { return inside(r, x, y); });
    };
    int written = 0;
    for (int y = 0; y < 431; ++y) {
        for (int x = 0; x < 654; ++x) {
            if (within(texts, x, y)) {
                written += at(*effect, x, y) != kScribble;
                continue;
            }
            ASSERT_EQ(at(*effect, x, y), within(surfaces, x, y) ? rgb(0, 0, 0) : kScribble)
                << x << "," << y;
        }
    }
    EXPECT_GT(written, 0);  // the read-outs still tell their values
}

}  // namespace
}  // namespace velmorin
