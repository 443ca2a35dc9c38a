#include "pictures.h"

#include <functional>

#include "draw.h"
#include "palette.h"

namespace {

Canvas crop(const Canvas& src, int x, int y, int w, int h) {
  Canvas c(w, h, kKey);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) c.set(i, j, src.get(x + i, y + j));
  return c;
}

Canvas menuPiece(int x, int w) { return crop(drawMenuFrame(), x, 0, w, 116); }

Canvas titlePiece(int part) {
  Canvas bar = drawTitleBar(114);
  if (part == 1) return crop(bar, 56, 0, 2, 16);
  if (part == 2) {
    Canvas right = crop(bar, 58, 0, 56, 16);
    for (int k = 0; k < 3; ++k) right.fill(38 + k * 4, 7, 2, 2, rgb(240, 136, 192));
    return right;
  }
  Canvas left = crop(bar, 0, 0, 56, 16);
  left.polygon({{6, 8}, {10, 3.5}, {14, 8}, {10, 12.5}}, rgb(40, 0, 24));
  left.polygon({{7.2, 8}, {10, 4.9}, {12.8, 8}, {10, 11.1}}, kCyan);
  left.polygon({{7.2, 8}, {10, 4.9}, {12.8, 8}}, rgb(176, 240, 248));
  quantize(left);
  return left;
}

struct PictureRecipe {
  const char* name;
  std::function<Canvas()> draw;
};

const std::vector<PictureRecipe>& recipes() {
  static const std::vector<PictureRecipe> all = {
      {"active.bmp", drawCheckMark},
      {"activehotkey.bmp", [] { return drawHotkeyLamp(true); }},
      {"brightness.bmp", drawBrightnessButton},
      {"btn.bmp", [] { return drawButton(47, 14); }},
      {"btn3.bmp", [] { return drawButton(39, 14); }},
      {"cardFrame0.bmp", [] { return drawCard(false); }},
      {"cardFrame1.bmp", [] { return drawCard(true); }},
      {"cheat_clearall.bmp", drawClearAll},
      {"cheatbg.bmp", drawCheatBackground},
      {"cheatmenubtn.bmp", [] { return drawButton(70, 14); }},
      {"cheatselectbar.bmp", drawCheatSelectBar},
      {"clock_colon.bmp", drawClockColon},
      {"clock_numbers.bmp", drawClockDigits},
      {"close.bmp", [] { return drawCloseButton(13, 12); }},
      {"close1.bmp", [] { return drawCloseButton(20, 13); }},
      {"fathernode.bmp", drawTreeFolder},
      {"form_L.bmp", [] { return menuPiece(0, 28); }},
      {"form_M.bmp", [] { return menuPiece(28, 3); }},
      {"form_R.bmp", [] { return menuPiece(72, 36); }},
      {"hotkeybk.bmp", drawHotkeyWindow},
      {"lamp.bmp", drawLamp},
      {"lower_screen.bmp", drawLowerScreen},
      {"noactivehotke.bmp", [] { return drawHotkeyLamp(false); }},
      {"onehotdown.bmp", [] { return drawRadio(false); }},
      {"onehoton.bmp", [] { return drawRadio(true); }},
      {"pitchdown.bmp", [] { return drawCheckBox(false); }},
      {"pitchon.bmp", [] { return drawCheckBox(true); }},
      {"popsubbar.bmp", drawPopSubBar},
      {"progress_bar.bmp", drawProgressBar},
      {"progress_wnd.bmp", drawProgressWindow},
      {"reBack.bmp", drawBackButton},
      {"selectbar.bmp", drawSelectBar},
      {"settingbg.bmp", drawSettingWindow},
      {"spin_btn_left.bmp", [] { return drawSpinButton(true); }},
      {"spin_btn_right.bmp", [] { return drawSpinButton(false); }},
      {"start_released.bmp", drawStartButton},
      {"startbar.bmp", drawStartBar},
      {"title_bg.bmp", [] { return titlePiece(1); }},
      {"title_left.bmp", [] { return titlePiece(0); }},
      {"title_right.bmp", [] { return titlePiece(2); }},
      {"triangle.bmp", drawTriangle},
      {"upper_screen.bmp", drawUpperScreen},
      {"icon/cheat.bmp", drawCheatIcon},
      {"icon/dpg.bmp", drawVideoIcon},
      {"icon/gba.bmp", drawGbaIcon},
      {"icon/nds.bmp", drawNdsIcon},
      {"icon/plg.bmp", drawPluginIcon},
      {"icon/pth.bmp", [] { return drawFolderIcon(false); }},
      {"icon/realtime.bmp", drawClockIcon},
      {"icon/rpth.bmp", [] { return drawFolderIcon(true); }},
      {"icon/sav.bmp", drawSaveIcon},
      {"icon/txt.bmp", drawTextIcon},
      {"icon/unk.bmp", drawUnknownIcon},
  };
  return all;
}

}  // namespace

std::vector<Picture> drawSkinPictures() {
  std::vector<Picture> all;
  for (const PictureRecipe& s : recipes()) {
    Picture p{s.name, s.draw(), false};
    p.fullColour = p.name == "progress_bar.bmp" || p.name == "progress_wnd.bmp";
    if (!p.fullColour) quantize(p.canvas);
    all.push_back(std::move(p));
  }
  return all;
}

Canvas drawSampleGameIcon() { return drawGameIcon(); }

Canvas drawHingeStrip() { return drawHinge(); }

ProgramPictures drawProgramPictures() {
  return {drawSampleGameIcon(), drawHingeStrip(), drawAboutBanner(),
          keyedIcon(drawAppIcon(kBuiltinAppIconSize))};
}
