// The handheld's upper screen: information about the selected entry and the
// big clock, with fixed sample values placed where the skin says.
#pragma once

#include "preview/painter.h"
#include "preview/preview_sources.h"

// Upper screen of every view except the folder list: a game is selected.
// With a record, what is drawn is also appended to it (see Painter).
Image drawGameInfoScreen(const PreviewSources& sources, DrawRecord* record = nullptr);

// Upper screen of the folder list view: a folder is selected.
Image drawFolderInfoScreen(const PreviewSources& sources, DrawRecord* record = nullptr);

// The clock showing 12:34; drawn last by both screens, over everything else.
void drawBigClock(Painter& painter, const PreviewSources& sources);

// The fixed sample values; tests use them to predict where text lands.
struct GameInfoSamples {
  static constexpr const char* fileNameLabel = "File Name:";                        // 10 characters
  static constexpr const char* fileName = "0022 - Super Mario 64 DS (Europe).nds";  // 37
  static constexpr const char* gameNameLabel = "Game Name:";                        // 10
  static constexpr const char* gameName = "MARIO 64 DS";                            // 11
  static constexpr const char* fileType[3] = {"Size: 16384 KByte", "ID: ASME", "v1.0"};  // 17, 8, 4
  static constexpr const char* folderPath = "/Games/Nintendo DS/Platform/Mario Series";  // 40
};

struct FolderInfoSamples {
  static constexpr const char* fileNameLabel = "Folder";
  static constexpr const char* folderName = "NDS/";  // 4; shown as "NDS" when it fits
  static constexpr const char* centreProbe = "NDS";
  static constexpr const char* contents = "Contains 8 files";  // 16
  static constexpr const char* fileType = "2 dirs";            // 6
  static constexpr const char* folderPath = "/sd/";            // 4
};
