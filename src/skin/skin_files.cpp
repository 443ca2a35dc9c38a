#include "skin/skin_files.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/zip_archive.h"
#include "base/zip_writer.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "imaging/dither.h"
#include "imaging/picture_decoder.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_load_record.h"

namespace {

void showError(const SkinIoContext& io, const std::string& body) {
  io.desktop.showMessage(io.texts.text("LANG_ERROR$"), body);
}

void reportNotFound(const SkinIoContext& io, const std::string& name) {
  showError(io, name + " : " + io.texts.text("LANG_FILE_NOTFOUND$"));
}

// A file that is there but gives nothing: the same place in the message as
// a missing one, with what really went wrong.
void reportUnreadable(const SkinIoContext& io, const std::string& name, ReadFailure why) {
  if (why == ReadFailure::Missing) return reportNotFound(io, name);
  showError(io, name + " : " +
                    io.texts.text(why == ReadFailure::TooLarge ? "LANG_FILE_TOOLARGE$"
                                                               : "LANG_FILE_UNREADABLE$"));
}

void reportUnknownFormat(const SkinIoContext& io, const std::string& name) {
  showError(io, name + ": " + io.texts.text("LANG_FILE_UNKNOWN$"));
}

void reportNotSaved(const SkinIoContext& io, const std::string& path) {
  showError(io, path + ": " + io.texts.text("LANG_FILE_NOTSAVE$"));
}

enum class Source { Disk, Archive };

// A 16-bit BMP through the skin's own reader, anything else through the
// general decoder; pictures from disk are then reduced to 5 bits at once,
// pictures from an archive only when saved. A 16-bit BMP whose header does
// not fit its data counts as undecodable.
std::optional<Image> decodeSkinPicture(std::span<const std::uint8_t> bytes, Source source) {
  if (isBmp16(bytes)) return readBmp16(bytes);
  std::optional<Image> picture = decodePicture(bytes);
  if (picture && source == Source::Disk) dither15(*picture);
  return picture;
}

enum class OnUndecodable { EmptyEntry, KeepEntry };

bool takeDecoded(SkinImageTable& images, int index, const SkinIoContext& io,
                 std::span<const std::uint8_t> bytes, Source source, const std::string& name,
                 OnUndecodable onUndecodable) {
  std::optional<Image> picture = decodeSkinPicture(bytes, source);
  if (io.record) {
    PictureLoad& load = io.record->pictures[static_cast<std::size_t>(index)];
    load.name = name;
    if (!picture) {
      load.origin = PictureOrigin::Undecodable;
    } else if (isBmp16(bytes)) {
      load.origin = PictureOrigin::Bmp16;
    } else {
      load.origin = PictureOrigin::OtherFormat;
      load.format = pictureFormatName(bytes);
    }
  }
  if (picture) {
    images[index].picture = std::move(*picture);
    return true;
  }
  reportUnknownFormat(io, name);
  if (onUndecodable == OnUndecodable::EmptyEntry) images[index].picture = Image();
  return false;
}

// `fallback`, when given, finds the file under another spelling of its name
// if `path` (folder + the table's name) does not open.
bool loadFromDisk(SkinImageTable& images, int index, const SkinIoContext& io,
                  const std::string& path, CaseInsensitiveFolder* fallback,
                  OnUndecodable onUndecodable) {
  std::string shownPath = path;
  FileRead read = readFileExplained(path);
  if (read.failure == ReadFailure::Missing && fallback) {
    if (std::optional<std::string> other = fallback->find(images[index].fileName)) {
      read = readFileExplained(*other);
      shownPath = *other;
    }
  }
  if (!read.bytes) {
    if (io.record)
      io.record->pictures[static_cast<std::size_t>(index)] = {PictureOrigin::NotRead, {}, path};
    reportUnreadable(io, shownPath, read.failure);
    return false;
  }
  return takeDecoded(images, index, io, *read.bytes, Source::Disk, shownPath, onUndecodable);
}

// An archive entry's name as its author wrote it, with "/" between folders
// (the reader hands names over with "\").
std::string shownEntryName(std::string_view name) {
  std::string shown(name);
  for (char& c : shown)
    if (c == '\\') c = '/';
  return shown;
}

// "icon/cheat.bmp" as archives name it: "icon\cheat.bmp".
std::string archiveName(std::string_view fileName) {
  std::string name(fileName);
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

// The settings file of `folder`: the exact name, or else the first entry
// whose name matches it ignoring case (skins copied from FAT media often
// carry "UISETTINGS.INI").
std::filesystem::path findSettingsFile(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exact = fs::path(folder) / "uisettings.ini";
  if (fs::is_regular_file(exact, ec)) return exact;

  std::vector<fs::path> matches;
  for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool same = upperAscii(name) == "UISETTINGS.INI";
    std::error_code typeError;
    if (same && it->is_regular_file(typeError)) matches.push_back(it->path());
  }
  if (matches.empty()) return exact;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

// Where a save puts the skin's files, in the order writeSkinFiles hands
// them over.
struct SkinFileSink {
  std::function<void(std::span<const std::uint8_t>)> settings;
  std::function<void(const SkinImage&)> picture;
  std::function<void()> iconFolder;  // between the root pictures and the icons
};

// The save order and progress steps every kind of save shares: the
// settings file (stamping LastUpdate), the pictures at the root, a step for
// the icon folder, the icons, then 0.
void writeSkinFiles(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const SkinFileSink& sink) {
  sink.settings(writeSkinSettings(model, io.clock));
  for (int i = 0; i < kFirstIconImage; ++i) {
    io.desktop.setProgress(i + 1);
    sink.picture(images[i]);
  }
  io.desktop.setProgress(kFirstIconImage + 1);
  sink.iconFolder();
  for (int i = kFirstIconImage; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 2);
    sink.picture(images[i]);
  }
  io.desktop.setProgress(0);
}

// The folder a saved archive holds the skin in: "Blue/" for "Blue.zip".
// Entry names are flagged as UTF-8, so a file name that is not (this system
// allows any bytes) has each stray byte replaced by U+FFFD.
std::string archiveRootFolder(const std::string& archivePath) {
  const std::string base = std::filesystem::path(archivePath).stem().string();
  if (base.empty()) return {};
  std::string root;
  for (std::size_t at = 0; at < base.size();) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8(base, at, c);
    if (length == 0) {
      appendUtf8(root, U'\uFFFD');
      ++at;
    } else {
      root.append(base, at, length);
      at += length;
    }
  }
  return root + "/";
}

}  // namespace

