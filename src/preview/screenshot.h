// The screenshot picture (the two screens of the first view, stacked) and
// the rule that turns a chosen file name and filter into the file written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "imaging/image.h"
#include "imaging/image_encoders.h"
#include "preview/preview_canvas.h"
#include "preview/preview_sources.h"

inline constexpr int kScreenshotWidth = 256;
inline constexpr int kScreenshotHeight = 384;

// 256 x 384: `upper` at (0, 0), `lower` at (0, 192), black where either is
// missing.
Image stackScreens(const ScreenPair& screens);

// The screenshot: view 0 (game information over the icon view), whatever
// view the preview shows.
Image renderScreenshot(const PreviewSources& sources);

// The save requester's filter list, PNG, BMP, JPEG in filter-index order.
std::string_view screenshotFilterList();

struct ScreenshotTarget {
  std::string path;
  ImageFileFormat format;
};

// Where a screenshot goes for the name chosen in the requester and the
// selected filter: no extension or another of the three known ones gets the
// filter's extension appended; the filter's own extension is kept; any
// other extension (case matters: "PNG" is not "png") writes nothing.
std::optional<ScreenshotTarget> screenshotTarget(std::string_view chosenName, int filterIndex);

// Everything up to and including the last "\" or "/" (the new LastPath).
std::string folderPart(std::string_view path);
