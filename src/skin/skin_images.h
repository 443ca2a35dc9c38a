// The skin's 53 pictures and every way they move between disk, archive and
// memory.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "skin/image.h"
#include "skin/skin_io_context.h"

class ZipArchive;

inline constexpr int kSkinImageCount = 53;

struct SkinImage {
  std::string_view fileName;  // relative to the skin root, "icon/cheat.bmp"
  std::string_view baseName;  // without folder and ".bmp", "cheat"
  Image picture;              // empty (0 x 0) after a failed decode
};

class SkinImageTable {
 public:
  SkinImageTable();  // names filled in, pictures empty until resetSkinImages

  SkinImage& operator[](int index) { return entries_[index]; }
  const SkinImage& operator[](int index) const { return entries_[index]; }

  // Table position of a file name ("startbar.bmp", "icon/nds.bmp"), or -1.
  static int indexOf(std::string_view fileName);

  // The picture held under a file name of the table.
  const Image& picture(std::string_view fileName) const;

 private:
  std::array<SkinImage, kSkinImageCount> entries_;
};

// File name and default size of entry `index` in table order.
std::string_view skinImageFileName(int index);
int skinImageDefaultWidth(int index);
int skinImageDefaultHeight(int index);

// Every entry takes its built-in picture.
void resetSkinImages(SkinImageTable& images);

// Loads all 53 entries from `folder` (ending in "/"), with progress 1..53.
void loadSkinFolderImages(SkinImageTable& images, const SkinIoContext& io,
                          const std::string& folder);

// Reads the archive's uisettings.ini into the model, then its 53 pictures.
void openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath);

// The same over an archive already open (from a file or from memory).
void openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive);

// The first archive entry named `entryName` (ignoring ASCII case, "\"
// between folders) into entry `index`, keeping full 8-bit colours.
void loadImageEntry(SkinImageTable& images, int index, const SkinIoContext& io, ZipArchive& archive,
                    const std::string& entryName);

// Asks for a file and loads it into entry `index`. `lastPath` is the folder
// proposed in the requester. A file that cannot be decoded is reported and
// leaves the entry's picture as it was.
void replaceSkinImage(SkinImageTable& images, int index, const SkinIoContext& io,
                      const std::string& lastPath);

// One picture file into one entry (dithered unless it is a 16-bit BMP).
void loadImageFile(SkinImageTable& images, int index, const SkinIoContext& io,
                   const std::string& path);

// Writes uisettings.ini and all 53 pictures as 16-bit BMPs into `folder`.
void saveSkinFolder(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const std::string& folder);
