// Resource identifiers of the editor's bitmaps, shared by the artwork
// generator, the resource tables and the editor.
#pragma once

namespace velmorin {

enum BitmapId : int {
    kBitmapOutputMeterLit = 106,  // 15 x 289, one output bar fully lit
    kBitmapGainMeterLit = 107,    // 13 x 257, a gain-reduction bar fully lit
    kBitmapNormalizeLit = 108,    // 44 x 21
    kBitmapCapLimiter = 116,      // 16 x 34
    kBitmapCapStandard = 117,     // 16 x 34, ratio, mix and output faders
    kBitmapSkin = 118,            // 654 x 431, everything unlit
    kBitmapCapThreshold = 125,    // 16 x 34
    kBitmapHighlight = 127,       // 44 x 18, red channel = highlight strength
    kBitmapCapZoom = 129,         // 13 x 21
    kBitmapDitherLit = 141,       // 44 x 21
    kBitmapBypassLit = 142,       // 44 x 21
    kBitmapLookAheadLit = 146,    // 44 x 21
    kBitmapBandBypassLit = 149,   // 28 x 13
    kBitmapBandOnLit = 151,       // 28 x 13
    kBitmapBandAttackLit = 153,   // 28 x 13
    kBitmapInfoPicture = 162,     // 224 x 224
    kBitmapOkButtonHover = 168,   // 117 x 47
    kBitmapOkButton = 171,        // 117 x 47
};

}  // namespace velmorin
