// The skin: the whole editor with every control unlit or at rest, drawn
// from the editor's own layout table.
#include <cmath>
#include <string>
#include <vector>

#include "artwork/artwork.h"
#include "artwork/palette.h"
#include "editor/layout.h"
#include "params/parameter_text.h"
#include "params/parameter_unit.h"

namespace artwork {
namespace {

using namespace palette;
using velmorin::ControlKind;
using velmorin::ControlPlace;
using velmorin::Readout;

struct ScaleMark {
    float value;  // stored
    std::string label;
};

std::vector<ScaleMark> scaleMarks(velmorin::ParameterIndex parameter) {
    const velmorin::ParameterKind kind = velmorin::parameterKind(parameter);
    std::vector<ScaleMark> marks;
    for (float shown : velmorin::parameterInfo(parameter).scaleMarks)
        marks.push_back(
            {velmorin::storedFromShown(kind, shown), velmorin::scaleMarkText(kind, shown)});
    return marks;
}

// The window row a fader's cap marks for a value, as the fader computes it.
int valueRow(const ControlPlace& c, float value) {
    const float q = (value - c.minimum) / (c.maximum - c.minimum);
    return c.y + static_cast<int>(static_cast<double>(q) * (c.travel - 1));
}

void panel(cairo_t* cr, const velmorin::Area& a) {
    const double w = a.right - a.left, h = a.bottom - a.top;
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, a.top, 0, a.bottom);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.145, 0.16, 0.185);
    cairo_pattern_add_color_stop_rgb(fill, 0.08, 0.133, 0.149, 0.173);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.133, 0.149, 0.173);
    pixelOutline(cr, a.left, a.top, w, h, 4);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    setColour(cr, kPanelEdgeDark);
    cairo_stroke(cr);
    setColour(cr, kPanelEdgeLight, 0.8);  // a lit top edge
    pixelRect(cr, a.left + 4, a.top + 1, w - 8, 1);
    cairo_fill(cr);
}

void faderSlot(cairo_t* cr, const ControlPlace& c) {
    const bool small = c.kind == ControlKind::SmallFader;
    const int columnWidth = small ? velmorin::kSmallCapWidth : velmorin::kFaderCapWidth;
    const int groove = small ? 3 : 4;
    const int grooveX = c.x + (columnWidth - groove) / 2;
    well(cr, grooveX, c.y - 3, groove, c.travel + 5, kGroove);

    std::vector<int> tickRows;
    for (const ScaleMark& m : scaleMarks(c.parameter)) tickRows.push_back(valueRow(c, m.value));
    if (small) tickRows = {c.y, c.y + (c.travel - 1) / 2, c.y + c.travel - 1};
    const int tick = small ? 3 : 4;
    for (int row : tickRows) {
        setColour(cr, kTick);
        pixelRect(cr, grooveX - tick - 2, row, tick, 1);
        pixelRect(cr, grooveX + groove + 2, row, tick, 1);
        cairo_fill(cr);
    }
}

void faderScale(cairo_t* cr, const ControlPlace& c) {
    // Threshold and ratio numbers sit right of their faders; the master
    // faders' numbers sit left, the mix scale once for all three.
    const bool right = c.readout == Readout::Threshold || c.readout == Readout::Ratio;
    if (c.readout == Readout::Mix && c.parameter != velmorin::kMixL) return;
    for (const ScaleMark& m : scaleMarks(c.parameter)) {
        const double y = valueRow(c, m.value) + 0.5;
        if (right)
            text(cr, m.label, c.x + velmorin::kFaderCapWidth + 3, y, 6.5, kScale, false,
                 Align::Left);
        else
            text(cr, m.label, c.x - 3, y, 6.5, kScale, false, Align::Right);
    }
}

void display(cairo_t* cr, velmorin::Place p) {
    const int w = velmorin::kDisplayWidth, h = velmorin::kDisplayHeight;
    well(cr, p.x, p.y, w, h, kDisplayBottom);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, p.y, 0, p.y + h);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.043, 0.063, 0.086);
    cairo_pattern_add_color_stop_rgb(fill, 0.5, 0.035, 0.047, 0.063);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.043, 0.063, 0.086);
    pixelRect(cr, p.x, p.y, w, h);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    setColour(cr, kGridMinor);
    for (int gx : {30, 61, 91}) pixelRect(cr, p.x + gx, p.y, 1, h);
    for (int gy : {32, 96}) pixelRect(cr, p.x, p.y + gy, w, 1);
    cairo_fill(cr);
    setColour(cr, kGridMajor);
    pixelRect(cr, p.x, p.y + h / 2, w, 1);
    cairo_fill(cr);
}

void gainStrip(cairo_t* cr, velmorin::Place p) {
    well(cr, p.x, p.y, velmorin::kGainStripWidth, velmorin::kGainStripHeight, kWell);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    paintGainStrip(cr, false, velmorin::kGainStripHeight);
    cairo_restore(cr);
    const double labelX = p.x + velmorin::kGainStripWidth + 3;
    text(cr, "GR", labelX, p.y + 4, 6, kLabel, true, Align::Left);
    for (int db = 3; db <= 12; db += 3)
        text(cr, std::to_string(db), labelX,
             p.y + std::lround(db * velmorin::kGainMeterPixelsPerDb) - 0.5, 6.5, kScale, false,
             Align::Left);
}

