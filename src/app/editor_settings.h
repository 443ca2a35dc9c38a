// settings/settings.ini: the four values the editor keeps between runs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/editor_state.h"

// Reads "settings/settings.ini" under `base` into LastPath, Language,
// BGColor and SwapView (missing keys, or a missing file, give the start
// values), then sets the start layout from SwapView. Never reports a
// failure.
void readEditorSettings(EditorState& state, const std::filesystem::path& base = ".");

// Writes the four values to "settings/settings.ini" under `base`, creating
// the folders when needed, all or nothing: the file holds the old settings
// or the new, never a part. A failure is passed over silently.
void writeEditorSettings(const EditorState& state, const std::filesystem::path& base = ".");

// The exact bytes writeEditorSettings puts in the file.
std::string formatEditorSettings(const EditorState& state);

// Start positions of preview and panel: SwapView 0 puts the preview left,
// anything else the panel left (and makes SwapView exactly 1).
void applyStartLayout(EditorState& state);

// The leading decimal number of a settings value: optional sign, then
// digits up to the first other character. No digits read as 0; values past
// the range of int stop at its limits.
int leadingInteger(std::string_view text);
