// A skin's files read back at save time from where the skin came from: the
// files and folders the picture table does not name (the later menus'
// pictures, custom.ini, a calendar folder, read-mes), which travel with the
// skin byte for byte, and the stored bytes of pictures the author left as
// they were.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/image.h"

class CaseInsensitiveFolder;
class ZipArchive;
struct SkinSource;

// How a load turns a picture's bytes into the picture it holds: a 16-bit
// BMP through the skin's own reader, anything else through the general
// decoder, reduced to 5 bits at once when read from a folder and only on
// save when read from an archive. A 16-bit BMP whose header does not fit
// its data counts as undecodable.
enum class PictureSource { Folder, Archive };
std::optional<Image> decodeSkinPicture(std::span<const std::uint8_t> bytes, PictureSource source);

// A BMP of 16 bits a pixel, plain or in bit-field form, with any header
// from 40 bytes on (V4 and V5 included): the files a save may keep as they
// are.
bool isSixteenBitBmp(std::span<const std::uint8_t> bytes);

// Whether `name` (relative to a skin's root, "/" or "\" between folders)
// stays inside whatever folder it is put under: no empty part (so no
// leading separator), no "." or "..", no drive letter ("C:").
bool staysInsideFolder(std::string_view name);

// Whether a save writes a file of that name itself (uisettings.ini or a
// picture of the table), ignoring ASCII case: "ACTIVE.BMP", "Icon\Nds.bmp".
bool writtenBySave(std::string_view name);

// Whether a file name is one of the temporary names this program's writes
// use, NAME.tmp-PID-N.
bool isSaveTemporaryName(std::string_view fileName);

// A file or folder that travels with the skin.
struct CarriedFile {
  std::string name;     // relative to the skin's root, "/" between folders
  bool folder = false;  // a folder with nothing carried inside it
  int entry = -1;       // archive sources: the entry holding it
};

class SkinSourceFiles {
 public:
  // What to carry from `source` (null: the built-in skin, nothing) into a
  // save to `targetFolder` (ending in "/") or `targetArchive`, the other
  // one empty. A save into the skin's own folder carries nothing: the files
  // are there already. The target itself is never carried, should it lie
  // inside the skin's folder.
  SkinSourceFiles(const SkinSource* source, const std::string& targetFolder,
                  const std::string& targetArchive);
  ~SkinSourceFiles();
  SkinSourceFiles(const SkinSourceFiles&) = delete;
  SkinSourceFiles& operator=(const SkinSourceFiles&) = delete;

  // The stored bytes of table picture `index`, when they are a 16-bit BMP
  // that decodes, under the load's rules, to exactly `picture`: the author
  // did not change it (or changed it back).
  std::optional<std::vector<std::uint8_t>> unchangedPicture(int index, const Image& picture);

  // Folders first where one holds nothing else, then files; sorted for a
  // folder, in archive order for an archive.
  const std::vector<CarriedFile>& files() const { return files_; }

  // The bytes of a carried file; nothing, noted in lost(), when it cannot
  // be read any more or is larger than archive entries may be.
  std::optional<std::vector<std::uint8_t>> read(const CarriedFile& file);

  // What could not be carried, as the author knows it: a path or an
  // archive entry; the folder or archive itself when it is gone.
  const std::vector<std::string>& lost() const { return lost_; }

 private:
  void listFolder(const std::string& folder, const std::string& targetFolder,
                  const std::string& targetArchive);
  void listArchive(const std::string& root);
  std::string shownName(const CarriedFile& file) const;

  const SkinSource* source_;
  std::unique_ptr<ZipArchive> archive_;
  std::unique_ptr<CaseInsensitiveFolder> otherSpellings_;  // of a folder's pictures
  std::vector<CarriedFile> files_;
  std::vector<std::string> lost_;
};
