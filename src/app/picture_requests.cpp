#include "app/picture_requests.h"

#include <optional>

#include "imaging/image_encoders.h"
#include "preview/screenshot.h"
#include "skin/skin_files.h"

std::string askPictureFile(EditorDesktop& desktop, const InterfaceTexts& texts,
                           const std::string& lastPath, std::string_view baseName) {
  return desktop.askOpenFile(texts.text("LANG_REQFILE_LOAD$"),
                             asFolderPath(lastPath) + std::string(baseName) + ".bmp",
                             "Bitmap (*.bmp)|*.bmp;*.png;*.jpg|Portable Network Graphic "
                             "(*.png)|*.png|JPEG - JFIF Compliant (*.jpg)|*.jpg|",
                             0);
}

bool saveScreenshot(EditorDesktop& desktop, const InterfaceTexts& texts, std::string& lastPath,
                    const PreviewSources& sources) {
  int filter = 0;
  const std::string chosen = desktop.askSaveFile(texts.text("LANG_REQFILE_SAVE$"), lastPath,
                                                 std::string(screenshotFilterList()), 0, filter);
  if (chosen.empty()) return false;
  lastPath = folderPart(chosen);
  const auto notSaved = [&](const std::string& path) {
    desktop.showMessage(texts.text("LANG_ERROR$"), path + ": " + texts.text("LANG_FILE_NOTSAVE$"));
    return false;
  };
  // Otherwise the author believes the picture was saved.
  const std::optional<ScreenshotTarget> target = screenshotTarget(chosen, filter);
  if (!target) return notSaved(chosen);
  if (!writeImageFile(target->path, renderScreenshot(sources), target->format))
    return notSaved(target->path);
  return true;
}
