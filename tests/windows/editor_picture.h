// The editor's real window as the picture tests take and judge it: after
// its first display tick, captured from the window's device context, and
// compared with a reference picture (the software canvas's golden pictures,
// or the editor as Windows drew it before). Identical outside text; GDI's
// text may differ from the reference within a budget per text rectangle.
#pragma once

#include <windows.h>

#include <string>

#include "platform/scale.h"
#include "windows/bmp_picture.h"

// Differing pixels allowed in one text rectangle (42 x 15 = 630 pixels at
// 1.0): about a third of it, what two renderers' edges of the same glyph
// outlines differ by; a wrong or moved text differs in far more. At a scale
// the rectangle and the budget grow with its area.
inline constexpr int kTextPixelBudget = 200;

// The reference `name`.bmp from VELMORIN_REFERENCE_DIR; empty when missing.
Picture referencePicture(const std::string& name);

// Runs the editor's first display tick only, paints it again and captures
// it: the window as the golden pictures show it, with nothing moving. An
// empty picture when no tick came within `timeoutMs`.
Picture pictureAfterFirstTick(HWND editor, int timeoutMs = 5000);

// Checks (with GoogleTest) that `window`, the editor drawn at `scale`, is
// `reference` outside the text rectangles and within the text budget in
// each, prints the figures, and leaves `name`-windows.bmp,
// `name`-reference.bmp and `name`-difference.bmp in VELMORIN_ARTEFACT_DIR
// when any pixel differs.
void expectSameEditorPicture(const Picture& window, const Picture& reference,
                             const std::string& name, platform::Scale scale = {});
