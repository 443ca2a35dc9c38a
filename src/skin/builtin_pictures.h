// Pictures the program carries in itself, drawn by tools/artgen.
#pragma once

#include "imaging/image.h"

// The built-in picture of skin image entry `index` (table order, 0..52).
const Image& builtinSkinPicture(int index);

// 32 x 32 game icon the preview shows for the selected game.
const Image& builtinSampleGameIcon();

// 266 x 86 hinge drawn between the two screens of the preview.
const Image& builtinHingeStrip();
