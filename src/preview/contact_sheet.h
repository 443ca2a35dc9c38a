// The contact sheet: all fourteen views of a skin in one picture, in a grid,
// each under its screen name, with the skin's title and author on top, for
// showing a skin in one image.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "imaging/image.h"
#include "preview/preview_canvas.h"
#include "preview/preview_sources.h"

struct ContactSheetTexts {
  std::string title;   // the skin's title, or a stand-in for none
  std::string byline;  // "by <author>", may be empty
  std::array<std::string, kScreenViewCount> screenNames;
};

struct ContactSheetLayout {
  int columns = 7;
  float zoom = 1.0f;  // of each view's canvas, as the preview's wheel gives it
};

Image drawContactSheet(const PreviewSources& sources, const ContactSheetTexts& texts,
                       const ContactSheetLayout& layout);

// `text` when the preview font has a glyph for each of its characters, else
// `fallback` (the English name of a screen for a language the font lacks).
std::string_view drawableText(std::string_view text, std::string_view fallback);
