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

// `picture` is the table name of `image`, for the record.
void blit(Painter& painter, const Image& image, std::string_view picture, Coord x, Coord y,
          Color key = kTransparentGreen) {
  painter.blitKeyed(image, screenCoord(x), screenCoord(y), key, picture);
}

void blit(Painter& painter, const PreviewSources& sources, std::string_view picture, Coord x,
          Coord y, Color key = kTransparentGreen) {
  blit(painter, sources.images.picture(picture), picture, x, y, key);
}

void text(Painter& painter, Coord x, Coord y, std::string_view utf8, Color color,
          SkinFieldName colorField) {
  painter.drawText(screenCoord(x), screenCoord(y), utf8, color, colorField);
}

// The browser's two corner buttons, copied again over a window.
void cornerButtons(Painter& painter, const PreviewSources& sources) {
  const SkinModel& model = sources.model;
  {
    const ElementScope element(painter, "brightness btn");
    blit(painter, sources, "brightness.bmp", model.brightnessBtn.x, model.brightnessBtn.y,
         kOpaqueKey);
  }
  const ElementScope element(painter, "reback btn");
  blit(painter, sources, "reBack.bmp", model.rebackBtn.x, model.rebackBtn.y);
}

// "title_bg.bmp" once per pixel column from `firstX` to `lastX`, opaque. Only
// columns whose copy can reach the screen are visited, so a huge window
// costs no more than a small one.
void titleColumns(Painter& painter, const Image& background, Coord firstX, Coord lastX, Coord y) {
  if (background.empty()) return;
  const Coord from = std::max<Coord>(firstX, 1 - Coord{background.width});
  const Coord to = std::min<Coord>(lastX, kScreenWidth - 1);
  for (Coord x = from; x <= to; ++x) blit(painter, background, "title_bg.bmp", x, y, kOpaqueKey);
}

}  // namespace

void drawButtonLabel(Painter& painter, std::string_view label, Coord buttonX, int buttonWidth,
                     Coord y, Color color, SkinFieldName colorField) {
  std::string shown(label);
  int width = textWidth(shown);
  if (width >= buttonWidth) {
    shown = fitText(label, buttonWidth);
    width = textWidth(shown);
  }
  text(painter, buttonX + (Coord{buttonWidth} - width) / 2, y, shown, color, colorField);
}

Image drawMessageBoxScreen(int view, const PreviewSources& sources, DrawRecord* record) {
  const auto* box = std::find_if(kMessageBoxes.begin(), kMessageBoxes.end(),
                                 [view](const MessageBoxText& m) { return m.view == view; });
  if (box == kMessageBoxes.end()) return {};
  const GlobalSettingsSection& colors = sources.model.globalSettings;

  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  drawStartMenuLayers(painter, sources, view);

  fillBox(painter, 12, 65, 234, 80, colors.formFrameColor, globalColor("formFrameColor"));
  fillBox(painter, 13, 66, 232, 78, colors.formBodyColor, globalColor("formBodyColor"));
  for (std::size_t i = 0; i < box->lines.size(); ++i)
    text(painter, 36, 74 + 12 * static_cast<Coord>(i), box->lines[i], colors.formTextColor,
         globalColor("formTextColor"));

  const Image& button = sources.images.picture("btn3.bmp");
  const Coord buttonWidth = button.width;
  const Coord rightX = 237 - buttonWidth;
  const Coord leftX = 229 - 2 * buttonWidth;
  blit(painter, button, "btn3.bmp", rightX, 126);
  blit(painter, button, "btn3.bmp", leftX, 126);
  constexpr SkinFieldName labelColor = globalColor("buttonTextColor");
  drawButtonLabel(painter, box->leftLabel, leftX, button.width, 125, colors.buttonTextColor,
                  labelColor);
  drawButtonLabel(painter, kRightLabel, rightX, button.width, 125, colors.buttonTextColor,
                  labelColor);

  cornerButtons(painter, sources);

  // The right piece is placed by the left piece's width, as on the handheld.
  const Image& titleLeft = sources.images.picture("title_left.bmp");
  const Image& titleBackground = sources.images.picture("title_bg.bmp");
  const Coord leftWidth = titleLeft.width;
  const Coord barY = 65 - Coord{titleLeft.height};
  blit(painter, titleLeft, "title_left.bmp", 12, barY);
  titleColumns(painter, titleBackground, 12 + leftWidth, 12 + leftWidth + 232 - 2 * leftWidth,
               barY);
  blit(painter, sources, "title_right.bmp", 246 - leftWidth, barY);

  const Coord barHeight = titleBackground.height;
  text(painter, 112, box->titleY - barHeight + (barHeight - 12) / 2, box->title,
       colors.formTitleTextColor, globalColor("formTitleTextColor"));
  return screen;
}

Image drawHelpWindowScreen(const PreviewSources& sources, DrawRecord* record) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
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

  // What the [help window] size places carries its name; the lines and the
  // button keep their places whatever the window's size.
  {
    const ElementScope element(painter, "help window");
    fillBox(painter, hx, hy + leftHeight, w, h - leftHeight, colors.formFrameColor,
            globalColor("formFrameColor"));
    fillBox(painter, hx + 1, hy + leftHeight + 1, w - 2, h - leftHeight - 2, colors.formBodyColor,
            globalColor("formBodyColor"));
  }
  for (const HelpLine& line : kHelpLines)
    text(painter, 38, line.y, line.text, colors.formTextColor, globalColor("formTextColor"));

  {
    const ElementScope element(painter, "help window");
    blit(painter, titleLeft, "title_left.bmp", hx, hy);
    titleColumns(painter, sources.images.picture("title_bg.bmp"), hx + rightWidth,
                 hx + rightWidth + w - leftWidth - rightWidth, hy);
    blit(painter, titleRight, "title_right.bmp", hx + w - leftWidth, hy);
  }

  const Image& button = sources.images.picture("btn.bmp");
  const Coord buttonX = 217 - Coord{button.width};
  blit(painter, button, "btn.bmp", buttonX, 154);

  {
    const ElementScope element(painter, "help window");
    text(painter, hx + 56, hy, "Help informations", colors.formTitleTextColor,
         globalColor("formTitleTextColor"));
  }
  drawButtonLabel(painter, "OK(A) ", buttonX, button.width, 153, colors.buttonTextColor,
                  globalColor("buttonTextColor"));
  return screen;
}

