// The editor's own values, as opposed to the skin being edited: what it
// remembers between runs, the preview zoom and the layout of the last resize.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct EditorState {
  // The window title is ProductTitle followed directly by VersionText; the
  // title part is kept at exactly 25 characters.
  static constexpr std::string_view ProductTitle = "Twinscreen Skin Studio - ";
  static constexpr std::string_view VersionText = "v0.100604";

  // Saved in settings/settings.ini.
  std::string LastPath;       // folder last chosen in a requester, UTF-8
  int Language = 0;           // 0 = built-in texts, 1..9 = a language file
  std::uint32_t BGColor = 0;  // preview background: red + 256 * green + 65536 * blue
  int SwapView = 0;           // 1 when the editing panel stands left of the preview

  float ZoomFactor = 1.0f;  // preview enlargement, not saved

  // Layout: left edges set from SwapView when the settings are read, the
  // rest by every resize.
  int PreviewX = 0;
  int PanelX = 0;
  int PreviewWidth = 0;
  int PreviewHeight = 0;
  int PanelHeight = 0;
  int ScreenButtonWidth = 0;

  bool QuitRequested = false;
};

static_assert(EditorState::ProductTitle.size() == 25);
