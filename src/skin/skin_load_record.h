// What a load found on disk, for a check of the skin as stored rather than
// as the editor holds it: the settings file's bytes, where each picture
// came from and in which form, and the names an archive holds.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/skin_images.h"

enum class PictureOrigin {
  NotRead,      // no file of that name: the entry kept the picture it had
  Bmp16,        // a 16-bit BMP, taken as it is
  OtherFormat,  // decoded and, on save, converted to a 16-bit BMP
  Undecodable,  // a file that no decoder could read: the entry is empty
};

struct PictureLoad {
  PictureOrigin origin = PictureOrigin::NotRead;
  std::string format;  // "BMP", "PNG", "JPEG" or "unknown", for OtherFormat
  std::string name;    // the path or archive entry it was read from, or looked for
};

struct SkinLoadRecord {
  bool settingsRead = false;
  std::string settingsName;  // path or archive entry of uisettings.ini
  std::vector<std::uint8_t> settingsBytes;
  std::array<PictureLoad, kSkinImageCount> pictures;
  bool fromArchive = false;
  std::vector<std::string> archiveEntries;  // every entry name, in archive order
};

// The container format of picture bytes by their signature.
std::string pictureFormatName(std::span<const std::uint8_t> bytes);
