#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "preview/draw_record.h"
#include "preview/painter.h"
#include "preview/preview_canvas.h"
#include "preview/preview_font.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_model.h"

namespace {

std::string describe(const DrawItem* item) {
  if (!item) return "nothing";
  return "element '" + std::string(item->element) + "', picture '" + std::string(item->picture) +
         "', colour '" + std::string(item->color.section) + "' '" + std::string(item->color.key) +
         "'";
}

DrawItem item(ScreenSide screen, DrawRect rect, std::string_view element = {},
              std::string_view picture = {}, SkinFieldName color = {}) {
  return {screen, rect, element, picture, color};
}

// --- The record and the painter that fills it ---------------------------

TEST(DrawRecord, CopiesContinuingTheLastItemFoldIntoItAndNothingElseDoes) {
  DrawRecord record;
  // Three columns of one tile picture: one item.
  for (int x = 10; x < 13; ++x)
    record.add(item(ScreenSide::Lower, {x, 5, 1, 4}, "", "title_bg.bmp"));
  ASSERT_EQ(record.items().size(), 1u);
  EXPECT_EQ(record.items()[0].rect, (DrawRect{10, 5, 3, 4}));

  // A gap, another source, another screen or a different height stay apart.
  record.add(item(ScreenSide::Lower, {14, 5, 1, 4}, "", "title_bg.bmp"));
  record.add(item(ScreenSide::Lower, {15, 5, 1, 4}, "", "title_left.bmp"));
  record.add(item(ScreenSide::Upper, {16, 5, 1, 4}, "", "title_left.bmp"));
  record.add(item(ScreenSide::Upper, {17, 5, 1, 3}, "", "title_left.bmp"));
  EXPECT_EQ(record.items().size(), 5u);

  // Only the last item grows: the left piece drawn over the first columns
  // must stay above them.
  record.clear();
  record.add(item(ScreenSide::Lower, {0, 0, 4, 4}, "", "form_M.bmp"));
  record.add(item(ScreenSide::Lower, {2, 0, 2, 4}, "", "form_L.bmp"));
  record.add(item(ScreenSide::Lower, {4, 0, 4, 4}, "", "form_M.bmp"));
  ASSERT_EQ(record.items().size(), 3u);
  EXPECT_EQ(topmostItem(record, ScreenSide::Lower, 3, 1)->picture, "form_L.bmp");

  // Vertical runs fold too; empty rectangles are never kept.
  record.clear();
  record.add(item(ScreenSide::Upper, {3, 0, 2, 5}, "big clock"));
  record.add(item(ScreenSide::Upper, {3, 5, 2, 5}, "big clock"));
  record.add(item(ScreenSide::Upper, {3, 10, 0, 5}, "big clock"));
  ASSERT_EQ(record.items().size(), 1u);
  EXPECT_EQ(record.items()[0].rect, (DrawRect{3, 0, 2, 10}));
}

TEST(DrawRecord, TopmostItemIsTheLastDrawnOnThatScreen) {
  DrawRecord record;
  record.add(item(ScreenSide::Upper, {0, 0, 256, 192}, "", "upper_screen.bmp"));
  record.add(item(ScreenSide::Lower, {0, 0, 256, 192}, "", "lower_screen.bmp"));
  record.add(item(ScreenSide::Upper, {10, 10, 5, 5}, "logo info"));
  EXPECT_EQ(topmostItem(record, ScreenSide::Upper, 12, 12)->element, "logo info");
  EXPECT_EQ(topmostItem(record, ScreenSide::Upper, 15, 12)->picture, "upper_screen.bmp");
  EXPECT_EQ(topmostItem(record, ScreenSide::Lower, 12, 12)->picture, "lower_screen.bmp");
  EXPECT_EQ(topmostItem(record, ScreenSide::Lower, 256, 12), nullptr);
  EXPECT_EQ(topmostItem(record, ScreenSide::Lower, 0, -1), nullptr);
}

TEST(PainterRecord, KeepsOnlyWhatReachesTheScreenCutToIt) {
  Image screen = newScreen();
  DrawRecord record;
  Painter painter(screen, &record, ScreenSide::Lower);
  const Image icon(32, 32, rgb(9, 9, 9));
  painter.blitKeyed(icon, 240, -10, kTransparentGreen, "icon/nds.bmp");
  painter.blitKeyed(icon, 256, 0, kTransparentGreen, "icon/sav.bmp");   // just off the right
  painter.blitKeyed(icon, -32, 0, kTransparentGreen, "icon/sav.bmp");   // just off the left
  painter.blitKeyed(Image(), 0, 0, kTransparentGreen, "icon/sav.bmp");  // undecodable
  painter.box(-5, 190, 20, 20, rgb(1, 1, 1), globalColor("formBodyColor"));
  painter.box(10, 10, 0, 5, rgb(1, 1, 1), globalColor("formFrameColor"));
  painter.line(10, 20, 30, 5, rgb(1, 1, 1), globalColor("logoFrameColor"));  // slanted
  painter.drawText(300, 20, "Gone", rgb(1, 1, 1), globalColor("vTextColor"));
  painter.drawText(10, 20, "", rgb(1, 1, 1), globalColor("vTextColor"));

  const std::vector<DrawItem> expected = {
      item(ScreenSide::Lower, {240, 0, 16, 22}, "", "icon/nds.bmp"),
      item(ScreenSide::Lower, {0, 190, 15, 2}, "", "", globalColor("formBodyColor")),
      item(ScreenSide::Lower, {10, 20, 30, 5}, "", "", globalColor("logoFrameColor")),
  };
  EXPECT_EQ(record.items(), expected);
}

TEST(PainterRecord, ATextCoversItsCellsAndAllItsInkEvenAtTheEdge) {
  // Key symbols, a replacement glyph and a cut at the right edge.
  const std::vector<std::pair<int, std::string>> texts = {{38, "\u00e6  Select Programs"},
                                                          {20, "File Name: 0022"},
                                                          {200, "Cut off at the edge"},
                                                          {-8, "Half gone"},
                                                          {60, "\u4e2d?"}};
  for (const auto& [x, text] : texts) {
    constexpr Color kInk = rgb(1, 2, 3);
    Image screen = newScreen();
    DrawRecord record;
    Painter(screen, &record, ScreenSide::Upper)
        .drawText(x, 40, text, kInk, globalColor("formTextColor"));
    ASSERT_EQ(record.items().size(), 1u) << text;
    const DrawRect rect = record.items()[0].rect;
    EXPECT_GE(rect.x, 0) << text;
    EXPECT_LE(rect.x + rect.w, kScreenWidth) << text;
    EXPECT_LE(rect.y, 40) << text;
    EXPECT_GE(rect.y + rect.h, 40 + PreviewFont::builtin().cellHeight()) << text;
    EXPECT_LE(rect.x, std::max(x, 0)) << text;
    EXPECT_GE(rect.x + rect.w, std::min(x + textWidth(text), kScreenWidth)) << text;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int px = 0; px < kScreenWidth; ++px)
        if (screen.at(px, y) == kInk) {
          ASSERT_TRUE(rect.contains(px, y)) << text << " " << px;
        }
  }
}

