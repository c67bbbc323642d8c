// Build tool: draws every bitmap of the editor at every scale and writes
// them as .bmp files (1.0 in BMP_DIR, the others in BMP_DIR/PERCENT) and as
// a C++ table.
//
//   make_artwork BMP_DIR TABLE.cpp [--preview PREVIEW.png]
//
// The preview is the skin with every control at a sample setting and the
// meters partly lit, for judging the look without building the editor.
#include <cairo.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "artwork/artwork.h"
#include "artwork/bitmap_files.h"
#include "editor/bitmap_ids.h"
#include "editor/layout.h"
#include "platform/scale.h"

namespace {

using namespace velmorin;

struct Recipe {
    int id;
    int width;
    int height;
    std::function<void(cairo_t*)> paint;
};

// The lamp's size as the control table gives it.
const ControlPlace& lampPlace(int id) {
    for (const ControlPlace& c : kControlPlaces)
        if (c.kind == ControlKind::LampButton && c.bitmap == id) return c;
    throw std::logic_error("no lamp uses bitmap " + std::to_string(id));
}

Recipe lamp(int id) {
    const ControlPlace& c = lampPlace(id);
    return {id, c.travel, c.height, [id, w = c.travel, h = c.height](cairo_t* cr) {
                artwork::paintLamp(cr, id, w, h, true);
            }};
}

Recipe cap(int id) {
    return {id, kFaderCapWidth, kFaderCapHeight,
            [id](cairo_t* cr) { artwork::paintFaderCap(cr, id); }};
}

std::vector<Recipe> recipes() {
    return {
        {kBitmapSkin, kEditorWidth, kEditorHeight, artwork::paintSkin},
        lamp(kBitmapNormalizeLit),
        lamp(kBitmapBandOnLit),
        lamp(kBitmapDitherLit),
        lamp(kBitmapBypassLit),
        {kBitmapOutputMeterLit, kOutputBarWidth, kOutputMeterHeight,
         [](cairo_t* cr) { artwork::paintOutputMeter(cr, true, 1); }},
        {kBitmapGainMeterLit, kGainStripWidth, 257,
         [](cairo_t* cr) { artwork::paintGainStrip(cr, true, 257); }},
        lamp(kBitmapLookAheadLit),
        cap(kBitmapCapStandard),
        cap(kBitmapCapThreshold),
        cap(kBitmapCapLimiter),
        {kBitmapHighlight, 44, 18, artwork::paintHighlight},
        {kBitmapCapZoom, kSmallCapWidth, kSmallCapHeight, artwork::paintZoomCap},
        lamp(kBitmapBandBypassLit),
        lamp(kBitmapBandAttackLit),
        {kBitmapInfoPicture, 224, 224, artwork::paintInfoPicture},
        {kBitmapOkButton, 117, 47, [](cairo_t* cr) { artwork::paintOkButton(cr, false); }},
        {kBitmapOkButtonHover, 117, 47, [](cairo_t* cr) { artwork::paintOkButton(cr, true); }},
    };
}

// Every picture drawn at a scale: its logical size times the scale, the
// painter's pixels made device pixels by the context's matrix.
std::vector<artwork::Picture> paintAll(platform::Scale scale) {
    std::vector<artwork::Picture> pictures;
    for (const Recipe& r : recipes()) {
        cairo_surface_t* surface = cairo_image_surface_create(
            CAIRO_FORMAT_RGB24, scale.device(r.width), scale.device(r.height));
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale.factor(), scale.factor());
        r.paint(cr);
        cairo_destroy(cr);
        pictures.push_back({r.id, surface});
    }
    return pictures;
}

cairo_surface_t* find(const std::vector<artwork::Picture>& pictures, int id) {
    for (const artwork::Picture& p : pictures)
        if (p.id == id) return p.surface;
    return nullptr;
}

void blit(cairo_t* cr, cairo_surface_t* source, int x, int y) {
    cairo_set_source_surface(cr, source, x, y);
    cairo_paint(cr);
}

// Clips to the rows a meter lights and draws its lit picture there.
void litRows(cairo_t* cr, cairo_surface_t* lit, int x, int y, int w, int fromRow, int toRow) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y + fromRow, w, toRow - fromRow);
    cairo_clip(cr);
    blit(cr, lit, x, y);
    cairo_restore(cr);
}

bool writePreview(const std::vector<artwork::Picture>& pictures, const char* file) {
    cairo_surface_t* out =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kEditorWidth, kEditorHeight);
    cairo_t* cr = cairo_create(out);
    blit(cr, find(pictures, kBitmapSkin), 0, 0);
    int n = 0;
    for (const ControlPlace& c : kControlPlaces) {
        const float q = static_cast<float>((n++ * 37) % 100) / 100.0f;
        const int offset = static_cast<int>(q * (c.travel - 1));
        if (c.kind == ControlKind::Fader)
            blit(cr, find(pictures, c.bitmap), c.x, c.y + offset - kFaderCapAbove);
        else if (c.kind == ControlKind::SmallFader)
            blit(cr, find(pictures, c.bitmap), c.x, c.y + offset - kSmallCapAbove);
        else if (n % 2 == 0)
            blit(cr, find(pictures, c.bitmap), c.x, c.y);
    }
    const int gainHeights[4] = {40, 12, 75, 22};
    for (int d = 0; d < 4; ++d)
        litRows(cr, find(pictures, kBitmapGainMeterLit), kGainStripPlaces[d].x,
                kGainStripPlaces[d].y, kGainStripWidth, 0, gainHeights[d]);
    const Place meter = kOutputMeterPlace;
    litRows(cr, find(pictures, kBitmapOutputMeterLit), meter.x, meter.y, kOutputBarWidth,
            kOutputMeterHeight - 232, kOutputMeterHeight);
    litRows(cr, find(pictures, kBitmapOutputMeterLit), meter.x + kOutputRightBarX, meter.y,
            kOutputBarWidth, kOutputMeterHeight - 205, kOutputMeterHeight);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(out, file) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--preview") == 0)) {
        std::cerr << "usage: make_artwork BMP_DIR TABLE.cpp [--preview PREVIEW.png]\n";
        return 2;
    }
    const std::filesystem::path bmpDir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(bmpDir, ec);

    std::vector<artwork::ScalePictures> scales;
    bool ok = true;
    for (platform::Scale scale : platform::kEditorScales) {
        const std::filesystem::path dir =
            scale.isIdentity() ? bmpDir : bmpDir / std::to_string(scale.percent());
        std::filesystem::create_directories(dir, ec);
        scales.push_back({scale, paintAll(scale)});
        for (const artwork::Picture& p : scales.back().pictures)
            ok = ok && artwork::writeBmp(p, dir / (std::to_string(p.id) + ".bmp"));
    }
    ok = ok && artwork::writeTable(scales, argv[2]);
    if (ok && argc == 5) ok = writePreview(scales.front().pictures, argv[4]);
    for (const artwork::ScalePictures& set : scales)
        for (const artwork::Picture& p : set.pictures) cairo_surface_destroy(p.surface);
    if (!ok) {
        std::cerr << "make_artwork: cannot write the artwork\n";
        return 1;
    }
    return 0;
}
