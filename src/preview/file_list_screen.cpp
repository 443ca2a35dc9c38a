#include "preview/file_list_screen.h"

#include <string>

#include "preview/screen_coords.h"
#include "skin/builtin_pictures.h"

namespace {

struct GridEntry {
  const char* icon;   // skin picture, or nullptr for the selected game's icon
  const char* label;  // nullptr for the selected game, whose label is fitted
  int iconX;
  int labelX;
};

constexpr int kGridIconY[3] = {10, 64, 118};
constexpr int kGridLabelY[3] = {42, 96, 150};

constexpr GridEntry kGrid[3][4] = {
    {{"icon/rpth.bmp", "../", 16, 15},
     {"icon/cheat.bmp", "cheat.bmp", 77, 71},
     {"icon/dpg.bmp", "dpg.bmp", 138, 132},
     {"icon/gba.bmp", "gba.bmp", 199, 193}},
    {{nullptr, nullptr, 16, 0},
     {"icon/nds.bmp", "nds.bmp", 77, 71},
     {"icon/plg.bmp", "plg.bmp", 138, 132},
     {"icon/pth.bmp", "pth.bmp", 199, 193}},
    {{"icon/realtime.bmp", "realtime", 16, 10},
     {"icon/sav.bmp", "sav.bmp", 77, 71},
     {"icon/txt.bmp", "txt.bmp", 138, 132},
     {"icon/unk.bmp", "unk.bmp", 199, 193}},
};

constexpr const char* kSelectedGameLabel = "0022 - Super Mario";
constexpr int kSelectedLabelField = 60;

// Folder rows of the list view; row 2 is the selected one.
constexpr const char* kListRows[4] = {"Homebrew/", "NDS/", "Cheats/", "Emulators/"};
constexpr int kListRowPitch = 38;

void startLowerScreen(Painter& painter, const PreviewSources& sources) {
  painter.drawImage(sources.images.picture("lower_screen.bmp"), 0, 0, "lower_screen.bmp");
}

void drawStartBar(Painter& painter, const PreviewSources& sources) {
  const SkinModel& m = sources.model;
  const ElementScope element(painter, "start bar");
  painter.blitKeyed(sources.images.picture("startbar.bmp"), m.startBar.x, m.startBar.y, kOpaqueKey,
                    "startbar.bmp");
}

void drawStartButton(Painter& painter, const PreviewSources& sources) {
  const SkinModel& m = sources.model;
  const ElementScope element(painter, "start button");
  painter.blitKeyed(sources.images.picture("start_released.bmp"), m.startButton.x, m.startButton.y,
                    kTransparentGreen, "start_released.bmp");
}

void drawGridIcons(Painter& painter, const PreviewSources& sources) {
  for (int row = 0; row < 3; ++row)
    for (const GridEntry& entry : kGrid[row]) {
      const Image& icon = entry.icon ? sources.images.picture(entry.icon) : builtinSampleGameIcon();
      painter.blitKeyed(icon, entry.iconX, kGridIconY[row], kTransparentGreen,
                        entry.icon ? entry.icon : "");
    }
  drawStartButton(painter, sources);
}

void drawGridTexts(Painter& painter, const PreviewSources& sources) {
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  for (int row = 0; row < 3; ++row)
    for (const GridEntry& entry : kGrid[row])
      if (entry.label)
        painter.drawText(entry.labelX, kGridLabelY[row], entry.label, colors.vTextColor,
                         globalColor("vTextColor"));

  constexpr SkinFieldName frame = globalColor("logoFrameColor");
  painter.line(15, 63, 1, 34, colors.logoFrameColor, frame);
  painter.line(15, 63, 34, 1, colors.logoFrameColor, frame);
  painter.line(48, 63, 1, 34, colors.logoFrameColor, frame);
  painter.line(15, 96, 34, 1, colors.logoFrameColor, frame);

  painter.box(3, 98, 61, 13, colors.listTextBgColor, globalColor("listTextBgColor"));
  const std::string label = fitText(kSelectedGameLabel, kSelectedLabelField);
  painter.drawText(centreOffset(label, kSelectedLabelField) + 4, 96, label,
                   colors.vTextHighLightColor, globalColor("vTextHighLightColor"));
}

void drawBrightnessButton(Painter& painter, const PreviewSources& sources) {
  const SkinModel& m = sources.model;
  const ElementScope element(painter, "brightness btn");
  painter.blitKeyed(sources.images.picture("brightness.bmp"), m.brightnessBtn.x, m.brightnessBtn.y,
                    kOpaqueKey, "brightness.bmp");
}

void drawRebackButton(Painter& painter, const PreviewSources& sources) {
  const SkinModel& m = sources.model;
  const ElementScope element(painter, "reback btn");
  painter.blitKeyed(sources.images.picture("reBack.bmp"), m.rebackBtn.x, m.rebackBtn.y,
                    kTransparentGreen, "reBack.bmp");
}

void drawButtons(Painter& painter, const PreviewSources& sources, const char* cardFrame) {
  const SkinModel& m = sources.model;
  {
    const ElementScope element(painter, "disk icon");
    painter.blitKeyed(sources.images.picture(cardFrame), m.diskIcon.x, m.diskIcon.y,
                      kTransparentGreen, cardFrame);
  }
  drawBrightnessButton(painter, sources);
  drawRebackButton(painter, sources);
}

}  // namespace

