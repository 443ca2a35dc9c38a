#include "skin/skin_images.h"

#include <filesystem>
#include <optional>

#include "i18n/interface_texts.h"
#include "skin/bmp16.h"
#include "skin/builtin_pictures.h"
#include "skin/dither.h"
#include "skin/file_io.h"
#include "skin/picture_decoder.h"
#include "skin/settings_file.h"
#include "skin/zip_archive.h"

namespace {

struct TableRow {
  std::string_view fileName;
  int width;
  int height;
};

// Load and save order; the sizes are those of the built-in pictures.
constexpr TableRow kTable[kSkinImageCount] = {
    {"active.bmp", 6, 6},           {"activehotkey.bmp", 9, 9},
    {"brightness.bmp", 22, 18},     {"btn.bmp", 47, 14},
    {"btn3.bmp", 39, 14},           {"cardFrame0.bmp", 23, 18},
    {"cardFrame1.bmp", 23, 18},     {"cheat_clearall.bmp", 16, 12},
    {"cheatbg.bmp", 256, 192},      {"cheatmenubtn.bmp", 70, 14},
    {"cheatselectbar.bmp", 203, 1}, {"clock_colon.bmp", 10, 31},
    {"clock_numbers.bmp", 24, 310}, {"close.bmp", 13, 12},
    {"close1.bmp", 20, 13},         {"fathernode.bmp", 11, 10},
    {"form_L.bmp", 28, 116},        {"form_M.bmp", 3, 116},
    {"form_R.bmp", 36, 116},        {"hotkeybk.bmp", 198, 127},
    {"lamp.bmp", 22, 38},           {"lower_screen.bmp", 256, 192},
    {"noactivehotke.bmp", 9, 9},    {"onehotdown.bmp", 11, 10},
    {"onehoton.bmp", 11, 10},       {"pitchdown.bmp", 11, 10},
    {"pitchon.bmp", 11, 10},        {"popsubbar.bmp", 1, 12},
    {"progress_bar.bmp", 102, 12},  {"progress_wnd.bmp", 198, 93},
    {"reBack.bmp", 23, 18},         {"selectbar.bmp", 256, 42},
    {"settingbg.bmp", 198, 104},    {"spin_btn_left.bmp", 8, 14},
    {"spin_btn_right.bmp", 8, 14},  {"start_released.bmp", 58, 20},
    {"startbar.bmp", 256, 20},      {"title_bg.bmp", 2, 16},
    {"title_left.bmp", 56, 16},     {"title_right.bmp", 56, 16},
    {"triangle.bmp", 14, 16},       {"upper_screen.bmp", 256, 192},
    {"icon/cheat.bmp", 15, 16},     {"icon/dpg.bmp", 33, 32},
    {"icon/gba.bmp", 32, 32},       {"icon/nds.bmp", 32, 32},
    {"icon/plg.bmp", 32, 32},       {"icon/pth.bmp", 32, 32},
    {"icon/realtime.bmp", 17, 14},  {"icon/rpth.bmp", 32, 32},
    {"icon/sav.bmp", 32, 32},       {"icon/txt.bmp", 33, 32},
    {"icon/unk.bmp", 8, 14},
};

// Entries before this one lie at the skin root, the rest in "icon/".
constexpr int kFirstIcon = 42;

bool isEntry(int index) { return index >= 0 && index < kSkinImageCount; }

std::string_view baseNameOf(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  if (fileName.ends_with(".bmp")) fileName.remove_suffix(4);
  return fileName;
}

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

void takeDecoded(SkinImageTable& images, int index, const SkinIoContext& io,
                 std::span<const std::uint8_t> bytes, Source source, const std::string& name,
                 OnUndecodable onUndecodable) {
  if (std::optional<Image> picture = decodeSkinPicture(bytes, source)) {
    images[index].picture = std::move(*picture);
    return;
  }
  reportUnknownFormat(io, name);
  if (onUndecodable == OnUndecodable::EmptyEntry) images[index].picture = Image();
}

// `fallback`, when given, finds the file under another spelling of its name
// if `path` (folder + the table's name) does not open.
void loadFromDisk(SkinImageTable& images, int index, const SkinIoContext& io,
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
    reportNotFound(io, path);
    return;
  }
  takeDecoded(images, index, io, *bytes, Source::Disk, shownPath, onUndecodable);
}

// "icon/cheat.bmp" as archives name it: "icon\cheat.bmp".
std::string archiveName(std::string_view fileName) {
  std::string name(fileName);
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}

}  // namespace

