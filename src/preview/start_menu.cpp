#include "preview/start_menu.h"

#include <algorithm>
#include <array>

#include "preview/file_list_screen.h"

namespace {

constexpr std::array<std::string_view, 5> kStartMenuItems = {"File Operation", "Skin", "Language",
                                                             "System settings", "Help"};

constexpr std::array<std::string_view, 4> kFileOperationItems = {"Copy", "Cut", "Paste", "Delete"};
constexpr std::array<std::string_view, 2> kSkinItems = {"PINK", "SILVER"};
constexpr std::array<std::string_view, 8> kLanguageItems = {
    "English", "S-Chinese", "T-Chinese", "French", "Italian", "German", "Spanish", "Korean"};
constexpr std::array<std::string_view, 3> kSystemSettingsItems = {"Display", "Brightness",
                                                                  "Hotkey"};
constexpr std::array<std::string_view, 2> kDisplayItems = {"Icon", "List"};
constexpr std::array<std::string_view, 4> kBrightnessItems = {"Level 1", "Level 2", "Level 3",
                                                              "Level 4"};

constexpr Color kPlainWhite = 0xFFFFFF;

void blit(Painter& painter, const Image& image, Coord x, Coord y, std::string_view picture) {
  painter.blitKeyed(image, screenCoord(x), screenCoord(y), kTransparentGreen, picture);
}

// Half the height plus one, and one more for an odd height: how far above
// the row centre a lamp or triangle of that height starts.
Coord halfPlusOne(int height) { return height / 2 + 1 + height % 2; }

// The lamp of the selected row. The first and last rows lose rows at the top
// or bottom so the lamp stays inside the frame; the cut goes through a
// scratch copy, as the handheld does it.
void drawLamp(Painter& painter, const StartMenuSection& menu, const Image& lamp, int row,
              Coord centre) {
  if (lamp.empty()) return;
  const Coord x = Coord{menu.x} + menu.leftlogoupX;
  const Coord top = centre - halfPlusOne(lamp.height);
  if (row == 0) {
    // A negative cut would pull black rows from outside the lamp into view.
    const int cut = std::clamp(menu.leftlogoupY, 0, lamp.height);
    if (cut == 0) {
      blit(painter, lamp, x, top, "lamp.bmp");
    } else if (cut < lamp.height) {
      blit(painter, grabImage(lamp, 0, cut, lamp.width, lamp.height - cut), x, top + cut,
           "lamp.bmp");
    }
  } else if (row == 4) {
    const int cut = std::clamp(menu.leftlogodownY, 0, lamp.height);
    if (cut == 0) {
      blit(painter, lamp, x, top, "lamp.bmp");
    } else if (cut < lamp.height) {
      blit(painter, grabImage(lamp, 0, 0, lamp.width, lamp.height - cut), x, top, "lamp.bmp");
    }
  } else {
    blit(painter, lamp, x, top, "lamp.bmp");
  }
}

SubmenuLayout firstLevel(std::string_view section, Coord sectionX, Coord sectionY,
                         const SkinModel& model) {
  const Coord p = Coord{model.startMenu.x} + sectionX;
  SubmenuLayout menu;
  menu.section = section;
  menu.boxX = p + 107;
  menu.boxY = sectionY;
  menu.barX = p + 109;
  menu.textX = p + 119;
  return menu;
}

SubmenuLayout systemSettings(const SkinModel& model) {
  SubmenuLayout menu = firstLevel("Syset menu", model.sysetMenu.x, model.sysetMenu.y, model);
  menu.width = 75;
  menu.items = kSystemSettingsItems;
  menu.barRow = 0;
  menu.textX -= 3;
  menu.highlightRow = 0;
  return menu;
}

// Second-level submenus hang off the "System settings" submenu.
SubmenuLayout secondLevel(std::string_view section, Coord sectionX, Coord sectionY,
                          const SkinModel& model) {
  const Coord q = Coord{model.startMenu.x} + model.sysetMenu.x + sectionX;
  SubmenuLayout menu;
  menu.section = section;
  menu.boxX = q + 182;
  menu.boxY = sectionY;
  menu.barX = q + 184;
  menu.textX = q + 194;
  return menu;
}

}  // namespace