void resetSkinImages(SkinImageTable& images) {
  for (int i = 0; i < kSkinImageCount; ++i) images[i].picture = builtinSkinPicture(i);
}

void loadImageFile(SkinImageTable& images, int index, const SkinIoContext& io,
                   const std::string& path) {
  if (!isSkinImageEntry(index)) return;
  loadFromDisk(images, index, io, path, nullptr, OnUndecodable::EmptyEntry);
}

void loadSkinFolderImages(SkinImageTable& images, const SkinIoContext& io,
                          const std::string& folder) {
  CaseInsensitiveFolder otherSpellings(folder);
  for (int i = 0; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 1);
    loadFromDisk(images, i, io, folder + std::string(images[i].fileName), &otherSpellings,
                 OnUndecodable::EmptyEntry);
  }
  io.desktop.setProgress(0);
}

void loadImageEntry(SkinImageTable& images, int index, const SkinIoContext& io, ZipArchive& archive,
                    const std::string& entryName) {
  if (!isSkinImageEntry(index)) return;
  const int entry = archive.findEntry(entryName);
  if (entry < 0) {
    if (io.record)
      io.record->pictures[static_cast<std::size_t>(index)] = {
          PictureOrigin::NotRead, {}, entryName};
    reportNotFound(io, shownEntryName(entryName));
    return;
  }
  // An entry that cannot be unpacked is as unusable as one that cannot be
  // decoded.
  const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(entry);
  takeDecoded(images, index, io,
              bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>(),
              Source::Archive, shownEntryName(archive.entryName(entry)), OnUndecodable::EmptyEntry);
}

bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive) {
  std::string root;
  int settingsEntry = -1;
  for (int i = 0; i < archive.entryCount(); ++i) {
    const std::string& name = archive.entryName(i);
    const std::size_t separator = name.rfind('\\');
    const std::size_t filePart = separator == std::string::npos ? 0 : separator + 1;
    if (upperCaseName(std::string_view(name).substr(filePart)) != "UISETTINGS.INI") continue;
    root = name.substr(0, filePart);
    settingsEntry = i;
    if (io.record) io.record->settingsName = name;
    break;
  }
  if (settingsEntry < 0) {
    showError(io, std::string(missingSettingsMessage()));
    return false;
  }
  // A settings entry that cannot be unpacked stops the open before anything
  // changes, saying why.
  const std::optional<std::vector<std::uint8_t>> settings = archive.extract(settingsEntry);
  if (!settings) {
    reportUnreadable(io, shownEntryName(archive.entryName(settingsEntry)),
                     archive.entrySize(settingsEntry) > kMaxZipEntrySize ? ReadFailure::TooLarge
                                                                         : ReadFailure::Unreadable);
    return false;
  }
  if (io.record) {
    io.record->settingsRead = true;
    io.record->settingsBytes = *settings;
    io.record->fromArchive = true;
    io.record->archiveEntries.clear();
    for (int i = 0; i < archive.entryCount(); ++i)
      io.record->archiveEntries.push_back(archive.entryName(i));
  }
  readSkinSettings(model, *settings);
  for (int i = 0; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 1);
    loadImageEntry(images, i, io, archive, root + archiveName(images[i].fileName));
  }
  io.desktop.setProgress(0);
  return true;
}

bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  // Opening a pipe or device would wait for a writer or read without end;
  // such a path counts as an archive that cannot be read.
  std::error_code error;
  if (!std::filesystem::is_regular_file(archivePath, error)) {
    ZipArchive none{std::vector<std::uint8_t>()};
    return openSkinArchive(model, images, io, none);
  }
  removeLeftoversOfArchiveSave(archivePath);
  ZipArchive archive(archivePath);
  return openSkinArchive(model, images, io, archive);
}

bool replaceSkinImageFromFile(SkinImageTable& images, int index, const SkinIoContext& io,
                              const std::string& path) {
  if (!isSkinImageEntry(index)) return false;
  return loadFromDisk(images, index, io, path, nullptr, OnUndecodable::KeepEntry);
}

void removeLeftoversOfFolderSave(const std::string& folder) {
  std::vector<std::string> root{"uisettings.ini"};
  std::vector<std::string> icons;
  for (int i = 0; i < kSkinImageCount; ++i) {
    const std::string_view name = skinImageFileName(i);
    if (i < kFirstIconImage)
      root.emplace_back(name);
    else
      icons.emplace_back(name.substr(name.find('/') + 1));
  }
  removeLeftoverTemporaries(folder, root);
  removeLeftoverTemporaries(folder + "icon/", icons);
}

void removeLeftoversOfArchiveSave(const std::string& archivePath) {
  const std::size_t slash = archivePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : archivePath.substr(0, slash + 1);
  const std::string name = archivePath.substr(folder.size());
  if (name.empty()) return;
  removeLeftoverTemporaries(folder, std::span<const std::string>(&name, 1));
}

