#include "preview/window_screens.h"

#include <algorithm>
#include <array>
#include <string>

#include "preview/file_list_screen.h"
#include "preview/start_menu.h"
#include "skin/builtin_pictures.h"

namespace {

struct MessageBoxText {
  int view;
  std::string_view title;
  std::array<std::string_view, 3> lines;
  std::string_view leftLabel;
  int titleY;  // where the title sits relative to a 16-pixel title bar
};

constexpr std::array<MessageBoxText, 3> kMessageBoxes = {{
    {3,
     "Confirm",
     {"File cannot be recovered after", "deletion. Do you wish to delete '0022 -",
      "Super Mario DS (E)(M5).nds"},
     "YES(A) ",
     62},
    {5,
     "Warning",
     {"User interface style changed. Restart", "now to apply new style? Press NO to",
      "keep current style."},
     "OK(A) ",
     63},
    {7,
     "Question",
     {"System Language changed. Restart", "now to apply new language? Press NO",
      "to restart later."},
     "OK(A) ",
     63},
}};

constexpr std::string_view kRightLabel = "NO(B) ";

// y and text of each help line; the first seven start with the font's key
// symbols (U+00E0..U+00E6).
struct HelpLine {
  int y;
  std::string_view text;
};
constexpr std::array<HelpLine, 10> kHelpLines = {{
    {32, "\u00e6  Select Programs"},
    {44, "\u00e0  Start/OK/YES"},
    {56, "\u00e1  Back/Cancel/NO"},
    {68, "\u00e3  Select cheats"},
    {80, "\u00e2  Set game info"},
    {92, "\u00e4  Back to parent directory"},
    {104, "\u00e5  Adjust brightnes"},
    {116, "START  Start Menu"},
    {128, "SELECT  Menu style new/classical"},
    {152, "TALVOMENU 1.01"},
}};

void blit(Painter& painter, const Image& image, Coord x, Coord y, Color key = kTransparentGreen) {
  painter.blitKeyed(image, screenCoord(x), screenCoord(y), key);
}

void text(Painter& painter, Coord x, Coord y, std::string_view utf8, Color color) {
  painter.drawText(screenCoord(x), screenCoord(y), utf8, color);
}

// The browser's two corner buttons, copied again over a window.
void cornerButtons(Painter& painter, const PreviewSources& sources) {
  const SkinModel& model = sources.model;
  blit(painter, sources.images.picture("brightness.bmp"), model.brightnessBtn.x,
       model.brightnessBtn.y, kOpaqueKey);
  blit(painter, sources.images.picture("reBack.bmp"), model.rebackBtn.x, model.rebackBtn.y);
}

// "title_bg.bmp" once per pixel column from `firstX` to `lastX`, opaque. Only
// columns whose copy can reach the screen are visited, so a huge window
// costs no more than a small one.
void titleColumns(Painter& painter, const Image& background, Coord firstX, Coord lastX, Coord y) {
  if (background.empty()) return;
  const Coord from = std::max<Coord>(firstX, 1 - Coord{background.width});
  const Coord to = std::min<Coord>(lastX, kScreenWidth - 1);
  for (Coord x = from; x <= to; ++x) blit(painter, background, x, y, kOpaqueKey);
}

}  // namespace

void drawButtonLabel(Painter& painter, std::string_view label, Coord buttonX, int buttonWidth,
                     Coord y, Color color) {
  std::string shown(label);
  int width = textWidth(shown);
  if (width >= buttonWidth) {
    shown = fitText(label, buttonWidth);
    width = textWidth(shown);
  }
  text(painter, buttonX + (Coord{buttonWidth} - width) / 2, y, shown, color);
}

Image drawMessageBoxScreen(int view, const PreviewSources& sources) {
  const auto* box = std::find_if(kMessageBoxes.begin(), kMessageBoxes.end(),
                                 [view](const MessageBoxText& m) { return m.view == view; });
  if (box == kMessageBoxes.end()) return {};
  const GlobalSettingsSection& colors = sources.model.globalSettings;

  Image screen = newScreen();
  Painter painter(screen);
  drawStartMenuLayers(painter, sources, view);

  fillBox(painter, 12, 65, 234, 80, colors.formFrameColor);
  fillBox(painter, 13, 66, 232, 78, colors.formBodyColor);
  for (std::size_t i = 0; i < box->lines.size(); ++i)
    text(painter, 36, 74 + 12 * static_cast<Coord>(i), box->lines[i], colors.formTextColor);

  const Image& button = sources.images.picture("btn3.bmp");
  const Coord buttonWidth = button.width;
  const Coord rightX = 237 - buttonWidth;
  const Coord leftX = 229 - 2 * buttonWidth;
  blit(painter, button, rightX, 126);
  blit(painter, button, leftX, 126);
  drawButtonLabel(painter, box->leftLabel, leftX, button.width, 125, colors.buttonTextColor);
  drawButtonLabel(painter, kRightLabel, rightX, button.width, 125, colors.buttonTextColor);

  cornerButtons(painter, sources);

  // The right piece is placed by the left piece's width, as on the handheld.
  const Image& titleLeft = sources.images.picture("title_left.bmp");
  const Image& titleBackground = sources.images.picture("title_bg.bmp");
  const Coord leftWidth = titleLeft.width;
  const Coord barY = 65 - Coord{titleLeft.height};
  blit(painter, titleLeft, 12, barY);
  titleColumns(painter, titleBackground, 12 + leftWidth, 12 + leftWidth + 232 - 2 * leftWidth,
               barY);
  blit(painter, sources.images.picture("title_right.bmp"), 246 - leftWidth, barY);

  const Coord barHeight = titleBackground.height;
  text(painter, 112, box->titleY - barHeight + (barHeight - 12) / 2, box->title,
       colors.formTitleTextColor);
  return screen;
}

