// The cheat window on the lower screen: its own background, not the file
// browser.
#pragma once

#include <array>
#include <string_view>

#include "preview/preview_sources.h"
#include "skin/image.h"

// The sample texts the cheat window shows: title, clear caption and the
// seven entries, top to bottom.
inline constexpr std::string_view kCheatTitle = "Cheat list: Mario 64 DS";
inline constexpr std::string_view kCheatClearCaption = "Cancel all";
inline constexpr std::array<std::string_view, 7> kCheatEntries = {
    "Infinite lives (always 99 lives)",
    "Max coins every stage",
    "Moon jump (hold L, R and A)",
    "Play as Luigi (press SELECT + L)",
    "Play as Wario",
    "Play as Yoshi (once)",
    "Character modifiers"};

Image drawCheatListScreen(const PreviewSources& sources);