TEST(PainterRecord, ElementScopesNestAndAClearedScreenForgetsOnlyItself) {
  Image screen = newScreen();
  DrawRecord record;
  record.add(item(ScreenSide::Upper, {0, 0, 1, 1}, "big clock"));
  Painter painter(screen, &record, ScreenSide::Lower);
  painter.box(0, 0, 4, 4, 0);
  painter.clear(rgb(5, 5, 5));
  EXPECT_EQ(screen.at(255, 191), rgb(5, 5, 5));
  ASSERT_EQ(record.items().size(), 1u);
  EXPECT_EQ(record.items()[0].screen, ScreenSide::Upper);

  {
    const ElementScope outer(painter, "start menu");
    painter.box(0, 0, 4, 4, 0);
    {
      const ElementScope inner(painter, "Syset menu");
      painter.box(10, 0, 4, 4, 0);
    }
    painter.box(20, 0, 4, 4, 0);
  }
  painter.box(30, 0, 4, 4, 0);
  std::vector<std::string_view> elements;
  for (const DrawItem& i : record.items()) elements.push_back(i.element);
  EXPECT_EQ(elements, (std::vector<std::string_view>{"big clock", "start menu", "Syset menu",
                                                     "start menu", ""}));
}

// --- The views of the default skin --------------------------------------