void drawStartMenu(Painter& painter, const PreviewSources& sources, int selectedRow, int tileSpan) {
  const StartMenuSection& menu = sources.model.startMenu;
  const Image& left = sources.images.picture("form_L.bmp");
  const Image& middle = sources.images.picture("form_M.bmp");
  const Image& right = sources.images.picture("form_R.bmp");
  const Coord mx = menu.x;
  const Coord my = menu.y;
  const ElementScope element(painter, "start menu");

  blit(painter, left, mx, my, "form_L.bmp");
  // One tile more than fits, the last one tucked under the right piece.
  // Pieces that leave no space between them get no middle tiles at all.
  const Coord space = Coord{tileSpan} - right.width - left.width;
  if (middle.width > 0 && space >= 0) {
    const Coord lastTile = space / middle.width;
    for (Coord i = 0; i <= lastTile; ++i)
      blit(painter, middle, mx + left.width + i * middle.width, my, "form_M.bmp");
  }
  blit(painter, right, mx + kStartMenuWidth - right.width, my, "form_R.bmp");

  const Coord centre = my + menu.itemY + menu.itemHeight / 2 + Coord{selectedRow} * menu.itemHeight;
  drawLamp(painter, menu, sources.images.picture("lamp.bmp"), selectedRow, centre);

  const Image& triangle = sources.images.picture("triangle.bmp");
  if (!triangle.empty()) {
    blit(painter, triangle, mx + kStartMenuWidth - menu.rightLogoX - triangle.width,
         centre - halfPlusOne(triangle.height), "triangle.bmp");
  }

  const GlobalSettingsSection& colors = sources.model.globalSettings;
  for (int j = 0; j < static_cast<int>(kStartMenuItems.size()); ++j) {
    const Coord y = my + menu.itemY + Coord{j} * menu.itemHeight - 2;
    const bool selected = j == selectedRow;
    painter.drawText(screenCoord(mx + menu.itemX), screenCoord(y), kStartMenuItems[j],
                     selected ? colors.popMenuTextHighLightColor : colors.popMenuTextColor,
                     globalColor(selected ? "popMenuTextHighLightColor" : "popMenuTextColor"));
  }
}

void drawSubmenuBox(Painter& painter, const PreviewSources& sources, const SubmenuLayout& menu) {
  const StartMenuSection& start = sources.model.startMenu;
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  const Coord height = static_cast<Coord>(menu.items.size()) * start.subMenuItemHeight +
                       2 * Coord{start.submenuoffsetY};
  const ElementScope element(painter, menu.section);
  fillBox(painter, menu.boxX, menu.boxY, menu.width, height, colors.formFrameColor,
          globalColor("formFrameColor"));
  fillBox(painter, menu.boxX + 1, menu.boxY + 1, Coord{menu.width} - 2, height - 2,
          colors.popSubMenuBodyColor, globalColor("popSubMenuBodyColor"));
}

void drawSubmenuContents(Painter& painter, const PreviewSources& sources,
                         const SubmenuLayout& menu) {
  const StartMenuSection& start = sources.model.startMenu;
  const GlobalSettingsSection& colors = sources.model.globalSettings;
  const Coord firstRow = menu.boxY + start.submenuoffsetY;
  const ElementScope element(painter, menu.section);

  // The bar is laid column by column, so a bar picture of any width fills
  // the box; one wider than the box gives no columns.
  const Image& bar = sources.images.picture("popsubbar.bmp");
  if (!bar.empty()) {
    const Coord barY = firstRow + start.subMenuItemHeight / 2 - bar.height / 2 - 1 +
                       Coord{menu.barRow} * start.subMenuItemHeight;
    const Coord lastColumn = Coord{menu.width} - 4 - bar.width;
    for (Coord i = 0; i <= lastColumn; ++i)
      blit(painter, bar, menu.barX + i, barY, "popsubbar.bmp");
  }

  if (menu.checkRow >= 0) {
    blit(painter, sources.images.picture("active.bmp"), menu.boxX + 4,
         firstRow + Coord{menu.checkRow} * start.subMenuItemHeight + 4, "active.bmp");
  }

  for (int j = 0; j < static_cast<int>(menu.items.size()); ++j) {
    const bool highlighted = j == menu.highlightRow;
    Color color = highlighted ? colors.popSubMenuTextHighLightColor : colors.popSubMenuTextColor;
    SkinFieldName field =
        globalColor(highlighted ? "popSubMenuTextHighLightColor" : "popSubMenuTextColor");
    if (menu.whiteTexts) {
      color = kPlainWhite;
      field = {};
    }
    painter.drawText(screenCoord(menu.textX),
                     screenCoord(firstRow + Coord{j} * start.subMenuItemHeight - 2), menu.items[j],
                     color, field);
  }
}

