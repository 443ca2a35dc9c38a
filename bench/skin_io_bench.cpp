// Opening and saving whole skins. The floor is reading the same 53 picture
// files' bytes from disk; a folder open should stay within three times it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/file_io.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "imaging/dither.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

class SilentDesktop : public Desktop {
 public:
  void showMessage(const std::string&, const std::string&) override { ++messages; }
  void setProgress(int) override {}
  int messages = 0;
};

// One skin of 16-bit BMPs at the default sizes, as a folder and as a ZIP.
struct SkinOnDisk {
  TempDir dir;
  std::string folder = dir.folder() + "skin/";
  std::string zip = dir.folder() + "skin.zip";
  std::string saveFolder = dir.folder() + "saved/";
  std::vector<std::string> paths;

  SkinOnDisk() {
    std::filesystem::create_directories(folder + "icon");
    std::filesystem::create_directories(saveFolder);
    SkinModel model;
    resetSkinModel(model);
    const Bytes settings =
        writeSkinSettings(model, [] { return std::string("2024/01/01-00:00:00"); });
    writeBytes(folder + "uisettings.ini", settings);
    std::vector<ZipEntryRecipe> entries = {{"skin/uisettings.ini", settings}};
    for (int i = 0; i < kSkinImageCount; ++i) {
      const std::string name(skinImageFileName(i));
      const Bytes file = encodeBmp16(builtinSkinPicture(i));
      paths.push_back(folder + name);
      writeBytes(paths.back(), file);
      entries.push_back({"skin/" + name, file});
    }
    makeZip(zip, entries);
  }
};

SkinOnDisk& skin() {
  static SkinOnDisk instance;
  return instance;
}

struct Session {
  SilentDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts};
  SkinModel model;
  SkinImageTable images;
  Session() {
    resetSkinModel(model);
    resetSkinImages(images);
  }
};

void BM_ReadSkinFilesFloor(benchmark::State& state) {
  SkinOnDisk& disk = skin();
  for (auto _ : state) {
    std::size_t total = 0;
    for (const std::string& path : disk.paths) total += readWholeFile(path)->size();
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ReadSkinFilesFloor)->Unit(benchmark::kMicrosecond);

void BM_OpenFolderSkin(benchmark::State& state) {
  SkinOnDisk& disk = skin();
  Session session;
  for (auto _ : state) {
    loadSkinFolderImages(session.images, session.io, disk.folder);
    benchmark::DoNotOptimize(session.images[0].picture.pixels.data());
  }
  if (session.desktop.messages != 0) state.SkipWithError("the skin did not open cleanly");
}
BENCHMARK(BM_OpenFolderSkin)->Unit(benchmark::kMicrosecond);

void BM_OpenZipSkin(benchmark::State& state) {
  SkinOnDisk& disk = skin();
  Session session;
  for (auto _ : state) {
    openSkinArchive(session.model, session.images, session.io, disk.zip);
    benchmark::DoNotOptimize(session.images[0].picture.pixels.data());
  }
  if (session.desktop.messages != 0) state.SkipWithError("the archive did not open cleanly");
}
BENCHMARK(BM_OpenZipSkin)->Unit(benchmark::kMicrosecond);

void BM_SaveSkinFolder(benchmark::State& state) {
  SkinOnDisk& disk = skin();
  Session session;
  for (auto _ : state) saveSkinFolder(session.model, session.images, session.io, disk.saveFolder);
  if (session.desktop.messages != 0) state.SkipWithError("the save reported a problem");
}
BENCHMARK(BM_SaveSkinFolder)->Unit(benchmark::kMicrosecond);

// Includes refreshing the 256 x 192 source, a copy of 196 KB.
void BM_Dither15Screen(benchmark::State& state) {
  Image source(256, 192);
  std::mt19937 random(3);
  for (Color& c : source.pixels) c = random() & 0xFFFFFF;
  Image picture = source;
  for (auto _ : state) {
    picture.pixels = source.pixels;
    dither15(picture);
    benchmark::DoNotOptimize(picture.pixels.data());
  }
}
BENCHMARK(BM_Dither15Screen)->Unit(benchmark::kMicrosecond);

}  // namespace
