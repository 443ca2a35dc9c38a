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

// A picture for the desktop with real transparency: size x size pixels of
// red, green, blue and alpha bytes, rows top to bottom.
struct IconImage {
  int size = 0;
  std::vector<unsigned char> rgba;
};

// The pictures the program carries beside the skin.
struct ProgramPictures {
  Canvas gameIcon;     // 32 x 32 sample game icon
  Canvas hinge;        // 266 x 86 strip between the preview screens
  Canvas aboutBanner;  // 468 x 60, full colour
  Canvas appIcon;      // kBuiltinAppIconSize square, keyed, full colour
};

// All pictures of the built-in skin in table order (53 entries).
std::vector<Picture> drawSkinPictures();
Canvas drawSampleGameIcon();
Canvas drawHingeStrip();
ProgramPictures drawProgramPictures();

// The application icon, drawn for each size so small ones stay crisp.
IconImage drawAppIcon(int size);
// The icon as the program carries it: mostly covered pixels opaque, the rest
// the transparent key colour.
Canvas keyedIcon(const IconImage& icon);
// 468 x 60 banner of the about box.
Canvas drawAboutBanner();

// The sizes an installer takes the icon in.
inline constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256, 512};
// Size of the icon the program itself carries.
inline constexpr int kBuiltinAppIconSize = 256;
