#include "skin/skin_files.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
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
  std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
  if (!bytes && fallback) {
    if (std::optional<std::string> other = fallback->find(images[index].fileName)) {
      bytes = readWholeFile(*other);
      if (bytes) shownPath = *other;
    }
  }
  if (!bytes) {
    if (io.record)
      io.record->pictures[static_cast<std::size_t>(index)] = {PictureOrigin::NotRead, {}, path};
    reportNotFound(io, path);
    return false;
  }
  return takeDecoded(images, index, io, *bytes, Source::Disk, shownPath, onUndecodable);
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
    reportNotFound(io, entryName);
    return;
  }
  // An entry that cannot be unpacked is as unusable as one that cannot be
  // decoded.
  const std::optional<std::vector<std::uint8_t>> bytes = archive.extract(entry);
  takeDecoded(images, index, io,
              bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>(),
              Source::Archive, entryName, OnUndecodable::EmptyEntry);
}

bool openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive) {
  std::string root;
  std::optional<std::vector<std::uint8_t>> settings;
  for (int i = 0; i < archive.entryCount(); ++i) {
    const std::string& name = archive.entryName(i);
    const std::size_t separator = name.rfind('\\');
    const std::size_t filePart = separator == std::string::npos ? 0 : separator + 1;
    if (upperCaseName(std::string_view(name).substr(filePart)) != "UISETTINGS.INI") continue;
    root = name.substr(0, filePart);
    settings = archive.extract(i);
    if (io.record) io.record->settingsName = name;
    break;
  }
  // A settings entry that cannot be unpacked is reported like a missing one,
  // before anything changes.
  if (!settings) {
    showError(io, std::string(missingSettingsMessage()));
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
  readSkinColors(model, *settings);
  readSkinElements(model, *settings);
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
  ZipArchive archive(archivePath);
  return openSkinArchive(model, images, io, archive);
}

bool replaceSkinImage(SkinImageTable& images, int index, const SkinIoContext& io,
                      const std::string& lastPath) {
  if (!isSkinImageEntry(index)) return false;
  std::string suggested = lastPath;
  if (!suggested.empty() && !suggested.ends_with('/') && !suggested.ends_with('\\'))
    suggested += '/';
  suggested += std::string(images[index].baseName) + ".bmp";
  const std::string chosen = io.desktop.askOpenFile(
      io.texts.text("LANG_REQFILE_LOAD$"), suggested,
      "Bitmap (*.bmp)|*.bmp;*.png;*.jpg|Portable Network Graphic (*.png)|*.png|"
      "JPEG - JFIF Compliant (*.jpg)|*.jpg|",
      0);
  if (chosen.empty()) return false;
  return replaceSkinImageFromFile(images, index, io, chosen);
}

bool replaceSkinImageFromFile(SkinImageTable& images, int index, const SkinIoContext& io,
                              const std::string& path) {
  if (!isSkinImageEntry(index)) return false;
  return loadFromDisk(images, index, io, path, nullptr, OnUndecodable::KeepEntry);
}

bool saveSkinFolder(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const std::string& folder) {
  // A settings file that cannot be written is said like a picture that
  // cannot: passed over in silence, every edit of colours, positions and
  // texts would be lost while the author believes it saved. The pictures
  // are still saved.
  bool complete = true;
  auto settings = [&](std::span<const std::uint8_t> bytes) {
    const std::string path = folder + "uisettings.ini";
    if (writeFileAtomically(path, bytes)) return;
    reportNotSaved(io, path);
    complete = false;
  };
  auto picture = [&](const SkinImage& image) {
    const std::string path = folder + std::string(image.fileName);
    if (writeBmp16(image.picture, path)) return;
    reportNotSaved(io, path);
    complete = false;
  };
  auto iconFolder = [&] {
    std::error_code ignored;
    std::filesystem::create_directory(folder + "icon", ignored);
  };
  writeSkinFiles(model, images, io, {settings, picture, iconFolder});
  return complete;
}

bool saveSkinArchive(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  const std::string root = archiveRootFolder(archivePath);
  const std::time_t now = std::time(nullptr);
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
  // No size limit: a settings file cut to nothing would load as defaults
  // without a word, where a picture cut to nothing is reported as damaged.
  const std::filesystem::path settingsPath = findSettingsFile(folder);
  std::optional<std::vector<std::uint8_t>> bytes =
      readWholeFile(settingsPath, std::numeric_limits<std::uint64_t>::max());
  if (!bytes) {
    io.desktop.showMessage(io.texts.text("LANG_ERROR$"), std::string(missingSettingsMessage()));
    return false;
  }
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

std::string pictureFormatName(std::span<const std::uint8_t> bytes) {
  auto startsWith = [&](std::initializer_list<std::uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
  };
  if (startsWith({'B', 'M'})) return "BMP";
  if (startsWith({0x89, 'P', 'N', 'G'})) return "PNG";
  if (startsWith({0xFF, 0xD8})) return "JPEG";
  return "unknown";
}
