#include "skin/skin_files.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <vector>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/platform.h"
#include "base/zip_archive.h"
#include "base/zip_writer.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_load_record.h"
#include "skin/skin_source.h"
#include "skin/skin_source_files.h"

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

enum class OnUndecodable { EmptyEntry, KeepEntry };

// Most skins carry only the pictures they change: in a whole skin an absent
// picture is the built-in one, without a word (the skin check lists them).
// A file the author chose by name is another matter.
enum class OnMissing { Report, TakeBuiltin };

bool takeDecoded(SkinImageTable& images, int index, const SkinIoContext& io,
                 std::span<const std::uint8_t> bytes, PictureSource source, const std::string& name,
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
                  OnUndecodable onUndecodable, OnMissing onMissing = OnMissing::Report) {
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
    if (read.failure == ReadFailure::Missing && onMissing == OnMissing::TakeBuiltin) {
      images[index].picture = builtinSkinPicture(index);
      return false;
    }
    reportUnreadable(io, shownPath, read.failure);
    return false;
  }
  return takeDecoded(images, index, io, *read.bytes, PictureSource::Folder, shownPath,
                     onUndecodable);
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
std::string findSettingsFile(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string exact = folder + "uisettings.ini";
  if (fs::is_regular_file(pathFromUtf8(exact), ec)) return exact;

  std::vector<std::string> matches;
  for (fs::directory_iterator it(pathFromUtf8(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = utf8FromPath(it->path().filename());
    const bool same = upperAscii(name) == "UISETTINGS.INI";
    std::error_code typeError;
    if (same && it->is_regular_file(typeError)) matches.push_back(folder + name);
  }
  if (matches.empty()) return exact;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

// Where a save puts the skin's files, in the order writeSkinFiles hands
// them over. `stopped` tells when the target is lost, so that the rest
// need not be encoded or read.
struct SkinFileSink {
  std::function<void(std::span<const std::uint8_t>)> settings;
  std::function<void(const SkinImage&, std::span<const std::uint8_t>)> picture;
  std::function<void()> iconFolder;  // between the root pictures and the icons
  std::function<void(const CarriedFile&, std::span<const std::uint8_t>)> carried;
  std::function<bool()> stopped;
};

// A picture's file as saved: its stored bytes when the author left it as
// it was and they are a 16-bit BMP, so that nothing changes that needs not;
// otherwise a 16-bit BMP of it.
std::vector<std::uint8_t> pictureFile(SkinSourceFiles& source, int index, const Image& picture) {
  if (std::optional<std::vector<std::uint8_t>> kept = source.unchangedPicture(index, picture))
    return std::move(*kept);
  return encodeBmp16(picture);
}

// The save order and progress steps every kind of save shares: the
// settings file (stamping LastUpdate), the pictures at the root, a step for
// the icon folder, the icons, then the skin's other files, then 0.
void writeSkinFiles(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    SkinSourceFiles& source, const SkinFileSink& sink) {
  sink.settings(writeSkinSettings(model, io.clock));
  auto picture = [&](int i) {
    if (!sink.stopped()) sink.picture(images[i], pictureFile(source, i, images[i].picture));
  };
  for (int i = 0; i < kFirstIconImage; ++i) {
    io.desktop.setProgress(i + 1);
    picture(i);
  }
  io.desktop.setProgress(kFirstIconImage + 1);
  if (!sink.stopped()) sink.iconFolder();
  for (int i = kFirstIconImage; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 2);
    picture(i);
  }
  for (const CarriedFile& file : source.files()) {
    if (sink.stopped()) break;
    if (file.folder) {
      sink.carried(file, {});
    } else if (std::optional<std::vector<std::uint8_t>> bytes = source.read(file)) {
      sink.carried(file, *bytes);
    }
  }
  io.desktop.setProgress(0);
}

// One message for everything of the skin that stayed behind, after the
// save of the rest.
void reportLost(const SkinIoContext& io, const SkinSourceFiles& source) {
  if (source.lost().empty()) return;
  std::string names;
  for (const std::string& name : source.lost()) names += (names.empty() ? "" : ", ") + name;
  std::string body = io.texts.text("LANG_FILES_NOT_CARRIED$");
  const std::size_t mark = body.find("%1");
  if (mark == std::string::npos)
    body += " " + names;
  else
    body.replace(mark, 2, names);
  showError(io, body);
}

// `name` with every byte that is not well-formed UTF-8 replaced by U+FFFD:
// archive entry names are flagged as UTF-8, while this system allows any
// bytes in a file name.
std::string wellFormedUtf8(std::string_view name) {
  std::string out;
  for (std::size_t at = 0; at < name.size();) {
    char32_t c = 0;
    const std::size_t length = decodeUtf8(name, at, c);
    if (length == 0) {
      appendUtf8(out, U'\uFFFD');
      ++at;
    } else {
      out.append(name, at, length);
      at += length;
    }
  }
  return out;
}

// The folder a saved archive holds the skin in: "Blue/" for "Blue.zip".
std::string archiveRootFolder(const std::string& archivePath) {
  const std::string base = utf8FromPath(pathFromUtf8(archivePath).stem());
  if (base.empty()) return {};
  return wellFormedUtf8(base) + "/";
}

// Temporary files that killed saves left of the carried files in a
// target folder: the ones of the table's names are cleared up apart.
void removeLeftoversOfCarriedFiles(const std::string& folder,
                                   const std::vector<CarriedFile>& files) {
  std::map<std::string, std::vector<std::string>> byFolder;
  for (const CarriedFile& file : files) {
    if (file.folder) continue;
    const std::size_t slash = file.name.rfind('/');
    const std::string parent = slash == std::string::npos ? "" : file.name.substr(0, slash + 1);
    byFolder[parent].push_back(file.name.substr(parent.size()));
  }
  for (const auto& [parent, names] : byFolder) removeLeftoverTemporaries(folder + parent, names);
}

}  // namespace

void resetSkinImages(SkinImageTable& images) {
  for (int i = 0; i < kSkinImageCount; ++i) images[i].picture = builtinSkinPicture(i);
  images.setSource(nullptr);
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
                 OnUndecodable::EmptyEntry, OnMissing::TakeBuiltin);
  }
  io.desktop.setProgress(0);
}

