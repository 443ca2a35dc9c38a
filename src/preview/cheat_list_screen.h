// The cheat window on the lower screen: its own background, not the file
// browser.
#pragma once

#include <array>
#include <string_view>

#include "imaging/image.h"
#include "preview/draw_record.h"
#include "preview/preview_sources.h"

// The sample texts the cheat window shows: title, clear caption and the
// seven entries, top to bottom. The title and caption end in a space because
// fitting them to their fields always drops the last character.
inline constexpr std::string_view kCheatTitle = "Mario 64 DS cheat list ";
inline constexpr std::string_view kCheatClearCaption = "Clear all ";
inline constexpr std::array<std::string_view, 7> kCheatEntries = {
    "Infinite lives (always 99 lives)",
    "Max coins every stage",
    "Moon jump (hold L, R and A)",
    "Play as Luigi (press SELECT + L)",
    "Play as Wario",
    "Play as Yoshi (once)",
    "Character modifiers"};

// With a record, what is drawn is also appended to it (see Painter).
Image drawCheatListScreen(const PreviewSources& sources, DrawRecord* record = nullptr);
