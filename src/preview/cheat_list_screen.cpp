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

Image drawCheatListScreen(const PreviewSources& sources) {
  const SkinModel& model = sources.model;
  const GlobalSettingsSection& colors = model.globalSettings;
  Image screen = newScreen();
  Painter painter(screen);
  painter.drawImage(sources.images.picture("cheatbg.bmp"), 0, 0);

  painter.drawText(model.cheatTitle.x, screenCoord(Coord{model.cheatTitle.y} - 2),
                   fitText(kCheatTitle, model.cheatTitle.w), colors.cheatTitleTextColor);
  painter.drawText(model.cheatClearTitle.x, screenCoord(Coord{model.cheatClearTitle.y} - 2),
                   fitText(kCheatClearCaption, model.cheatClearTitle.w),
                   colors.cheatTitleTextColor);

  painter.blitKeyed(sources.images.picture("cheat_clearall.bmp"), model.cheatCancelAllBtn.x,
                    model.cheatCancelAllBtn.y, kTransparentGreen);
  painter.blitKeyed(sources.images.picture("close.bmp"), model.closeBtn.x, model.closeBtn.y,
                    kTransparentGreen);

  // With the usual one-pixel bar these two copies are the upper and lower
  // edge of the selection round the first entry.
  const Image& selection = sources.images.picture("cheatselectbar.bmp");
  painter.blitKeyed(selection, 18, 36, kOpaqueKey);
  painter.blitKeyed(selection, 18, 55, kOpaqueKey);

  for (std::size_t i = 0; i < kEntryIcons.size(); ++i) {
    painter.blitKeyed(sources.images.picture(kEntryIcons[i]), kIconX,
                      kFirstIconY + kEntrySpacing * static_cast<int>(i), kTransparentGreen);
  }
  for (std::size_t i = 0; i < kCheatEntries.size(); ++i) {
    painter.drawText(kTextX, kFirstIconY - 3 + kEntrySpacing * static_cast<int>(i),
                     kCheatEntries[i],
                     i == 0 ? colors.cheatListTextHighLightColor : colors.cheatListTextColor);
  }
  return screen;
}