namespace {

void loadEntry(SkinImageTable& images, int index, const SkinIoContext& io, ZipArchive& archive,
               const std::string& entryName, OnMissing onMissing) {
  if (!isSkinImageEntry(index)) return;
  const int entry = archive.findEntry(entryName);
  if (entry < 0) {
    if (io.record)
      io.record->pictures[static_cast<std::size_t>(index)] = {
          PictureOrigin::NotRead, {}, entryName};
    if (onMissing == OnMissing::TakeBuiltin)
      images[index].picture = builtinSkinPicture(index);
    else
      reportNotFound(io, shownEntryName(entryName));
    return;
  }
  // An entry that cannot be unpacked is as unusable as one that cannot be
  // decoded.
  const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(entry);
  takeDecoded(images, index, io,
              bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>(),
              PictureSource::Archive, shownEntryName(archive.entryName(entry)),
              OnUndecodable::EmptyEntry);
}

// The archive open; `path` is where the archive lies, for the saves to read
// it again, or empty for one in memory.
bool openArchiveAt(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                   ZipArchive& archive, const std::string& path) {
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
    loadEntry(images, i, io, archive, root + archiveName(images[i].fileName),
              OnMissing::TakeBuiltin);
  }
  io.desktop.setProgress(0);
  images.setSource(
      std::make_shared<const SkinSource>(SkinSource{SkinSource::Kind::Archive, path, root}));
  return true;
}

}  // namespace

void loadImageEntry(SkinImageTable& images, int index, const SkinIoContext& io, ZipArchive& archive,
                    const std::string& entryName) {
  loadEntry(images, index, io, archive, entryName, OnMissing::Report);
}

bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive) {
  return openArchiveAt(model, images, io, archive, {});
}

bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  // Opening a pipe or device would wait for a writer or read without end;
  // such a path counts as an archive that cannot be read.
  std::error_code error;
  if (!std::filesystem::is_regular_file(pathFromUtf8(archivePath), error)) {
    ZipArchive none{std::vector<std::uint8_t>()};
    return openSkinArchive(model, images, io, none);
  }
  removeLeftoversOfArchiveSave(archivePath);
  ZipArchive archive(archivePath);
  return openArchiveAt(model, images, io, archive, archivePath);
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
  SkinSourceFiles source(images.source().get(), folder, {});
  removeLeftoversOfCarriedFiles(folder, source.files());
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
  auto picture = [&](const SkinImage& image, std::span<const std::uint8_t> bytes) {
    stage(folder + std::string(image.fileName), bytes);
  };
  auto iconFolder = [&] {
    std::error_code ignored;
    std::filesystem::create_directory(pathFromUtf8(folder + "icon"), ignored);
  };
  auto carried = [&](const CarriedFile& file, std::span<const std::uint8_t> bytes) {
    const std::string path = folder + file.name;
    std::error_code error;
    if (file.folder) {
      std::filesystem::create_directories(pathFromUtf8(path), error);
      if (!std::filesystem::is_directory(pathFromUtf8(path), error)) {
        inOrder.push_back(path);
        failed.insert(path);
      }
      return;
    }
    // A folder that cannot be made shows as its file not being saved.
    std::filesystem::create_directories(pathFromUtf8(path).parent_path(), error);
    stage(path, bytes);
  };
  writeSkinFiles(model, images, io, source,
                 {settings, picture, iconFolder, carried, [&] { return abandoned; }});
  if (!abandoned) {
    if (probe.beforeRenames) probe.beforeRenames();
    for (std::string& path : batch.commit()) failed.insert(std::move(path));
  }
  // In save order, whichever phase found them.
  for (const std::string& path : inOrder)
    if (failed.count(path)) reportNotSaved(io, path);
  reportLost(io, source);
  return failed.empty();
}

