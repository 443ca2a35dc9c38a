// The built-in default skin, drawn from code: the 53 skin pictures in table
// order, the sample game icon and the hinge between the two screens.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct Picture {
  std::string name;  // file name of the skin entry, e.g. "icon/nds.bmp"
  Canvas canvas;
  bool fullColour = false;  // keeps 8-bit channels instead of the handheld's 5-bit steps
};

// All pictures of the built-in skin in table order (53 entries).
std::vector<Picture> drawSkinPictures();
Canvas drawSampleGameIcon();
Canvas drawHingeStrip();
