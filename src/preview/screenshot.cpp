#include "preview/screenshot.h"

#include <algorithm>
#include <cstring>

#include "preview/file_list_screen.h"
#include "preview/upper_screen.h"

namespace {

constexpr std::string_view kExtensions[3] = {"png", "bmp", "jpg"};

void copyRows(Image& target, const Image& source, int top) {
  const int rows = std::min(source.height, kScreenHeight);
  const int columns = std::min(source.width, kScreenshotWidth);
  for (int y = 0; y < rows; ++y)
    std::memcpy(&target.at(0, top + y),
                source.pixels.data() + static_cast<std::size_t>(y) * source.width,
                static_cast<std::size_t>(columns) * sizeof(Color));
}

}  // namespace

Image stackScreens(const ScreenPair& screens) {
  Image picture(kScreenshotWidth, kScreenshotHeight, 0);
  if (!screens.upper.empty()) copyRows(picture, screens.upper, 0);
  if (!screens.lower.empty()) copyRows(picture, screens.lower, kScreenHeight);
  return picture;
}

Image renderScreenshot(const PreviewSources& sources) {
  ScreenPair screens;
  screens.upper = drawGameInfoScreen(sources);
  screens.lower = drawIconView(sources);
  return stackScreens(screens);
}

std::string_view screenshotFilterList() {
  return "Portable Network Graphic (*.png)|*.png|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|";
}

std::optional<ScreenshotTarget> screenshotTarget(std::string_view chosenName, int filterIndex) {
  if (chosenName.empty() || filterIndex < 0 || filterIndex > 2) return std::nullopt;
  const std::size_t slash = chosenName.find_last_of("\\/");
  const std::string_view filePart =
      slash == std::string_view::npos ? chosenName : chosenName.substr(slash + 1);
  const std::size_t dot = filePart.rfind('.');
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view{} : filePart.substr(dot + 1);

  const ImageFileFormat format = static_cast<ImageFileFormat>(filterIndex);
  const std::string_view wanted = kExtensions[filterIndex];
  std::string path(chosenName);
  if (extension == wanted) return ScreenshotTarget{path, format};
  const bool known = extension.empty() || std::find(std::begin(kExtensions), std::end(kExtensions),
                                                    extension) != std::end(kExtensions);
  if (!known) return std::nullopt;
  path += '.';
  path += wanted;
  return ScreenshotTarget{path, format};
}

std::string folderPart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}