void outputMeter(cairo_t* cr) {
    const velmorin::Place p = velmorin::kOutputMeterPlace;
    well(cr, p.x, p.y, velmorin::kOutputMeterWidth, velmorin::kOutputMeterHeight, kWell);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    paintOutputMeter(cr, false, 2);
    cairo_restore(cr);
    for (int db : {5, 3, 0, -3, -6, -10, -15, -20}) {
        const int height =
            velmorin::kOutputMeterFullScale + std::lround(db * velmorin::kOutputMeterPixelsPerDb);
        const double y = p.y + velmorin::kOutputMeterHeight - height + 0.5;
        const std::string label = db > 0 ? "+" + std::to_string(db) : std::to_string(db);
        text(cr, label, p.x + velmorin::kOutputMeterWidth + 3, y, 6.5, db > 0 ? 0xC0645A : kScale,
             false, Align::Left);
    }
    text(cr, "OUT", p.x + 15.5, p.y - 9, 7, kLabel, true);
    text(cr, "L", p.x + 7.5, p.y + velmorin::kOutputMeterHeight + 8, 6.5, kScale, true);
    text(cr, "R", p.x + 23.5, p.y + velmorin::kOutputMeterHeight + 8, 6.5, kScale, true);
}

void bandLabels(cairo_t* cr, int band) {
    const char* names[3] = {"HIGH", "MID", "LOW"};
    const velmorin::Area& a = velmorin::kBandPanels[band];
    setColour(cr, kBandAccent[band]);  // the band's colour tab
    pixelRect(cr, a.left + 3, a.top + 8, 2, a.bottom - a.top - 16);
    cairo_fill(cr);
    const ControlPlace& threshold = velmorin::kControlPlaces[3 + band];
    const ControlPlace& ratio = velmorin::kControlPlaces[6 + band];
    const ControlPlace& zoom = velmorin::kControlPlaces[12 + band];
    const double nameY = threshold.boxY + velmorin::kReadoutHeight / 2.0;
    text(cr, names[band], 11, nameY, 8.5, kBandAccent[band], true, Align::Left, 0.8);
    const double columnY = threshold.boxY + velmorin::kReadoutHeight + 8;
    text(cr, "THRESH", threshold.x + 8, columnY, 6, kLabel, true);
    text(cr, "RATIO", ratio.x + 8, columnY, 6, kLabel, true);
    text(cr, "ZOOM", zoom.x + 6.5, zoom.y - 20, 5.5, kLabel, true);
}

void masterLabels(cairo_t* cr) {
    const velmorin::Area& spot = velmorin::kInfoSpot;
    const double centre = (spot.left + spot.right) / 2.0;
    text(cr, "QUANDORWEB", centre, 21, 6, kScale, true, Align::Centre, 1.6);
    text(cr, "VELMORIN", centre, (spot.top + spot.bottom) / 2.0, 15, kHeading, true, Align::Centre,
         3.2);
    text(cr, "THREE-BAND MASTERING DYNAMICS", centre, 58, 6, kLabel, false, Align::Centre, 0.9);

    const velmorin::Place master = velmorin::kDisplayPlaces[3];
    text(cr, "MASTER", master.x + velmorin::kDisplayWidth / 2.0, master.y - 8, 7, kLabel, true,
         Align::Centre, 0.6);
    const ControlPlace& zoom = velmorin::kControlPlaces[0];
    text(cr, "ZOOM", zoom.x + 6.5, zoom.y - 20, 5.5, kLabel, true);

    const velmorin::Place level = velmorin::kLevelReadoutSkin;
    well(cr, level.x, level.y, velmorin::kReadoutWidth, velmorin::kReadoutHeight, kWell);
    text(cr, "RMS dB", level.x + velmorin::kReadoutWidth / 2.0, level.y - 8, 6, kLabel, true,
         Align::Centre, 0.4);

    text(cr, "BAND MIX", 413, 216, 6, kLabel, true);
    const char* names[3] = {"HIGH", "MID", "LOW"};
    for (int band = 0; band < 3; ++band) {
        const velmorin::Area& s = velmorin::kBandSwitchSpots[band];
        text(cr, names[band], (s.left + s.right) / 2.0, (s.top + s.bottom + 1) / 2.0, 7,
             kBandAccent[band], true);
    }
    text(cr, "LIMIT", 506, 247.5, 7, kLabel, true);
    text(cr, "OUTPUT", 556, 247.5, 7, kLabel, true);
    const velmorin::Area& reset = velmorin::kMixResetSpot;
    text(cr, "0 dB", (reset.left + reset.right) / 2.0, (reset.top + reset.bottom + 1) / 2.0, 6,
         kScale, true, Align::Centre);
}

}  // namespace

void paintSkin(cairo_t* cr) {
    setColour(cr, kBackground);
    cairo_paint(cr);
    for (const velmorin::Area& a : velmorin::kBandPanels) panel(cr, a);
    panel(cr, velmorin::kMasterPanel);

    for (velmorin::Place p : velmorin::kDisplayPlaces) display(cr, p);
    for (velmorin::Place p : velmorin::kGainStripPlaces) gainStrip(cr, p);
    outputMeter(cr);
    for (int band = 0; band < 3; ++band) bandLabels(cr, band);
    masterLabels(cr);

    for (const ControlPlace& c : velmorin::kControlPlaces) {
        if (c.kind == ControlKind::LampButton) {
            cairo_save(cr);
            cairo_translate(cr, c.x, c.y);
            paintLamp(cr, c.bitmap, c.travel, c.height, false);
            cairo_restore(cr);
            continue;
        }
        faderSlot(cr, c);
        faderScale(cr, c);
        if (c.kind == ControlKind::Fader)
            well(cr, c.boxX, c.boxY, velmorin::kReadoutWidth, velmorin::kReadoutHeight, kWell);
    }
}

}  // namespace artwork
