// Where everything sits on the 654 x 431 editor window. The artwork
// generator paints the skin from these same numbers, so a control and its
// picture cannot disagree.
#pragma once

#include <array>
#include <cstdint>

#include "editor/bitmap_ids.h"
#include "params/parameter_table.h"

namespace velmorin {

inline constexpr int kEditorWidth = 654;
inline constexpr int kEditorHeight = 431;

enum class ControlKind : std::uint8_t { Fader, SmallFader, LampButton };

// Text format of a fader's read-out.
enum class Readout : std::uint8_t {
    None = 0,
    Output = 4,
    Limiter = 5,
    Mix = 10,
    Ratio = 11,
    Threshold = 12,
};

struct ControlPlace {
    ParameterIndex parameter;
    ControlKind kind;
    BitmapId bitmap;  // cap of a fader, lit picture of a lamp
    int x;            // fader: left of the cap column; lamp: left edge
    int y;            // fader: top of the travel; lamp: top edge
    int travel;       // fader: travel length; lamp: width
    int height;       // lamp only
    float minimum;    // faders only: range at creation
    float maximum;
    Readout readout;  // Fader only
    int boxX;         // Fader only: the read-out and its value box
    int boxY;
};

constexpr ControlPlace fader(ParameterIndex p, BitmapId cap, int x, int y, int travel, float min,
                             float max, Readout readout, int boxX, int boxY) {
    return {p, ControlKind::Fader, cap, x, y, travel, 0, min, max, readout, boxX, boxY};
}
// The zoom faders: travel 42, created with the range 1 to 20.
constexpr ControlPlace zoomFader(ParameterIndex p, int x, int y) {
    return {p, ControlKind::SmallFader, kBitmapCapZoom, x, y, 42, 0, 1, 20, Readout::None, 0, 0};
}
constexpr ControlPlace lamp(ParameterIndex p, BitmapId lit, int x, int y, int w, int h) {
    return {p, ControlKind::LampButton, lit, x, y, w, h, 0, 0, Readout::None, 0, 0};
}

// In the order the editor creates them.
// clang-format off
inline constexpr std::array<ControlPlace, 28> kControlPlaces{{
    zoomFader(kZoomMaster, 482, 162),
    fader(kOutput,     kBitmapCapStandard,  548, 271, 73, 0, 24000, Readout::Output,    535, 223),
    fader(kThrLimiter, kBitmapCapLimiter,   498, 271, 73, 0, 48,    Readout::Limiter,   485, 223),
    fader(kThrH,       kBitmapCapThreshold,  66,  60, 67, 12, 72,   Readout::Threshold,  53,  13),
    fader(kThrM,       kBitmapCapThreshold,  66, 199, 67, 12, 72,   Readout::Threshold,  53, 152),
    fader(kThrL,       kBitmapCapThreshold,  66, 338, 67, 12, 72,   Readout::Threshold,  53, 291),
    fader(kRatioH,     kBitmapCapStandard,  116,  60, 67, 0, 1,     Readout::Ratio,     104,  13),
    fader(kRatioM,     kBitmapCapStandard,  116, 199, 67, 0, 1,     Readout::Ratio,     104, 152),
    fader(kRatioL,     kBitmapCapStandard,  116, 338, 67, 0, 1,     Readout::Ratio,     104, 291),
    fader(kMixH,       kBitmapCapStandard,  447, 271, 73, 0, 240,   Readout::Mix,       435, 223),
    fader(kMixM,       kBitmapCapStandard,  406, 271, 73, 0, 240,   Readout::Mix,       393, 223),
    fader(kMixL,       kBitmapCapStandard,  365, 271, 73, 0, 240,   Readout::Mix,       351, 223),
    zoomFader(kZoomH, 284,  93),
    zoomFader(kZoomM, 284, 231),
    zoomFader(kZoomL, 284, 370),
    lamp(kLookAhead,  kBitmapLookAheadLit,  365, 392, 44, 21),
    lamp(kNormalize,  kBitmapNormalizeLit,  414, 392, 44, 21),
    lamp(kDither,     kBitmapDitherLit,     463, 392, 44, 21),
    lamp(kBypass,     kBitmapBypassLit,     512, 392, 44, 21),
    lamp(kHighOn,     kBitmapBandOnLit,      16,  32, 28, 13),
    lamp(kMidOn,      kBitmapBandOnLit,      16, 171, 28, 13),
    lamp(kLowOn,      kBitmapBandOnLit,      16, 310, 28, 13),
    lamp(kHighBypass, kBitmapBandBypassLit,  16,  49, 28, 13),
    lamp(kMidBypass,  kBitmapBandBypassLit,  16, 188, 28, 13),
    lamp(kLowBypass,  kBitmapBandBypassLit,  16, 327, 28, 13),
    lamp(kHighAtk,    kBitmapBandAttackLit,  16,  66, 28, 13),
    lamp(kMidAtk,     kBitmapBandAttackLit,  16, 205, 28, 13),
    lamp(kLowAtk,     kBitmapBandAttackLit,  16, 344, 28, 13),
}};
// clang-format on

// The value boxes, one per Fader, in the order the editor creates them;
// each lies over its fader's read-out (the ratio boxes one pixel further
// left).
struct ValueBoxPlace {
    ParameterIndex parameter;
    int x;
    int y;
};
inline constexpr std::array<ValueBoxPlace, 11> kValueBoxPlaces{{
    {kOutput, 535, 223},
    {kThrLimiter, 485, 223},
    {kThrH, 53, 13},
    {kRatioH, 103, 13},
    {kThrM, 53, 152},
    {kRatioM, 103, 152},
    {kThrL, 53, 291},
    {kRatioL, 103, 291},
    {kMixH, 435, 223},
    {kMixM, 393, 223},
    {kMixL, 351, 223},
}};

// Cap and read-out sizes; a cap is drawn so that its row kFaderCapAbove
// (kSmallCapAbove) marks the value.
inline constexpr int kFaderCapWidth = 16;
inline constexpr int kFaderCapHeight = 34;
inline constexpr int kFaderCapAbove = 16;
inline constexpr int kSmallCapWidth = 13;
inline constexpr int kSmallCapHeight = 21;
inline constexpr int kSmallCapAbove = 11;
inline constexpr int kReadoutWidth = 42;
inline constexpr int kReadoutHeight = 15;

struct Place {
    int x;
    int y;
};

// Wave displays, by display index: 0 High, 1 Mid, 2 Low, 3 Master.
inline constexpr int kDisplayWidth = 122;
inline constexpr int kDisplayHeight = 128;
inline constexpr std::array<Place, 4> kDisplayPlaces{
    {{156, 14}, {156, 152}, {156, 289}, {352, 82}}};

// Gain-reduction strips where the window shows them; the unlit picture that
// all four are restored from is the Master strip.
inline constexpr int kGainStripWidth = 13;
inline constexpr int kGainStripHeight = 125;
inline constexpr std::array<Place, 4> kGainStripPlaces{
    {{307, 15}, {307, 153}, {307, 291}, {505, 84}}};
inline constexpr Place kGainStripSkinSource = kGainStripPlaces[3];

// The two-bar output meter: left bar x 0..14, right bar x 16..30.
inline constexpr Place kOutputMeterPlace{604, 80};
inline constexpr int kOutputMeterWidth = 31;
inline constexpr int kOutputMeterHeight = 289;
inline constexpr int kOutputBarWidth = 15;
inline constexpr int kOutputRightBarX = 16;
// Rows of lit bar for a peak of full scale, and pixels per decibel.
inline constexpr int kOutputMeterFullScale = 225;
inline constexpr double kOutputMeterPixelsPerDb = 10.6667;
inline constexpr double kGainMeterPixelsPerDb = 10.3765;

// The output level read-out: the skin block restored under it, and the
// rectangle its text is centred in.
inline constexpr Place kLevelReadoutSkin{535, 182};
inline constexpr int kLevelReadoutSkinWidth = 42;
inline constexpr int kLevelReadoutSkinHeight = 15;
inline constexpr int kLevelReadoutLeft = 535;
inline constexpr int kLevelReadoutTop = 183;
inline constexpr int kLevelReadoutRight = 577;
inline constexpr int kLevelReadoutBottom = 197;

// A rectangle from (left, top) to (right, bottom).
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};
// Band rows: the skin's panel of each band, High, Mid, Low.
inline constexpr std::array<Area, 3> kBandPanels{
    {{4, 4, 338, 144}, {4, 147, 338, 284}, {4, 287, 338, 427}}};
inline constexpr Area kMasterPanel{342, 4, 650, 427};

// Spots of the skin that act when clicked (x bounds exclusive, y bounds
// inclusive); the skin labels them.
inline constexpr std::array<Area, 3> kBandSwitchSpots{
    {{444, 243, 468, 252}, {404, 243, 422, 252}, {360, 243, 381, 252}}};
inline constexpr Area kMixResetSpot{404, 362, 422, 370};
inline constexpr Area kInfoSpot{343, 39, 572, 47};
// Meters whose held peak marks a click lets go: the output meter, and the
// gain-reduction strips by display index.
inline constexpr Area kOutputHoldSpot{604, 81, 635, 368};
inline constexpr std::array<Area, 4> kGainHoldSpots{
    {{307, 16, 320, 139}, {307, 154, 320, 277}, {307, 292, 320, 415}, {505, 85, 518, 208}}};

}  // namespace velmorin
