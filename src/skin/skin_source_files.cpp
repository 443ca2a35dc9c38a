#include "skin/skin_source_files.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/little_endian.h"
#include "base/platform.h"
#include "base/zip_archive.h"
#include "imaging/bmp16.h"
#include "imaging/dither.h"
#include "imaging/picture_decoder.h"
#include "skin/skin_images.h"
#include "skin/skin_source.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kBitFields = 3;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string withSlashes(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

std::string withBackslashes(std::string_view name) {
  std::string out(name);
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<Image> decodeSkinPicture(std::span<const std::uint8_t> bytes, PictureSource source) {
  if (isBmp16(bytes)) return readBmp16(bytes);
  std::optional<Image> picture = decodePicture(bytes);
  if (picture && source == PictureSource::Folder) dither15(*picture);
  return picture;
}

bool isSixteenBitBmp(std::span<const std::uint8_t> bytes) {
  if (isBmp16(bytes)) return true;
  return bytes.size() >= 54 && bytes[0] == 'B' && bytes[1] == 'M' && readLe32(bytes, 14) >= 40 &&
         readLe16(bytes, 28) == 16 && readLe32(bytes, 30) == kBitFields;
}

namespace {

// A name part that Windows (and the handheld's FAT) would take for another
// file than the one it spells: a trailing dot or blank is dropped there
// ("uisettings.ini." is "uisettings.ini"), "a:b" is a stream of "a", the
// device names open devices, and "NAME~1.EXT" may be the short name of any
// other file. Such files are not carried; the save says which.
bool namesAnotherFile(std::string_view part) {
  for (char c : part)
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view(":<>\"|?*").find(c) != std::string_view::npos)
      return true;
  if (part.back() == '.' || part.back() == ' ') return true;
  const std::string base = upperAscii(std::string(part.substr(0, part.find('.'))));
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view device : kDevices)
    if (base == device) return true;
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '0' &&
      base[3] <= '9')
    return true;
  const std::size_t tilde = base.rfind('~');
  return base.size() <= 8 && tilde != std::string::npos && tilde + 1 < base.size() &&
         allDigits(std::string_view(base).substr(tilde + 1));
}

}  // namespace

bool staysInsideFolder(std::string_view name) {
  if (name.empty()) return false;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    const std::string_view part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (part.size() >= 2 && isAsciiLetter(part[0]) && part[1] == ':') return false;
    if (namesAnotherFile(part)) return false;
    if (end == name.size()) return true;
    start = end + 1;
  }
}

bool writtenBySave(std::string_view name) {
  const std::string upper = upperAscii(withSlashes(std::string(name)));
  if (upper == "UISETTINGS.INI") return true;
  for (int i = 0; i < kSkinImageCount; ++i)
    if (upper == upperAscii(skinImageFileName(i))) return true;
  return false;
}

bool isSaveTemporaryName(std::string_view fileName) {
  const std::size_t mark = fileName.rfind(".tmp-");
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view rest = fileName.substr(mark + 5);
  const std::size_t dash = rest.find('-');
  return dash != std::string_view::npos && allDigits(rest.substr(0, dash)) &&
         allDigits(rest.substr(dash + 1));
}

SkinSourceFiles::SkinSourceFiles(const SkinSource* source, const std::string& targetFolder,
                                 const std::string& targetArchive)
    : source_(source && !source->path.empty() ? source : nullptr) {
  if (!source_) return;
  if (source_->kind == SkinSource::Kind::Folder) {
    listFolder(source_->path, targetFolder, targetArchive);
    return;
  }
  std::error_code error;
  if (!fs::is_regular_file(pathFromUtf8(source_->path), error)) {
    lost_.push_back(source_->path);
    return;
  }
  archive_ = std::make_unique<ZipArchive>(source_->path);
  // The skin was opened from this archive, so it held entries then: none
  // now means it cannot be read any more (changed, locked by another
  // program), and the save must say that its other files stay behind.
  if (archive_->entryCount() == 0) {
    lost_.push_back(source_->path);
    return;
  }
  listArchive(source_->root);
}

SkinSourceFiles::~SkinSourceFiles() = default;

