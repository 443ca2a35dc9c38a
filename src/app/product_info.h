// The product's own words and web addresses, kept in one place: the about
// box shows them, and anything else that names the product takes them from
// here. They are not interface texts; no language file changes them.
#pragma once

#include <string>
#include <string_view>

#include "app/editor_state.h"

struct ProductInfo {
  static constexpr std::string_view Name = "Twinscreen Skin Studio";
  // The banner of the about box leads to the project's home page, the link
  // under the text to its collection of skins.
  static constexpr std::string_view HomeAddress = "https://twinscreen-skin-studio.example.org/";
  static constexpr std::string_view SkinsAddress =
      "https://twinscreen-skin-studio.example.org/skins/";
  static constexpr std::string_view LinkText = "More skins on the web";

  static constexpr std::string_view Introduction =
      "Makes and changes skins for the file-browser menu of two-screen handhelds, with a live "
      "preview of both screens in every menu state.";
  // Follows the product's name and version directly, so it brings its own separator.
  static constexpr std::string_view Edition = ", skin editor for the desktop";
  static constexpr std::string_view Copyright =
      "Copyright (C) 2026 the Twinscreen Skin Studio developers";
  static constexpr std::string_view Closing =
      "The skins you make are yours: share them as you like.";
};

static_assert(EditorState::ProductTitle.starts_with(ProductInfo::Name));

// The about box's body: the introduction, three line feeds, the name and
// version with the edition, one line feed, the copyright, two line feeds,
// the closing line.
inline std::string aboutBodyText() {
  std::string text(ProductInfo::Introduction);
  text += "\n\n\n";
  text += EditorState::ProductTitle;
  text += EditorState::VersionText;
  text += ProductInfo::Edition;
  text += "\n";
  text += ProductInfo::Copyright;
  text += "\n\n";
  text += ProductInfo::Closing;
  return text;
}
