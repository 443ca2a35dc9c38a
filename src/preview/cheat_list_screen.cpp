#include "preview/cheat_list_screen.h"

#include "preview/menu_coords.h"
#include "preview/painter.h"

namespace {

// Icon of each entry: two switches on and off, three one-of-many choices and
// a folder.
constexpr std::array<std::string_view, 7> kEntryIcons = {
    "pitchon.bmp",    "pitchon.bmp",    "pitchdown.bmp", "onehoton.bmp",
    "onehotdown.bmp", "onehotdown.bmp", "fathernode.bmp"};

constexpr int kIconX = 18;
constexpr int kTextX = 35;
constexpr int kFirstIconY = 41;
constexpr int kEntrySpacing = 20;

}  // namespace

Image drawCheatListScreen(const PreviewSources& sources, DrawRecord* record) {
  const SkinModel& model = sources.model;
  const GlobalSettingsSection& colors = model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Lower);
  painter.drawImage(sources.images.picture("cheatbg.bmp"), 0, 0, "cheatbg.bmp");

  constexpr SkinFieldName titleColor = globalColor("cheatTitleTextColor");
  {
    const ElementScope element(painter, "cheat title");
    painter.drawText(model.cheatTitle.x, screenCoord(Coord{model.cheatTitle.y} - 2),
                     fitText(kCheatTitle, model.cheatTitle.w), colors.cheatTitleTextColor,
                     titleColor);
  }
  {
    const ElementScope element(painter, "cheat clearTitle");
    painter.drawText(model.cheatClearTitle.x, screenCoord(Coord{model.cheatClearTitle.y} - 2),
                     fitText(kCheatClearCaption, model.cheatClearTitle.w),
                     colors.cheatTitleTextColor, titleColor);
  }
  {
    const ElementScope element(painter, "cheat cancel all btn");
    painter.blitKeyed(sources.images.picture("cheat_clearall.bmp"), model.cheatCancelAllBtn.x,
                      model.cheatCancelAllBtn.y, kTransparentGreen, "cheat_clearall.bmp");
  }
  {
    const ElementScope element(painter, "close btn");
    painter.blitKeyed(sources.images.picture("close.bmp"), model.closeBtn.x, model.closeBtn.y,
                      kTransparentGreen, "close.bmp");
  }

  // With the usual one-pixel bar these two copies are the upper and lower
  // edge of the selection round the first entry.
  const Image& selection = sources.images.picture("cheatselectbar.bmp");
  painter.blitKeyed(selection, 18, 36, kOpaqueKey, "cheatselectbar.bmp");
  painter.blitKeyed(selection, 18, 55, kOpaqueKey, "cheatselectbar.bmp");

  for (std::size_t i = 0; i < kEntryIcons.size(); ++i) {
    painter.blitKeyed(sources.images.picture(kEntryIcons[i]), kIconX,
                      kFirstIconY + kEntrySpacing * static_cast<int>(i), kTransparentGreen,
                      kEntryIcons[i]);
  }
  for (std::size_t i = 0; i < kCheatEntries.size(); ++i) {
    const bool selected = i == 0;
    painter.drawText(kTextX, kFirstIconY - 3 + kEntrySpacing * static_cast<int>(i),
                     kCheatEntries[i],
                     selected ? colors.cheatListTextHighLightColor : colors.cheatListTextColor,
                     globalColor(selected ? "cheatListTextHighLightColor" : "cheatListTextColor"));
  }
  return screen;
}