SkinImageTable::SkinImageTable() {
  for (int i = 0; i < kSkinImageCount; ++i) {
    entries_[i].fileName = kTable[i].fileName;
    entries_[i].baseName = baseNameOf(kTable[i].fileName);
  }
}

int SkinImageTable::indexOf(std::string_view fileName) {
  for (int i = 0; i < kSkinImageCount; ++i)
    if (kTable[i].fileName == fileName) return i;
  return -1;
}

const Image& SkinImageTable::picture(std::string_view fileName) const {
  static const Image kNone;
  const int index = indexOf(fileName);
  return index < 0 ? kNone : entries_[index].picture;
}

std::string_view skinImageFileName(int index) {
  return isEntry(index) ? kTable[index].fileName : std::string_view{};
}
int skinImageDefaultWidth(int index) { return isEntry(index) ? kTable[index].width : 0; }
int skinImageDefaultHeight(int index) { return isEntry(index) ? kTable[index].height : 0; }

void resetSkinImages(SkinImageTable& images) {
  for (int i = 0; i < kSkinImageCount; ++i) images[i].picture = builtinSkinPicture(i);
}

void loadImageFile(SkinImageTable& images, int index, const SkinIoContext& io,
                   const std::string& path) {
  if (!isEntry(index)) return;
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
  if (!isEntry(index)) return;
  const int entry = archive.findEntry(entryName);
  if (entry < 0) {
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

void openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     ZipArchive& archive) {
  std::string root;
  std::optional<std::vector<std::uint8_t>> settings;
  for (int i = 0; i < archive.entryCount(); ++i) {
    const std::string& name = archive.entryName(i);
    const std::size_t separator = name.rfind('\\');
    const std::size_t filePart = separator == std::string::npos ? 0 : separator + 1;
    if (upperAscii(std::string_view(name).substr(filePart)) != "UISETTINGS.INI") continue;
    root = name.substr(0, filePart);
    settings = archive.extract(i);
    break;
  }
  // A settings entry that cannot be unpacked is reported like a missing one,
  // before anything changes.
  if (!settings) {
    showError(io, std::string(missingSettingsMessage()));
    return;
  }
  readSkinColors(model, *settings);
  readSkinElements(model, *settings);
  for (int i = 0; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 1);
    loadImageEntry(images, i, io, archive, root + archiveName(images[i].fileName));
  }
  io.desktop.setProgress(0);
}

void openSkinArchive(SkinModel& model, SkinImageTable& images, const SkinIoContext& io,
                     const std::string& archivePath) {
  // Opening a pipe or device would wait for a writer or read without end;
  // such a path counts as an archive that cannot be read.
  std::error_code error;
  if (!std::filesystem::is_regular_file(archivePath, error)) {
    ZipArchive none{std::vector<std::uint8_t>()};
    openSkinArchive(model, images, io, none);
    return;
  }
  ZipArchive archive(archivePath);
  openSkinArchive(model, images, io, archive);
}

void replaceSkinImage(SkinImageTable& images, int index, const SkinIoContext& io,
                      const std::string& lastPath) {
  if (!isEntry(index)) return;
  std::string suggested = lastPath;
  if (!suggested.empty() && !suggested.ends_with('/') && !suggested.ends_with('\\'))
    suggested += '/';
  suggested += std::string(images[index].baseName) + ".bmp";
  const std::string chosen = io.desktop.askOpenFile(
      io.texts.text("LANG_REQFILE_LOAD$"), suggested,
      "Bitmap (*.bmp)|*.bmp;*.png;*.jpg|Portable Network Graphic (*.png)|*.png|"
      "JPEG - JFIF Compliant (*.jpg)|*.jpg|",
      0);
  if (chosen.empty()) return;
  loadFromDisk(images, index, io, chosen, nullptr, OnUndecodable::KeepEntry);
}

void saveSkinFolder(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                    const std::string& folder) {
  // A settings file that cannot be written is passed over in silence; the
  // pictures are still saved.
  writeFileAtomically(folder + "uisettings.ini", writeSkinSettings(model, io.clock));

  auto save = [&](int index) {
    const std::string path = folder + std::string(images[index].fileName);
    if (!writeBmp16(images[index].picture, path)) reportNotSaved(io, path);
  };
  for (int i = 0; i < kFirstIcon; ++i) {
    io.desktop.setProgress(i + 1);
    save(i);
  }
  io.desktop.setProgress(kFirstIcon + 1);
  std::error_code ignored;
  std::filesystem::create_directory(folder + "icon", ignored);
  for (int i = kFirstIcon; i < kSkinImageCount; ++i) {
    io.desktop.setProgress(i + 2);
    save(i);
  }
  io.desktop.setProgress(0);
}