struct DefaultSkin {
  SkinModel model;
  SkinImageTable images;
  DefaultSkin() {
    resetSkinModel(model);
    resetSkinImages(images);
  }
  PreviewSources sources() const { return {model, images}; }
};

bool onAScreen(int x, int y) {
  const bool columns = x >= kUpperScreenX && x < kUpperScreenX + kScreenWidth;
  return columns && ((y >= kUpperScreenY && y < kUpperScreenY + kScreenHeight) ||
                     (y >= kLowerScreenY && y < kLowerScreenY + kScreenHeight));
}

TEST(ViewRecords, PixelsAreTheSameWithAndWithoutARecord) {
  const DefaultSkin skin;
  for (int view = 0; view < kScreenViewCount; ++view) {
    DrawRecord record;
    const ScreenPair plain = renderScreenView(view, skin.sources());
    const ScreenPair recorded = renderScreenView(view, skin.sources(), &record);
    EXPECT_EQ(plain.upper.pixels, recorded.upper.pixels) << view;
    EXPECT_EQ(plain.lower.pixels, recorded.lower.pixels) << view;
    EXPECT_FALSE(record.empty()) << view;
  }
  DrawRecord record;
  EXPECT_EQ(redrawPreview(8, 1.3f, rgb(1, 2, 3), skin.sources(), &record).pixels,
            redrawPreview(8, 1.3f, rgb(1, 2, 3), skin.sources()).pixels);
}

TEST(ViewRecords, EveryScreenPointHasAnItemAndNoOtherPointHasOne) {
  const DefaultSkin skin;
  for (int view = 0; view < kScreenViewCount; ++view) {
    DrawRecord record;
    renderScreenView(view, skin.sources(), &record);
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x)
        ASSERT_EQ(itemAt(record, x, y) != nullptr, onAScreen(x, y))
            << "view " << view << " at " << x << "," << y;
  }
}

TEST(ViewRecords, ARenderReplacesWhatTheRecordHeld) {
  const DefaultSkin skin;
  DrawRecord reused, fresh;
  renderScreenView(13, skin.sources(), &reused);
  renderScreenView(0, skin.sources(), &reused);
  renderScreenView(0, skin.sources(), &fresh);
  EXPECT_EQ(reused.items(), fresh.items());
  renderScreenView(kScreenViewCount, skin.sources(), &reused);
  EXPECT_TRUE(reused.empty());
  EXPECT_EQ(itemAt(reused, 100, 100), nullptr);
}

// A point of the canvas and what the author should find there. Screen
// points are given on the screen and moved onto the canvas.
struct Probe {
  int view;
  bool upper;
  int x, y;  // on the screen
  std::string_view element, picture, colorKey;
};

Probe up(int view, int x, int y, std::string_view element, std::string_view picture,
         std::string_view colorKey = {}) {
  return {view, true, x, y, element, picture, colorKey};
}
Probe low(int view, int x, int y, std::string_view element, std::string_view picture,
          std::string_view colorKey = {}) {
  return {view, false, x, y, element, picture, colorKey};
}

void expectProbes(const std::vector<Probe>& probes) {
  const DefaultSkin skin;
  std::map<int, DrawRecord> records;
  for (const Probe& p : probes) {
    if (!records.count(p.view)) renderScreenView(p.view, skin.sources(), &records[p.view]);
    const int cx = p.x + (p.upper ? kUpperScreenX : kLowerScreenX);
    const int cy = p.y + (p.upper ? kUpperScreenY : kLowerScreenY);
    const DrawItem* found = itemAt(records[p.view], cx, cy);
    const SkinFieldName color = p.colorKey.empty() ? SkinFieldName{} : globalColor(p.colorKey);
    const DrawItem expected{
        p.upper ? ScreenSide::Upper : ScreenSide::Lower, {}, p.element, p.picture, color};
    const bool same = found && found->screen == expected.screen &&
                      found->element == expected.element && found->picture == expected.picture &&
                      found->color == expected.color && found->rect.contains(p.x, p.y);
    EXPECT_TRUE(same) << "view " << p.view << (p.upper ? " upper " : " lower ") << p.x << "," << p.y
                      << ": found " << describe(found) << ", expected " << describe(&expected);
  }
}

