// The handheld's start menu over the file browser, and the pop-up submenus
// that open from it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "preview/menu_coords.h"
#include "preview/painter.h"
#include "preview/preview_sources.h"

// Width of the start-menu frame; the right piece always ends here.
inline constexpr int kStartMenuWidth = 108;

// One pop-up submenu: where its box sits, what it lists and which rows are
// marked.
struct SubmenuLayout {
  std::string_view section;  // the settings section placing it, "Syset menu"
  Coord boxX = 0;            // top-left of the bordered box
  Coord boxY = 0;
  int width = 0;
  std::span<const std::string_view> items;
  int barRow = 0;  // row under the "popsubbar.bmp" highlight
  Coord barX = 0;
  Coord textX = 0;
  int highlightRow = -1;    // row drawn in the highlight colour, -1 for none
  int checkRow = -1;        // row with "active.bmp", -1 for none
  bool whiteTexts = false;  // all items in plain white, ignoring the skin
};

// Frame, lamp and triangle of the start menu with row `selectedRow` (0..4)
// selected, then its five items. `tileSpan` is the width the middle tiles are
// counted for (108, or 109 in the brightness view).
void drawStartMenu(Painter& painter, const PreviewSources& sources, int selectedRow,
                   int tileSpan = kStartMenuWidth);

// The bordered body of a submenu.
void drawSubmenuBox(Painter& painter, const PreviewSources& sources, const SubmenuLayout& menu);
// The highlight bar, check mark and item texts of a submenu.
void drawSubmenuContents(Painter& painter, const PreviewSources& sources,
                         const SubmenuLayout& menu);

// Views that show the start menu: which row is selected and which submenus
// are open (first level, then second level). Empty for views without any.
int startMenuRowOfView(int view);
std::vector<SubmenuLayout> submenusOfView(int view, const SkinModel& model);

// Backdrop, start menu and the view's submenus, in drawing order.
void drawStartMenuLayers(Painter& painter, const PreviewSources& sources, int view);

// The lower screen of a start-menu view (2, 4, 6, 8 or 9). With a record,
// what is drawn is also appended to it (see Painter).
Image drawStartMenuScreen(int view, const PreviewSources& sources, DrawRecord* record = nullptr);
