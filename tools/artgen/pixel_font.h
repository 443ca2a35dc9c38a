// A tiny pixel font of our own (3 x 5 capitals, digits and a few signs) for
// the few letters the pictures carry, so no system font is ever involved.
#pragma once

#include <string_view>

#include "canvas.h"

// Width in pixels of text at the given scale (one blank column between glyphs).
int pixelTextWidth(std::string_view text, int scale = 1);
// Draws text with its top-left corner at (x, y); unknown characters are blank.
void drawPixelText(Canvas& c, int x, int y, std::string_view text, Rgb colour, int scale = 1);