TEST(ViewRecords, TheFileBrowserViewsNameTheirElementsPicturesAndColours) {
  expectProbes({
      up(0, 140, 155, "big clock", "clock_numbers.bmp"),
      up(0, 183, 155, "big clock", "clock_colon.bmp"),
      up(0, 225, 155, "big clock", "clock_numbers.bmp"),
      up(0, 130, 75, "file name", "", "gameInfoTitleColor"),
      up(0, 150, 90, "file name", "", "fileNameTextColor"),
      up(0, 130, 120, "game name", "", "gameInfoTextColor"),
      up(0, 170, 35, "file type", "", "gameInfoTextColor"),
      up(0, 140, 45, "logo info", ""),  // the sample icon: only its place is the skin's
      up(0, 20, 20, "", "upper_screen.bmp"),
      low(0, 120, 60, "", "lower_screen.bmp"),
      low(0, 90, 80, "", "icon/nds.bmp"),
      low(0, 30, 80, "", ""),  // the selected game's sample icon
      low(0, 15, 80, "", "", "logoFrameColor"),
      low(0, 80, 48, "", "", "vTextColor"),
      low(0, 3, 105, "", "", "listTextBgColor"),
      low(0, 30, 104, "", "", "vTextHighLightColor"),
      low(0, 120, 180, "start bar", "startbar.bmp"),
      low(0, 20, 180, "start button", "start_released.bmp"),
      low(0, 185, 180, "disk icon", "cardFrame0.bmp"),
      low(0, 215, 180, "brightness btn", "brightness.bmp"),
      low(0, 240, 180, "reback btn", "reBack.bmp"),

      up(1, 140, 45, "logo info", "icon/pth.bmp"),
      up(1, 180, 90, "file name", "", "fileNameTextColor"),
      up(1, 150, 120, "game name", "", "gameInfoTextColor"),
      up(1, 170, 50, "file type", "", "gameInfoTextColor"),
      low(1, 30, 70, "logo offset", "icon/pth.bmp"),
      low(1, 30, 30, "", "icon/pth.bmp"),
      low(1, 60, 70, "logo offset", "", "listTextHighLightColor"),
      low(1, 60, 30, "", "", "listTextColor"),
      low(1, 150, 70, "", "selectbar.bmp"),
      low(1, 185, 180, "disk icon", "cardFrame1.bmp"),
  });
}

TEST(ViewRecords, StartMenuViewsNameTheMenuAndEachSubmenuBySection) {
  expectProbes({
      up(2, 140, 155, "big clock", "clock_numbers.bmp"),
      low(2, 2, 160, "start menu", "form_L.bmp"),
      low(2, 50, 60, "start menu", "form_M.bmp"),
      low(2, 100, 160, "start menu", "form_R.bmp"),
      low(2, 8, 95, "start menu", "lamp.bmp"),
      low(2, 97, 80, "start menu", "triangle.bmp"),
      low(2, 40, 78, "start menu", "", "popMenuTextHighLightColor"),
      low(2, 20, 145, "start menu", "", "popMenuTextColor"),
      low(2, 109, 100, "file handle menu", "", "formFrameColor"),
      low(2, 170, 100, "file handle menu", "", "popSubMenuBodyColor"),
      low(2, 170, 146, "file handle menu", "popsubbar.bmp"),
      low(2, 125, 95, "file handle menu", "", "popSubMenuTextColor"),
      low(2, 130, 145, "file handle menu", "", "popSubMenuTextHighLightColor"),

      low(4, 200, 112, "UiType menu", "popsubbar.bmp"),
      low(4, 130, 125, "UiType menu", "", "popSubMenuTextColor"),
      low(4, 109, 120, "UiType menu", "", "formFrameColor"),

      low(6, 115, 36, "Language menu", "active.bmp"),
      low(6, 130, 115, "Language menu", "", "popSubMenuTextHighLightColor"),
      low(6, 200, 160, "Language menu", "", "popSubMenuBodyColor"),

      low(8, 109, 100, "Syset menu", "", "formFrameColor"),
      low(8, 125, 94, "Syset menu", "", "popSubMenuTextHighLightColor"),
      low(8, 192, 141, "List type menu", "active.bmp"),
      low(8, 225, 130, "List type menu", "", "popSubMenuBodyColor"),
      low(8, 205, 155, "List type menu", "", "popSubMenuTextHighLightColor"),
      low(8, 20, 128, "start menu", "", "popMenuTextHighLightColor"),

      low(9, 240, 112, "Brightness menu", "popsubbar.bmp"),
      low(9, 192, 144, "Brightness menu", "active.bmp"),
      low(9, 205, 126, "Brightness menu", "", "popSubMenuTextColor"),
      low(9, 186, 170, "Brightness menu", "", "formFrameColor"),
  });
}

