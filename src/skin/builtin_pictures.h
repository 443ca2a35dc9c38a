// Pictures the program carries in itself, drawn by tools/artgen.
#pragma once

#include "imaging/image.h"

// The built-in picture of skin image entry `index` (table order, 0..52).
const Image& builtinSkinPicture(int index);

// 32 x 32 game icon the preview shows for the selected game.
const Image& builtinSampleGameIcon();

// 266 x 86 hinge drawn between the two screens of the preview.
const Image& builtinHingeStrip();

// 468 x 60 banner at the top of the about box, full 8-bit colour.
const Image& builtinAboutBanner();

// 256 x 256 application icon, full 8-bit colour; pixels of the key colour
// (0, 248, 0) are transparent.
const Image& builtinAppIcon();