Image drawIconView(const PreviewSources& sources, DrawRecord* record) {
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  startLowerScreen(painter, sources);
  drawStartBar(painter, sources);
  drawGridIcons(painter, sources);
  drawGridTexts(painter, sources);
  drawButtons(painter, sources, "cardFrame0.bmp");
  return screen;
}

Image drawListView(const PreviewSources& sources, DrawRecord* record) {
  const SkinModel& m = sources.model;
  const GlobalSettingsSection& colors = m.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  startLowerScreen(painter, sources);
  drawStartBar(painter, sources);
  drawStartButton(painter, sources);

  // Centred on the 32-pixel band of the selected row, whatever its height.
  const Image& bar = sources.images.picture("selectbar.bmp");
  painter.blitKeyed(bar, 0, 55 - (bar.height - 32) / 2, kTransparentGreen, "selectbar.bmp");

  // Only the selected row moves by [logo offset].
  const Image& folder = sources.images.picture("icon/pth.bmp");
  const int ox = m.logoOffset.x, oy = m.logoOffset.y;
  for (int row = 0; row < 4; ++row) {
    const bool selected = row == 1;
    const ElementScope element(painter, selected ? "logo offset" : "");
    painter.blitKeyed(folder, screenCoord(16LL + (selected ? ox : 0)),
                      screenCoord(17LL + kListRowPitch * row + (selected ? oy : 0)),
                      kTransparentGreen, "icon/pth.bmp");
  }
  for (int row = 0; row < 4; ++row) {
    const bool selected = row == 1;
    const ElementScope element(painter, selected ? "logo offset" : "");
    painter.drawText(screenCoord(52LL + (selected ? ox : 0)), 26 + kListRowPitch * row,
                     kListRows[row],
                     selected ? colors.listTextHighLightColor : colors.listTextColor,
                     globalColor(selected ? "listTextHighLightColor" : "listTextColor"));
  }

  drawButtons(painter, sources, "cardFrame1.bmp");
  return screen;
}

void drawMenuBackdrop(Painter& painter, const PreviewSources& sources) {
  // The caller's screen may hold an earlier picture; start from black as a
  // fresh screen would.
  painter.clear(0);
  startLowerScreen(painter, sources);
  drawStartBar(painter, sources);
  drawBrightnessButton(painter, sources);
  drawRebackButton(painter, sources);
  drawGridIcons(painter, sources);
  drawGridTexts(painter, sources);
}