TEST(ViewRecords, WindowViewsNameTheirPicturesAndColours) {
  std::vector<Probe> probes;
  // The three message boxes share their layout.
  for (int view : {3, 5, 7}) {
    const std::vector<Probe> box = {
        low(view, 12, 100, "", "", "formFrameColor"),
        low(view, 220, 100, "", "", "formBodyColor"),
        low(view, 60, 80, "", "", "formTextColor"),
        low(view, 152, 138, "", "btn3.bmp"),
        low(view, 170, 130, "", "", "buttonTextColor"),
        low(view, 20, 55, "", "title_left.bmp"),
        low(view, 100, 55, "", "title_bg.bmp"),
        low(view, 230, 55, "", "title_right.bmp"),
        low(view, 120, 56, "", "", "formTitleTextColor"),
        low(view, 2, 160, "start menu", "form_L.bmp"),
        low(view, 240, 180, "reback btn", "reBack.bmp"),
    };
    probes.insert(probes.end(), box.begin(), box.end());
  }
  const std::vector<Probe> windows = {
      low(10, 100, 100, "", "hotkeybk.bmp"),
      low(10, 49, 62, "", "activehotkey.bmp"),
      low(10, 49, 86, "", "noactivehotke.bmp"),
      low(10, 78, 150, "", "btn.bmp"),
      low(10, 95, 145, "", "", "buttonTextColor"),
      low(10, 115, 38, "", "", "formTitleTextColor"),
      low(10, 20, 145, "start menu", "", "popMenuTextColor"),

      low(11, 28, 100, "help window", "", "formFrameColor"),
      low(11, 200, 100, "help window", "", "formBodyColor"),
      low(11, 50, 50, "", "", "formTextColor"),
      low(11, 35, 20, "help window", "title_left.bmp"),
      low(11, 165, 20, "help window", "title_bg.bmp"),
      low(11, 100, 22, "help window", "", "formTitleTextColor"),
      low(11, 172, 160, "", "btn.bmp"),
      low(11, 190, 160, "", "", "buttonTextColor"),

      low(12, 40, 60, "", "settingbg.bmp"),
      low(12, 210, 55, "", "close1.bmp"),
      low(12, 100, 52, "", "", "romInfoTitleColor"),
      low(12, 90, 95, "", "", "romInfoTextColor"),
      low(12, 148, 80, "", "", "spinBoxFrameColor"),
      low(12, 160, 78, "", "", "spinBoxFocusColor"),
      low(12, 160, 98, "", "", "spinBoxNormalColor"),
      low(12, 176, 78, "", "", "spinBoxTextHighLightColor"),
      low(12, 175, 98, "", "", "spinBoxTextColor"),
      low(12, 140, 78, "", "spin_btn_left.bmp"),
      low(12, 210, 118, "", "spin_btn_right.bmp"),
      low(12, 40, 140, "", "cheatmenubtn.bmp"),
      low(12, 60, 136, "", "", "buttonTextColor"),
      low(12, 50, 90, "", ""),  // the sample icon
      low(12, 215, 180, "brightness btn", "brightness.bmp"),
  };
  probes.insert(probes.end(), windows.begin(), windows.end());
  expectProbes(probes);
}