int startMenuRowOfView(int view) {
  switch (view) {
    case 2:
    case 3:
      return 0;
    case 4:
    case 5:
      return 1;
    case 6:
    case 7:
      return 2;
    case 8:
    case 9:
    case 10:
      return 3;
    case 11:
      return 4;
    default:
      return -1;
  }
}

std::vector<SubmenuLayout> submenusOfView(int view, const SkinModel& model) {
  switch (view) {
    case 2: {
      SubmenuLayout menu =
          firstLevel("file handle menu", model.fileHandleMenu.x, model.fileHandleMenu.y, model);
      menu.width = 70;
      menu.items = kFileOperationItems;
      menu.barRow = 3;
      menu.highlightRow = 3;
      return {menu};
    }
    case 4: {
      SubmenuLayout menu = firstLevel("UiType menu", model.uiTypeMenu.x, model.uiTypeMenu.y, model);
      menu.width = 100;
      menu.items = kSkinItems;
      menu.barRow = 0;
      return {menu};
    }
    case 6: {
      SubmenuLayout menu =
          firstLevel("Language menu", model.languageMenu.x, model.languageMenu.y, model);
      menu.width = 100;
      menu.items = kLanguageItems;
      menu.barRow = 5;
      menu.highlightRow = 5;
      menu.checkRow = 0;
      return {menu};
    }
    case 8: {
      SubmenuLayout display =
          secondLevel("List type menu", model.listTypeMenu.x, model.listTypeMenu.y, model);
      display.width = 50;
      display.items = kDisplayItems;
      display.barRow = 1;
      display.highlightRow = 1;
      display.checkRow = 0;
      return {systemSettings(model), display};
    }
    case 9: {
      SubmenuLayout brightness =
          secondLevel("Brightness menu", model.brightnessMenu.x, model.brightnessMenu.y, model);
      brightness.width = 60;
      brightness.items = kBrightnessItems;
      brightness.barRow = 0;
      brightness.highlightRow = 0;
      brightness.checkRow = 2;
      return {systemSettings(model), brightness};
    }
    case 10: {
      // Under the hotkey window the submenu sits one pixel further right and
      // its texts are not skinned.
      SubmenuLayout menu = systemSettings(model);
      menu.boxX += 1;
      menu.barX += 1;
      menu.barRow = 2;
      menu.highlightRow = -1;
      menu.whiteTexts = true;
      return {menu};
    }
    default:
      return {};
  }
}

void drawStartMenuLayers(Painter& painter, const PreviewSources& sources, int view) {
  drawMenuBackdrop(painter, sources);
  const int row = startMenuRowOfView(view);
  if (row < 0) return;
  drawStartMenu(painter, sources, row, view == 9 ? kStartMenuWidth + 1 : kStartMenuWidth);
  // Each submenu's box covers whatever the layer before it left there.
  for (const SubmenuLayout& menu : submenusOfView(view, sources.model)) {
    drawSubmenuBox(painter, sources, menu);
    drawSubmenuContents(painter, sources, menu);
  }
}

Image drawStartMenuScreen(int view, const PreviewSources& sources, DrawRecord* record) {
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  drawStartMenuLayers(painter, sources, view);
  return screen;
}