bool saveSkinFolder(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const std::string& folder, const FolderSaveProbe& probe) {
  removeLeftoversOfFolderSave(folder);
  // A settings file that cannot be written is said like a picture that
  // cannot: passed over in silence, every edit of colours, positions and
  // texts would be lost while the author believes it saved. The pictures
  // are still saved unless the disk is full.
  FileBatch batch;
  std::vector<std::string> inOrder;
  std::set<std::string> failed;
  bool abandoned = false;
  int staged = 0;
  auto stage = [&](const std::string& path, std::span<const std::uint8_t> bytes) {
    inOrder.push_back(path);
    switch (batch.stage(path, bytes)) {
      case FileBatch::Staged::Done:
        if (probe.staged) probe.staged(++staged);
        return;
      case FileBatch::Staged::NotCreated:
        failed.insert(path);
        return;
      case FileBatch::Staged::WriteFailed:
        // The rest would meet the same full disk; a skin half old, half new
        // is worse than the old one.
        failed.insert(path);
        abandoned = true;
        batch.discard();
        return;
    }
  };
  auto settings = [&](std::span<const std::uint8_t> bytes) {
    stage(folder + "uisettings.ini", bytes);
  };
  auto picture = [&](const SkinImage& image) {
    if (!abandoned) stage(folder + std::string(image.fileName), encodeBmp16(image.picture));
  };
  auto iconFolder = [&] {
    std::error_code ignored;
    if (!abandoned) std::filesystem::create_directory(folder + "icon", ignored);
  };
  writeSkinFiles(model, images, io, {settings, picture, iconFolder});
  if (!abandoned) {
    if (probe.beforeRenames) probe.beforeRenames();
    for (std::string& path : batch.commit()) failed.insert(std::move(path));
  }
  // In save order, whichever phase found them.
  for (const std::string& path : inOrder)
    if (failed.count(path)) reportNotSaved(io, path);
  return failed.empty();
}

bool saveSkinArchive(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  const std::string root = archiveRootFolder(archivePath);
  const std::time_t now = std::time(nullptr);
  removeLeftoversOfArchiveSave(archivePath);
  ZipWriter zip(archivePath);
  auto settings = [&](std::span<const std::uint8_t> bytes) {
    zip.add(root + "uisettings.ini", bytes, now);
  };
  auto picture = [&](const SkinImage& image) {
    // Once the archive is lost, encoding the rest is wasted work.
    if (zip.failed()) return;
    zip.add(root + std::string(image.fileName), encodeBmp16(image.picture), now);
  };
  writeSkinFiles(model, images, io, {settings, picture, [] {}});
  if (zip.finish()) return true;
  reportNotSaved(io, archivePath);
  return false;
}

bool loadSkinFromFolder(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& folder) {
  removeLeftoversOfFolderSave(folder);
  // A settings file that is there but cannot be read is not "missing": the
  // author needs to know whether to look at permissions or at the file.
  const std::filesystem::path settingsPath = findSettingsFile(folder);
  FileRead read = readFileExplained(settingsPath);
  if (read.failure == ReadFailure::Missing) {
    io.desktop.showMessage(io.texts.text("LANG_ERROR$"), std::string(missingSettingsMessage()));
    return false;
  }
  if (!read.bytes) {
    reportUnreadable(io, settingsPath.string(), read.failure);
    return false;
  }
  std::optional<std::vector<std::uint8_t>> bytes = std::move(read.bytes);
  if (io.record) {
    io.record->settingsRead = true;
    io.record->settingsName = settingsPath.string();
    io.record->settingsBytes = *bytes;
  }
  readSkinSettings(model, *bytes);
  bytes.reset();
  loadSkinFolderImages(images, io, folder);
  return true;
}

std::optional<Image> readSkinPictureFile(const std::string& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  return decodeSkinPicture(*bytes, Source::Disk);
}

std::string asFolderPath(std::string path) {
  if (!path.empty() && !path.ends_with('/') && !path.ends_with('\\')) path += '/';
  return path;
}

OpenedSkin openSkinPath(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& path) {
  OpenedSkin opened;
  std::error_code error;
  opened.folder = std::filesystem::is_directory(path, error);
  opened.path = opened.folder ? asFolderPath(path) : path;
  // A recent skin since deleted, or a mistyped argument, is not a skin
  // "without uisettings.ini": it is not there at all.
  if (!std::filesystem::exists(path, error)) {
    reportNotFound(io, path);
    return opened;
  }
  opened.loaded = opened.folder ? loadSkinFromFolder(model, images, io, opened.path)
                                : openSkinArchive(model, images, io, opened.path);
  return opened;
}

std::string pictureFormatName(std::span<const std::uint8_t> bytes) {
  auto startsWith = [&](std::initializer_list<std::uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
  };
  if (startsWith({'B', 'M'})) return "BMP";
  if (startsWith({0x89, 'P', 'N', 'G'})) return "PNG";
  if (startsWith({0xFF, 0xD8})) return "JPEG";
  return "unknown";
}
