#include "pictures.h"

#include "palette.h"

namespace {

struct Spec {
  const char* name;
  int width, height;
  Rgb plain;
};

constexpr Spec kSpecs[] = {
    {"active.bmp", 6, 6, kCyan},
    {"activehotkey.bmp", 9, 9, kCyan},
    {"brightness.bmp", 22, 18, kFrameDark},
    {"btn.bmp", 47, 14, kFrameLight},
    {"btn3.bmp", 39, 14, kFrameLight},
    {"cardFrame0.bmp", 23, 18, kFrameLight},
    {"cardFrame1.bmp", 23, 18, kFrameLight},
    {"cheat_clearall.bmp", 16, 12, kFrameLight},
    {"cheatbg.bmp", 256, 192, kBody},
    {"cheatmenubtn.bmp", 70, 14, kFrameLight},
    {"cheatselectbar.bmp", 203, 1, kCyan},
    {"clock_colon.bmp", 10, 31, kOrange},
    {"clock_numbers.bmp", 24, 310, kOrange},
    {"close.bmp", 13, 12, kFrameLight},
    {"close1.bmp", 20, 13, kFrameLight},
    {"fathernode.bmp", 11, 10, kOrange},
    {"form_L.bmp", 28, 116, kFrameDark},
    {"form_M.bmp", 3, 116, kFrameDark},
    {"form_R.bmp", 36, 116, kFrameDark},
    {"hotkeybk.bmp", 198, 127, kBody},
    {"lamp.bmp", 22, 38, kCyan},
    {"lower_screen.bmp", 256, 192, kBody},
    {"noactivehotke.bmp", 9, 9, kFrameDark},
    {"onehotdown.bmp", 11, 10, kFrameDark},
    {"onehoton.bmp", 11, 10, kCyan},
    {"pitchdown.bmp", 11, 10, kFrameDark},
    {"pitchon.bmp", 11, 10, kCyan},
    {"popsubbar.bmp", 1, 12, kFrameLight},
    {"progress_bar.bmp", 102, 12, kCyan},
    {"progress_wnd.bmp", 198, 93, kBody},
    {"reBack.bmp", 23, 18, kFrameDark},
    {"selectbar.bmp", 256, 42, kFrameDark},
    {"settingbg.bmp", 198, 104, kBody},
    {"spin_btn_left.bmp", 8, 14, kFrameLight},
    {"spin_btn_right.bmp", 8, 14, kFrameLight},
    {"start_released.bmp", 58, 20, kFrameLight},
    {"startbar.bmp", 256, 20, kFrameDark},
    {"title_bg.bmp", 2, 16, kFrameLight},
    {"title_left.bmp", 56, 16, kFrameLight},
    {"title_right.bmp", 56, 16, kFrameLight},
    {"triangle.bmp", 14, 16, kCyan},
    {"upper_screen.bmp", 256, 192, kBody},
    {"icon/cheat.bmp", 15, 16, kOrange},
    {"icon/dpg.bmp", 33, 32, kOrange},
    {"icon/gba.bmp", 32, 32, kOrange},
    {"icon/nds.bmp", 32, 32, kOrange},
    {"icon/plg.bmp", 32, 32, kOrange},
    {"icon/pth.bmp", 32, 32, kOrange},
    {"icon/realtime.bmp", 17, 14, kOrange},
    {"icon/rpth.bmp", 32, 32, kOrange},
    {"icon/sav.bmp", 32, 32, kOrange},
    {"icon/txt.bmp", 33, 32, kOrange},
    {"icon/unk.bmp", 8, 14, kOrange},
};

}  // namespace

std::vector<Picture> drawSkinPictures() {
  std::vector<Picture> all;
  for (const Spec& s : kSpecs) {
    Picture p{s.name, Canvas(s.width, s.height, s.plain), false};
    p.fullColour = p.name == "progress_bar.bmp" || p.name == "progress_wnd.bmp";
    if (!p.fullColour) quantize(p.canvas);
    all.push_back(std::move(p));
  }
  return all;
}

Canvas drawSampleGameIcon() { return Canvas(32, 32, kFrameLight); }

Canvas drawHingeStrip() { return Canvas(266, 86, rgb(192, 192, 192)); }