bool saveSkinArchive(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  const std::string root = archiveRootFolder(archivePath);
  const std::time_t now = std::time(nullptr);
  removeLeftoversOfArchiveSave(archivePath);
  SkinSourceFiles source(images.source().get(), {}, archivePath);
  ZipWriter zip(archivePath);
  auto settings = [&](std::span<const std::uint8_t> bytes) {
    zip.add(root + "uisettings.ini", bytes, now);
  };
  auto picture = [&](const SkinImage& image, std::span<const std::uint8_t> bytes) {
    zip.add(root + std::string(image.fileName), bytes, now);
  };
  auto carried = [&](const CarriedFile& file, std::span<const std::uint8_t> bytes) {
    zip.add(root + wellFormedUtf8(file.name) + (file.folder ? "/" : ""), bytes, now);
  };
  // Once the archive is lost, encoding or reading the rest is wasted work.
  writeSkinFiles(model, images, io, source,
                 {settings, picture, [] {}, carried, [&] { return zip.failed(); }});
  const bool saved = zip.finish();
  if (!saved) reportNotSaved(io, archivePath);
  reportLost(io, source);
  return saved;
}

bool loadSkinFromFolder(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& folder) {
  removeLeftoversOfFolderSave(folder);
  // A settings file that is there but cannot be read is not "missing": the
  // author needs to know whether to look at permissions or at the file.
  const std::string settingsPath = findSettingsFile(folder);
  FileRead read = readFileExplained(settingsPath);
  if (read.failure == ReadFailure::Missing) {
    io.desktop.showMessage(io.texts.text("LANG_ERROR$"), std::string(missingSettingsMessage()));
    return false;
  }
  if (!read.bytes) {
    reportUnreadable(io, settingsPath, read.failure);
    return false;
  }
  std::optional<std::vector<std::uint8_t>> bytes = std::move(read.bytes);
  if (io.record) {
    io.record->settingsRead = true;
    io.record->settingsName = settingsPath;
    io.record->settingsBytes = *bytes;
  }
  readSkinSettings(model, *bytes);
  bytes.reset();
  loadSkinFolderImages(images, io, folder);
  images.setSource(folderSkinSource(folder));
  return true;
}

std::optional<Image> readSkinPictureFile(const std::string& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  return decodeSkinPicture(*bytes, PictureSource::Folder);
}

std::string asFolderPath(std::string path) {
  if (!path.empty() && !path.ends_with('/') && !path.ends_with('\\')) path += '/';
  return path;
}

OpenedSkin openSkinPath(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                        const std::string& path) {
  OpenedSkin opened;
  std::error_code error;
  opened.folder = std::filesystem::is_directory(pathFromUtf8(path), error);
  opened.path = opened.folder ? asFolderPath(path) : path;
  // A recent skin since deleted, or a mistyped argument, is not a skin
  // "without uisettings.ini": it is not there at all.
  if (!std::filesystem::exists(pathFromUtf8(path), error)) {
    reportNotFound(io, path);
    return opened;
  }
  opened.loaded = opened.folder ? loadSkinFromFolder(model, images, io, opened.path)
                                : openSkinArchive(model, images, io, opened.path);
  return opened;
}

std::shared_ptr<const SkinSource> folderSkinSource(const std::string& folder) {
  return std::make_shared<const SkinSource>(
      SkinSource{SkinSource::Kind::Folder, asFolderPath(folder), {}});
}

std::shared_ptr<const SkinSource> archiveSkinSource(const std::string& archivePath) {
  // The reader names entries with "\" between folders.
  return std::make_shared<const SkinSource>(SkinSource{
      SkinSource::Kind::Archive, archivePath, archiveName(archiveRootFolder(archivePath))});
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
