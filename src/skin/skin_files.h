// Operations on a whole skin: between its files (a folder or a ZIP archive)
// and the model plus picture table in memory. This layer stands above the
// settings file and the picture table, which know nothing of each other.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "skin/skin_images.h"
#include "skin/skin_io_context.h"
#include "skin/skin_model.h"

class ZipArchive;

// Every entry takes its built-in picture; the table has no source.
void resetSkinImages(SkinImageTable& images);

// Reads folder + "uisettings.ini" and, when that worked, the folder's
// pictures, and makes the folder the table's source. A missing file shows
// the missing-settings message and changes nothing. Returns whether the
// settings file was read.
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
// A picture the folder lacks is the built-in one, without a message: most
// skins carry only the pictures they change. One that is there but cannot
// be read or decoded is reported.
void loadSkinFolderImages(SkinImageTable& images, const SkinIoContext& io,
                          const std::string& folder);

// Reads the archive's uisettings.ini into the model, then its 53 pictures
// (an absent one is the built-in one, as in a folder), and makes the
// archive, with the folder of its settings entry as the skin's root, the
// table's source. An archive without a readable settings entry shows the
// missing-settings message and changes nothing. Returns whether the
// settings entry was read.
bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath);

// The same over an archive already open (from a file or from memory); the
// source then has no path, so saves carry nothing of it.
bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive);

// The first archive entry named `entryName` (ignoring case, "\" between
// folders) into entry `index`, keeping full 8-bit colours; a missing entry
// is reported.
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
  // After the n-th file (1 to 54, then the skin's other files, in save
  // order) is on the disk under its temporary name.
  std::function<void(int)> staged;
  // Once every file is, before the first takes the place of the old one.
  std::function<void()> beforeRenames;
};

// Writes uisettings.ini and all 53 pictures as 16-bit BMPs into `folder`,
// then every other file and folder of the table's source (see
// SkinSourceFiles; none when `folder` is the source's own). A picture
// whose stored file was a 16-bit BMP that still decodes to it is written
// as those bytes, unchanged. Every file goes under a temporary name first,
// then each is renamed over the old one, so a killed save leaves the old
// skin whole unless the kill falls among the renames. A file whose name
// cannot be used is reported and skipped; a write that fails (a full disk)
// ends the save with no file changed. Temporary files of earlier killed
// saves are removed first. What could not be read back from the source is
// one message, after the rest is saved. Returns whether every file
// written was saved.
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
// time of the save; a carried folder with nothing in it is a folder entry.
// The archive is written whole or not at all: on failure an archive that
// was there is kept, and one message says so. Returns whether it was saved.
bool saveSkinArchive(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath);

// A skin folder (the one a load read or a save wrote) and an archive that
// saveSkinArchive wrote, as a table's source: the next save reads the
// skin's files there.
std::shared_ptr<const SkinSource> folderSkinSource(const std::string& folder);
std::shared_ptr<const SkinSource> archiveSkinSource(const std::string& archivePath);