Image drawHotkeyWindowScreen(const PreviewSources& sources, DrawRecord* record) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  drawStartMenuLayers(painter, sources, 10);

  const Image& background = sources.images.picture("hotkeybk.bmp");
  const Coord kx = (kScreenWidth - Coord{background.width}) / 2;
  const Coord ky = (kScreenHeight - Coord{background.height}) / 2;
  blit(painter, background, "hotkeybk.bmp", kx, ky);

  const Image& button = sources.images.picture("btn.bmp");
  blit(painter, button, "btn.bmp", 75, 139);
  blit(painter, button, "btn.bmp", 135, 139);

  constexpr SkinFieldName labelColor = globalColor("buttonTextColor");
  text(painter, 110, 32, "Hotkey", colors.formTitleTextColor, globalColor("formTitleTextColor"));
  text(painter, 86, 138, "OK(A)", colors.buttonTextColor, labelColor);
  text(painter, 146, 138, "NO(B)", colors.buttonTextColor, labelColor);

  struct Lamp {
    const Image* image;
    std::string_view picture;
  };
  const Lamp on{&sources.images.picture("activehotkey.bmp"), "activehotkey.bmp"};
  const Lamp off{&sources.images.picture("noactivehotke.bmp"), "noactivehotke.bmp"};
  const std::array<Lamp, 6> leftColumn = {on, on, off, off, off, off};
  const std::array<Lamp, 6> rightColumn = {off, off, off, off, on, off};
  for (std::size_t i = 0; i < leftColumn.size(); ++i)
    blit(painter, *leftColumn[i].image, leftColumn[i].picture, kx + 16,
         ky + 26 + 12 * static_cast<Coord>(i));
  for (std::size_t i = 0; i < rightColumn.size(); ++i)
    blit(painter, *rightColumn[i].image, rightColumn[i].picture, kx + 178,
         ky + 26 + 12 * static_cast<Coord>(i));
  return screen;
}

Image drawGameSettingsScreen(const PreviewSources& sources, DrawRecord* record) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  drawMenuBackdrop(painter, sources);

  blit(painter, sources, "settingbg.bmp", 28, 46);
  blit(painter, sources, "close1.bmp", 200, 49);

  constexpr SkinFieldName infoColor = globalColor("romInfoTextColor");
  text(painter, 80, 46, "0022 - Super Mario", colors.romInfoTitleColor,
       globalColor("romInfoTitleColor"));
  text(painter, 80, 70, "Multi-Save", colors.romInfoTextColor, infoColor);
  text(painter, 80, 90, "Cheat", colors.romInfoTextColor, infoColor);
  text(painter, 80, 110, "Mode", colors.romInfoTextColor, infoColor);

  struct SpinBox {
    int y;
    Color body;
    SkinFieldName bodyField;
    std::string_view value;
    int valueOffset;
    Color valueColor;
    SkinFieldName valueField;
  };
  const std::array<SpinBox, 3> spinBoxes = {{
      {72, colors.spinBoxFocusColor, globalColor("spinBoxFocusColor"), "3", 26,
       colors.spinBoxTextHighLightColor, globalColor("spinBoxTextHighLightColor")},
      {92, colors.spinBoxNormalColor, globalColor("spinBoxNormalColor"), "On", 23,
       colors.spinBoxTextColor, globalColor("spinBoxTextColor")},
      {112, colors.spinBoxNormalColor, globalColor("spinBoxNormalColor"), "Patch", 14,
       colors.spinBoxTextColor, globalColor("spinBoxTextColor")},
  }};
  for (const SpinBox& spin : spinBoxes) {
    fillBox(painter, 148, spin.y, 56, 14, colors.spinBoxFrameColor,
            globalColor("spinBoxFrameColor"));
    fillBox(painter, 149, spin.y + 1, 54, 12, spin.body, spin.bodyField);
    text(painter, 148 + spin.valueOffset, spin.y - 1, spin.value, spin.valueColor, spin.valueField);
  }

  blit(painter, builtinSampleGameIcon(), "", 40, 74);
  const Image& spinLeft = sources.images.picture("spin_btn_left.bmp");
  const Image& spinRight = sources.images.picture("spin_btn_right.bmp");
  for (const SpinBox& spin : spinBoxes) {
    blit(painter, spinLeft, "spin_btn_left.bmp", 145 - Coord{spinLeft.width}, spin.y);
    blit(painter, spinRight, "spin_btn_right.bmp", 207, spin.y);
  }
  blit(painter, sources, "cheatmenubtn.bmp", 36, 131);
  const Image& button = sources.images.picture("btn.bmp");
  blit(painter, button, "btn.bmp", 120, 131);
  blit(painter, button, "btn.bmp", 170, 131);
  cornerButtons(painter, sources);

  constexpr SkinFieldName labelColor = globalColor("buttonTextColor");
  text(painter, 50, 130, "Cheat(Y)", colors.buttonTextColor, labelColor);
  text(painter, 131, 130, "OK(A)", colors.buttonTextColor, labelColor);
  text(painter, 181, 130, "NO(B)", colors.buttonTextColor, labelColor);
  return screen;
}