Image drawHelpWindowScreen(const PreviewSources& sources) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen);
  drawStartMenuLayers(painter, sources, 11);

  const Coord w = sources.model.helpWindow.w;
  const Coord h = sources.model.helpWindow.h;
  const Coord hx = (kScreenWidth - w) / 2;
  const Coord hy = (kScreenHeight - h) / 2;
  const Image& titleLeft = sources.images.picture("title_left.bmp");
  const Image& titleRight = sources.images.picture("title_right.bmp");
  const Coord leftWidth = titleLeft.width;
  const Coord leftHeight = titleLeft.height;
  const Coord rightWidth = titleRight.width;

  fillBox(painter, hx, hy + leftHeight, w, h - leftHeight, colors.formFrameColor);
  fillBox(painter, hx + 1, hy + leftHeight + 1, w - 2, h - leftHeight - 2, colors.formBodyColor);
  // The lines keep their places whatever the window's size.
  for (const HelpLine& line : kHelpLines)
    text(painter, 38, line.y, line.text, colors.formTextColor);

  blit(painter, titleLeft, hx, hy);
  titleColumns(painter, sources.images.picture("title_bg.bmp"), hx + rightWidth,
               hx + rightWidth + w - leftWidth - rightWidth, hy);
  blit(painter, titleRight, hx + w - leftWidth, hy);

  const Image& button = sources.images.picture("btn.bmp");
  const Coord buttonX = 217 - Coord{button.width};
  blit(painter, button, buttonX, 154);

  text(painter, hx + 56, hy, "Help informations", colors.formTitleTextColor);
  drawButtonLabel(painter, "OK(A) ", buttonX, button.width, 153, colors.buttonTextColor);
  return screen;
}

Image drawHotkeyWindowScreen(const PreviewSources& sources) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen);
  drawStartMenuLayers(painter, sources, 10);

  const Image& background = sources.images.picture("hotkeybk.bmp");
  const Coord kx = (kScreenWidth - Coord{background.width}) / 2;
  const Coord ky = (kScreenHeight - Coord{background.height}) / 2;
  blit(painter, background, kx, ky);

  const Image& button = sources.images.picture("btn.bmp");
  blit(painter, button, 75, 139);
  blit(painter, button, 135, 139);

  text(painter, 110, 32, "Hotkey", colors.formTitleTextColor);
  text(painter, 86, 138, "OK(A)", colors.buttonTextColor);
  text(painter, 146, 138, "NO(B)", colors.buttonTextColor);

  const Image& on = sources.images.picture("activehotkey.bmp");
  const Image& off = sources.images.picture("noactivehotke.bmp");
  const std::array<const Image*, 6> leftColumn = {&on, &on, &off, &off, &off, &off};
  const std::array<const Image*, 6> rightColumn = {&off, &off, &off, &off, &on, &off};
  for (std::size_t i = 0; i < leftColumn.size(); ++i)
    blit(painter, *leftColumn[i], kx + 16, ky + 26 + 12 * static_cast<Coord>(i));
  for (std::size_t i = 0; i < rightColumn.size(); ++i)
    blit(painter, *rightColumn[i], kx + 178, ky + 26 + 12 * static_cast<Coord>(i));
  return screen;
}

Image drawGameSettingsScreen(const PreviewSources& sources) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen);
  drawMenuBackdrop(painter, sources);

  blit(painter, sources.images.picture("settingbg.bmp"), 28, 46);
  blit(painter, sources.images.picture("close1.bmp"), 200, 49);

  text(painter, 80, 46, "0022 - Super Mario", colors.romInfoTitleColor);
  text(painter, 80, 70, "Multi-Save", colors.romInfoTextColor);
  text(painter, 80, 90, "Cheat", colors.romInfoTextColor);
  text(painter, 80, 110, "Mode", colors.romInfoTextColor);

  struct SpinBox {
    int y;
    Color body;
    std::string_view value;
    int valueOffset;
    Color valueColor;
  };
  const std::array<SpinBox, 3> spinBoxes = {{
      {72, colors.spinBoxFocusColor, "3", 26, colors.spinBoxTextHighLightColor},
      {92, colors.spinBoxNormalColor, "On", 23, colors.spinBoxTextColor},
      {112, colors.spinBoxNormalColor, "Patch", 14, colors.spinBoxTextColor},
  }};
  for (const SpinBox& spin : spinBoxes) {
    fillBox(painter, 148, spin.y, 56, 14, colors.spinBoxFrameColor);
    fillBox(painter, 149, spin.y + 1, 54, 12, spin.body);
    text(painter, 148 + spin.valueOffset, spin.y - 1, spin.value, spin.valueColor);
  }

  blit(painter, builtinSampleGameIcon(), 40, 74);
  const Image& spinLeft = sources.images.picture("spin_btn_left.bmp");
  const Image& spinRight = sources.images.picture("spin_btn_right.bmp");
  for (const SpinBox& spin : spinBoxes) {
    blit(painter, spinLeft, 145 - Coord{spinLeft.width}, spin.y);
    blit(painter, spinRight, 207, spin.y);
  }
  blit(painter, sources.images.picture("cheatmenubtn.bmp"), 36, 131);
  const Image& button = sources.images.picture("btn.bmp");
  blit(painter, button, 120, 131);
  blit(painter, button, 170, 131);
  cornerButtons(painter, sources);

  text(painter, 50, 130, "Cheat(Y)", colors.buttonTextColor);
  text(painter, 131, 130, "OK(A)", colors.buttonTextColor);
  text(painter, 181, 130, "NO(B)", colors.buttonTextColor);
  return screen;
}
