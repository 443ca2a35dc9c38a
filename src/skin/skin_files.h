// Operations on a whole skin: between its files (a folder or a ZIP archive)
// and the model plus picture table in memory. This layer stands above the
// settings file and the picture table, which know nothing of each other.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

class ZipArchive;

// Every entry takes its built-in picture.
void resetSkinImages(SkinImageTable& images);

// Reads folder + "uisettings.ini" and, when that worked, the folder's
// pictures. A missing file shows the missing-settings message and changes
// nothing. Returns whether the settings file was read.
bool loadSkinFromFolder(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& folder);

// `path` with a trailing "/" unless it ends in a folder separator already
// (or is empty): the form the folder operations take.
std::string asFolderPath(std::string path);

// A skin by its path, however it was named (menu, drop, recent list,
// command line): a folder through its settings file with
// loadSkinFromFolder, anything else, a missing path too, as an archive
// through openSkinArchive, which reports what is wrong with it.
struct OpenedSkin {
  bool loaded = false;  // the settings were read
  bool folder = false;  // `path` named a folder
  std::string path;     // as opened: a folder ends in "/"
};
OpenedSkin openSkinPath(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& path);

// Loads all 53 entries from `folder` (ending in "/"), with progress 1..53.
void loadSkinFolderImages(SkinImageTable& images, const SkinIoContext& io,
                          const std::string& folder);

// Reads the archive's uisettings.ini into the model, then its 53 pictures.
// An archive without a readable settings entry shows the missing-settings
// message and changes nothing. Returns whether the settings entry was read.
bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath);

// The same over an archive already open (from a file or from memory).
bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive);

// The first archive entry named `entryName` (ignoring case, "\" between
// folders) into entry `index`, keeping full 8-bit colours.
void loadImageEntry(SkinImageTable& images, int index, const SkinIoContext& io, ZipArchive& archive,
                    const std::string& entryName);

// The image button's rules for one chosen file: a missing file or one that
// cannot be decoded is reported and leaves the entry's picture as it was;
// anything else replaces it (dithered unless it is a 16-bit BMP). Returns
// whether the picture was replaced.
bool replaceSkinImageFromFile(SkinImageTable& images, int index, const SkinIoContext& io,
                              const std::string& path);

// The folder load's rules for one file: a file that cannot be decoded is
// reported and empties the entry.
void loadImageFile(SkinImageTable& images, int index, const SkinIoContext& io,
                   const std::string& path);

// Where a test can stop a folder save as a kill would: each callback runs
// at its moment of the save and may end the process there. Empty ones do
// nothing.
struct FolderSaveProbe {
  // After the n-th file (1 to 54, in save order) is on the disk under its
  // temporary name.
  std::function<void(int)> staged;
  // Once every file is, before the first takes the place of the old one.
  std::function<void()> beforeRenames;
};

// Writes uisettings.ini and all 53 pictures as 16-bit BMPs into `folder`:
// every file under a temporary name first, then each renamed over the old
// one, so a killed save leaves the old skin whole unless the kill falls
// among the renames. A file whose name cannot be used is reported and
// skipped; a write that fails (a full disk) ends the save with no file
// changed. Temporary files of earlier killed saves are removed first.
// Returns whether every file was saved.
bool saveSkinFolder(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const std::string& folder, const FolderSaveProbe& probe = {});

// Removes the temporary files that killed saves of this program left in a
// skin folder (ending in "/") and its icon folder; nothing else.
void removeLeftoversOfFolderSave(const std::string& folder);

// The same beside an archive.
void removeLeftoversOfArchiveSave(const std::string& archivePath);

// One picture file under the folder load's rules (16-bit BMPs exact,
// anything else dithered), without a word to the user: nothing when the
// file cannot be read or decoded, as while a paint program is still
// writing it.
std::optional<Image> readSkinPictureFile(const std::string& path);

// Writes the files saveSkinFolder writes, byte for byte and in the same
// order and progress steps, as one ZIP archive at `archivePath`, inside a
// folder named after the archive ("Blue/" in "Blue.zip"), stamped with the
// time of the save. The archive is written whole or not at all: on failure
// an archive that was there is kept, and one message says so. Returns
// whether it was saved.
bool saveSkinArchive(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath);