TEST(ViewRecords, TheCheatListNamesItsBackgroundButtonsAndRowColours) {
  expectProbes({
      up(13, 140, 155, "big clock", "clock_numbers.bmp"),
      low(13, 240, 100, "", "cheatbg.bmp"),
      low(13, 20, 18, "cheat title", "", "cheatTitleTextColor"),
      low(13, 190, 16, "cheat clearTitle", "", "cheatTitleTextColor"),
      low(13, 165, 17, "cheat cancel all btn", "cheat_clearall.bmp"),
      low(13, 238, 16, "close btn", "close.bmp"),
      low(13, 200, 36, "", "cheatselectbar.bmp"),
      low(13, 22, 45, "", "pitchon.bmp"),
      low(13, 22, 85, "", "pitchdown.bmp"),
      low(13, 22, 165, "", "fathernode.bmp"),
      low(13, 60, 44, "", "", "cheatListTextHighLightColor"),
      low(13, 60, 64, "", "", "cheatListTextColor"),
      low(13, 50, 164, "", "", "cheatListTextColor"),
  });
}

// --- Names against pixels -----------------------------------------------

// Every skin colour and every picture (solid, at its usual size) distinct,
// so a pixel tells what drew it.
struct ColourCodedSkin {
  SkinModel model;
  SkinImageTable images;
  std::map<std::string_view, Color> pictureColors;
  std::map<Color, std::string_view> colorFields;

  ColourCodedSkin() {
    resetSkinModel(model);
    int i = 0;
    for (const SkinField& field : skinFields()) {
      if (field.kind != FieldKind::ColorDs || field.section != "global settings") continue;
      const Color c = rgb(3 + i, 5 + 2 * i, 7 + 3 * i);
      *field.color(model) = c;
      colorFields[c] = field.key;
      ++i;
    }
    for (int p = 0; p < kSkinImageCount; ++p) {
      const Color c = rgb(100 + 2 * p, 200, 50 + p);
      images[p].picture = Image(skinImageDefaultWidth(p), skinImageDefaultHeight(p), c);
      pictureColors[images[p].fileName] = c;
    }
  }
  PreviewSources sources() const { return {model, images}; }
};

TEST(ViewRecords, NamesMatchWhatThePixelsShow) {
  const ColourCodedSkin skin;
  for (int view = 0; view < kScreenViewCount; ++view) {
    DrawRecord record;
    const ScreenPair screens = renderScreenView(view, skin.sources(), &record);
    const ScreenPair plain = renderScreenView(view, skin.sources());
    ASSERT_EQ(screens.upper.pixels, plain.upper.pixels) << view;
    ASSERT_EQ(screens.lower.pixels, plain.lower.pixels) << view;

    for (const DrawItem& i : record.items()) {
      ASSERT_TRUE(i.picture.empty() || SkinImageTable::indexOf(i.picture) >= 0) << i.picture;
      ASSERT_TRUE(i.color.empty() || findSkinField(i.color.section, i.color.key)) << i.color.key;
      ASSERT_TRUE(i.element.empty() || std::find(skinSections().begin(), skinSections().end(),
                                                 i.element) != skinSections().end())
          << i.element;
    }

    for (const ScreenSide side : {ScreenSide::Upper, ScreenSide::Lower}) {
      const Image& screen = side == ScreenSide::Upper ? screens.upper : screens.lower;
      for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
          const Color pixel = screen.at(x, y);
          const DrawItem* top = topmostItem(record, side, x, y);
          // A solid picture writes its whole rectangle, so nothing
          // recorded later may hide under it.
          if (top && !top->picture.empty()) {
            ASSERT_EQ(pixel, skin.pictureColors.at(top->picture))
                << "view " << view << " at " << x << "," << y << ": " << describe(top);
          }
          // A skin colour on screen was drawn by an item naming it (a text
          // does not fill its whole cell, so it need not be the top one).
          const auto field = skin.colorFields.find(pixel);
          if (field == skin.colorFields.end()) continue;
          bool named = false;
          for (const DrawItem& i : record.items())
            named = named || (i.screen == side && i.rect.contains(x, y) &&
                              i.color == globalColor(field->second));
          ASSERT_TRUE(named) << "view " << view << " at " << x << "," << y << ": " << field->second
                             << " under " << describe(top);
        }
    }
  }
}

}  // namespace
