#include "preview/upper_screen.h"

#include <cstdint>
#include <string>

#include "preview/screen_coords.h"
#include "skin/builtin_pictures.h"

namespace {

// A skin's show flags are integers; only exactly 1 means "shown".
bool shown(int flag) { return flag == 1; }

void startUpperScreen(Painter& painter, const PreviewSources& sources) {
  painter.drawImage(sources.images.picture("upper_screen.bmp"), 0, 0, "upper_screen.bmp");
}

// The [file name] block: its label, then the name fitted into the field.
// A name whose `probe` text is too wide for the field is cut and
// left-aligned, so its start stays readable; otherwise it is centred.
void drawNameBlock(Painter& painter, const SkinModel& m, std::string_view label,
                   std::string_view name, std::string_view probe) {
  if (!shown(m.fileName.show)) return;
  const ElementScope element(painter, "file name");
  const int x = m.fileName.x, y = m.fileName.y, w = m.fileName.w;
  if (shown(m.fileName.titleshow))
    painter.drawText(x, screenCoord(y - 2LL), label, m.globalSettings.gameInfoTitleColor,
                     globalColor("gameInfoTitleColor"));
  const std::string fitted = fitText(name, w);
  const int offset = textWidth(probe) > w ? 0 : centreOffset(fitted, w);
  painter.drawText(screenCoord(std::int64_t{x} + offset), screenCoord(y + 13LL), fitted,
                   m.globalSettings.fileNameTextColor, globalColor("fileNameTextColor"));
}

// The [game name] block: a label and, 15 pixels below it, its value.
void drawGameNameBlock(Painter& painter, const SkinModel& m, std::string_view label,
                       std::string_view value) {
  if (!shown(m.gameName.show)) return;
  const ElementScope element(painter, "game name");
  const int x = m.gameName.x, y = m.gameName.y;
  painter.drawText(x, screenCoord(y - 2LL), label, m.globalSettings.gameInfoTitleColor,
                   globalColor("gameInfoTitleColor"));
  painter.drawText(x, screenCoord(y + 13LL), value, m.globalSettings.gameInfoTextColor,
                   globalColor("gameInfoTextColor"));
}

}  // namespace

Image drawGameInfoScreen(const PreviewSources& sources, DrawRecord* record) {
  const SkinModel& m = sources.model;
  const GlobalSettingsSection& colors = m.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Upper);
  startUpperScreen(painter, sources);

  drawNameBlock(painter, m, GameInfoSamples::fileNameLabel, GameInfoSamples::fileName,
                GameInfoSamples::fileName);

  drawGameNameBlock(painter, m, GameInfoSamples::gameNameLabel, GameInfoSamples::gameName);

  if (shown(m.fileType.show)) {
    const ElementScope element(painter, "file type");
    const int x = m.fileType.x, y = m.fileType.y, w = m.fileType.w;
    for (int line = 0; line < 3; ++line) {
      // The appended space is what fitText removes first, so a line that
      // fits stays whole.
      const std::string text = fitText(std::string(GameInfoSamples::fileType[line]) + " ", w);
      painter.drawText(x, screenCoord(y - 2LL + 12 * line), text, colors.gameInfoTextColor,
                       globalColor("gameInfoTextColor"));
    }
  }

  if (shown(m.folderText.show)) {
    const ElementScope element(painter, "folder text");
    const std::string path = fitText(GameInfoSamples::folderPath, m.folderText.w);
    painter.drawText(m.folderText.x, screenCoord(m.folderText.y - 2LL), path,
                     colors.formTitleTextColor, globalColor("formTitleTextColor"));
  }

  {
    // The sample icon is the preview's own; only its place is the skin's.
    const ElementScope element(painter, "logo info");
    painter.blitKeyed(builtinSampleGameIcon(), m.logoInfo.x, m.logoInfo.y, kTransparentGreen);
  }
  drawBigClock(painter, sources);
  return screen;
}

Image drawFolderInfoScreen(const PreviewSources& sources, DrawRecord* record) {
  const SkinModel& m = sources.model;
  const GlobalSettingsSection& colors = m.globalSettings;
  Image screen = newScreen();
  Painter painter(screen, record, ScreenSide::Upper);
  startUpperScreen(painter, sources);

  drawNameBlock(painter, m, FolderInfoSamples::fileNameLabel, FolderInfoSamples::folderName,
                FolderInfoSamples::centreProbe);

  drawGameNameBlock(painter, m, FolderInfoSamples::contents, FolderInfoSamples::contents);

  if (shown(m.fileType.show)) {
    const ElementScope element(painter, "file type");
    painter.drawText(m.fileType.x, screenCoord(m.fileType.y + 13LL), FolderInfoSamples::fileType,
                     colors.gameInfoTextColor, globalColor("gameInfoTextColor"));
  }

  if (shown(m.folderText.show)) {
    const ElementScope element(painter, "folder text");
    painter.drawText(m.folderText.x, screenCoord(m.folderText.y - 2LL),
                     FolderInfoSamples::folderPath, colors.formTitleTextColor,
                     globalColor("formTitleTextColor"));
  }

  {
    const ElementScope element(painter, "logo info");
    painter.blitKeyed(sources.images.picture("icon/pth.bmp"), m.logoInfo.x, m.logoInfo.y,
                      kTransparentGreen, "icon/pth.bmp");
  }
  drawBigClock(painter, sources);
  return screen;
}

void drawBigClock(Painter& painter, const PreviewSources& sources) {
  const BigClockSection& clock = sources.model.bigClock;
  if (!shown(clock.show)) return;
  const ElementScope element(painter, "big clock");
  const Image& numbers = sources.images.picture("clock_numbers.bmp");
  const Image& colon = sources.images.picture("clock_colon.bmp");
  // Rows left over below ten equal digit strips are never shown.
  const int w = numbers.width;
  const int h = numbers.height / 10;
  const int c = colon.width;
  const std::int64_t X = clock.x;
  const int Y = clock.y;

  auto digit = [&](int d, std::int64_t x) {
    if (w <= 0 || h <= 0) return;  // an undecodable picture draws nothing
    painter.blitKeyed(grabImage(numbers, 0, d * h, w, h), screenCoord(x), Y, kTransparentGreen,
                      "clock_numbers.bmp");
  };
  digit(1, X);
  digit(2, X + w);
  painter.blitKeyed(colon, screenCoord(X + 2LL * w), Y, kTransparentGreen, "clock_colon.bmp");
  digit(3, X + 2LL * w + c);
  digit(4, X + 3LL * w + c);
}