void SkinSourceFiles::listFolder(const std::string& folder, const std::string& targetFolder,
                                 const std::string& targetArchive) {
  std::error_code error;
  if (!fs::is_directory(pathFromUtf8(folder), error)) {
    lost_.push_back(folder);
    return;
  }
  // A target not made yet is no other name of the folder.
  if (!targetFolder.empty() && isSameFile(folder, targetFolder)) return;
  std::vector<std::string> files;
  std::vector<std::string> folders;
  // Links are neither followed nor carried: a link could lead anywhere, and
  // its target is no part of the skin the author made.
  fs::recursive_directory_iterator it(pathFromUtf8(folder),
                                      fs::directory_options::skip_permission_denied, error);
  for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
    const std::string path = utf8FromPath(it->path());
    if (!path.starts_with(folder) || path.size() == folder.size()) continue;
    // Names inside the skin are "/"-separated everywhere, as in archives.
    const std::string name = genericUtf8FromPath(pathFromUtf8(path.substr(folder.size())));
    std::error_code typeError;
    const fs::file_status status = it->symlink_status(typeError);
    if (typeError || fs::is_symlink(status) || isLink(path)) {
      it.disable_recursion_pending();
      continue;
    }
    if (fs::is_directory(status)) {
      if (!targetFolder.empty() && isSameFile(path, targetFolder)) {
        it.disable_recursion_pending();
        continue;
      }
      folders.push_back(name);
      continue;
    }
    // Pipes, sockets and devices are no files to copy.
    if (!fs::is_regular_file(status)) continue;
    if (writtenBySave(name) || isSaveTemporaryName(utf8FromPath(it->path().filename()))) continue;
    if (!targetArchive.empty() && isSameFile(path, targetArchive)) continue;
    files.push_back(name);
  }
  // A walk cut short (a folder that went away under it) leaves files
  // behind that nobody can name.
  if (error) lost_.push_back(folder);
  std::sort(files.begin(), files.end());
  std::sort(folders.begin(), folders.end());
  for (const std::string& name : folders) {
    const bool holdsAFile = std::any_of(files.begin(), files.end(), [&](const std::string& file) {
      return file.size() > name.size() && file.starts_with(name) && file[name.size()] == '/';
    });
    // The icon folder, in any spelling, is the save's own.
    if (!holdsAFile && upperAscii(name) != "ICON") files_.push_back({name, true, -1});
  }
  for (std::string& name : files) {
    if (!staysInsideFolder(name)) {
      lost_.push_back(folder + name);
      continue;
    }
    files_.push_back({std::move(name), false, -1});
  }
}

void SkinSourceFiles::listArchive(const std::string& root) {
  std::set<std::string> seen;
  std::vector<CarriedFile> files;
  std::vector<std::string> folders;
  for (int i = 0; i < archive_->entryCount(); ++i) {
    const std::string& entryName = archive_->entryName(i);
    if (!entryName.starts_with(root) || entryName.size() == root.size()) continue;
    std::string name = withSlashes(entryName.substr(root.size()));
    if (!seen.insert(name).second) continue;  // the first of the same name is the one read
    if (!staysInsideFolder(name.ends_with('/') ? name.substr(0, name.size() - 1) : name)) {
      lost_.push_back(name);
      continue;
    }
    if (name.ends_with('/')) {
      name.pop_back();
      folders.push_back(name);
      continue;
    }
    const std::size_t slash = name.rfind('/');
    if (writtenBySave(name) ||
        isSaveTemporaryName(slash == std::string::npos ? name : name.substr(slash + 1)))
      continue;
    files.push_back({std::move(name), false, i});
  }
  for (const std::string& name : folders) {
    const bool holdsAFile = std::any_of(files.begin(), files.end(), [&](const CarriedFile& file) {
      return file.name.size() > name.size() && file.name.starts_with(name) &&
             file.name[name.size()] == '/';
    });
    if (!holdsAFile && upperAscii(name) != "ICON") files_.push_back({name, true, -1});
  }
  files_.insert(files_.end(), std::make_move_iterator(files.begin()),
                std::make_move_iterator(files.end()));
}

std::string SkinSourceFiles::shownName(const CarriedFile& file) const {
  return source_->kind == SkinSource::Kind::Folder ? source_->path + file.name : file.name;
}

std::optional<std::vector<std::uint8_t>> SkinSourceFiles::read(const CarriedFile& file) {
  if (!source_ || file.folder) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes;
  if (source_->kind == SkinSource::Kind::Folder) {
    // An archive entry may not be larger, and the folder may become one.
    bytes = readFileExplained(source_->path + file.name, kMaxZipEntrySize).bytes;
  } else if (archive_ && file.entry >= 0 && file.entry < archive_->entryCount()) {
    bytes = archive_->extract(file.entry);
  }
  if (!bytes) lost_.push_back(shownName(file));
  return bytes;
}

std::optional<std::vector<std::uint8_t>> SkinSourceFiles::unchangedPicture(int index,
                                                                           const Image& picture) {
  if (!source_ || !isSkinImageEntry(index) || picture.empty()) return std::nullopt;
  const std::string_view fileName = skinImageFileName(index);
  std::optional<std::vector<std::uint8_t>> bytes;
  if (source_->kind == SkinSource::Kind::Folder) {
    // Found as the load finds it: the exact name first, then any spelling.
    FileRead read = readFileExplained(source_->path + std::string(fileName));
    if (read.failure == ReadFailure::Missing) {
      if (!otherSpellings_)
        otherSpellings_ = std::make_unique<CaseInsensitiveFolder>(source_->path);
      if (std::optional<std::string> other = otherSpellings_->find(fileName))
        read = readFileExplained(*other);
    }
    bytes = std::move(read.bytes);
  } else if (archive_) {
    const int entry = archive_->findEntry(source_->root + withBackslashes(fileName));
    if (entry >= 0) bytes = archive_->extract(entry);
  }
  if (!bytes || !isSixteenBitBmp(*bytes)) return std::nullopt;
  const std::optional<Image> stored =
      decodeSkinPicture(*bytes, source_->kind == SkinSource::Kind::Folder ? PictureSource::Folder
                                                                          : PictureSource::Archive);
  if (!stored || *stored != picture) return std::nullopt;
  return bytes;
}
