// Opening a skin as authors publish it and saving it elsewhere: 20 of the
// 53 pictures (the rest come from the built-in skin) and 30 files the
// picture table does not name, the later menus' pictures, a calendar
// folder, a read-me and a screenshot.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

class CountingDesktop : public Desktop {
 public:
  void showMessage(const std::string&, const std::string&) override { ++messages; }
  void setProgress(int) override {}
  int messages = 0;
};

Image noise(int width, int height, unsigned seed) {
  Image picture(width, height);
  std::mt19937 random(seed);
  for (Color& c : picture.pixels) c = rgb((random() & 31) * 8, (random() & 31) * 8, 0);
  return picture;
}

struct RealSizedSkin {
  TempDir dir;
  std::string folder = dir.folder() + "Autumn Leaves/";
  std::string savedFolder = dir.folder() + "saved/";
  std::string savedZip = dir.folder() + "saved.zip";

  RealSizedSkin() {
    namespace fs = std::filesystem;
    fs::create_directories(folder + "icon");
    fs::create_directories(folder + "calendar");
    fs::create_directories(savedFolder);
    SkinModel model;
    resetSkinModel(model);
    writeBytes(folder + "uisettings.ini",
               writeSkinSettings(model, [] { return std::string("2024/01/01-00:00:00"); }));
    // The pictures authors change most: backgrounds, bars, the clock and
    // a few icons.
    const int pictures[] = {0,  3,  4,  8,  10, 11, 12, 19, 21, 29,
                            31, 32, 35, 36, 41, 42, 43, 44, 45, 48};
    for (int index : pictures) {
      const Image picture = noise(skinImageDefaultWidth(index), skinImageDefaultHeight(index),
                                  static_cast<unsigned>(index));
      writeBytes(folder + std::string(skinImageFileName(index)), encodeBmp16(picture));
    }
    int seed = 100;
    auto other = [&](const std::string& name, int width, int height) {
      writeBytes(folder + name, encodeBmp16(noise(width, height, static_cast<unsigned>(seed++))));
    };
    other("menu_bg.bmp", 256, 192);
    other("upper_screen_cal5.bmp", 256, 192);
    other("gbaframe.bmp", 256, 192);
    for (const char* name :
         {"btn2.bmp", "btn4.bmp", "folder_up.bmp", "card_icon_blue.bmp", "cross.bmp", "tick.bmp",
          "calendar_no.bmp", "folder_plus.bmp", "folder_minus.bmp", "arrow_up.bmp",
          "arrow_down.bmp", "note.bmp", "scrollbar_t.bmp", "scrollbar_m.bmp", "scrollbar_b.bmp"})
      other(name, 24, 16);
    for (int day = 0; day < 8; ++day) other("calendar/day" + std::to_string(day) + ".bmp", 16, 14);
    writeBytes(folder + "custom.ini", Bytes(2000, 'x'));
    writeBytes(folder + "readme.txt", Bytes(1500, 'r'));
    writeBytes(folder + "preview.jpg", makeJpeg(noise(256, 384, 7)));
    writeBytes(folder + "uisettings.ini.bak", Bytes(3000, 'b'));
  }
};

RealSizedSkin& realSkin() {
  static RealSizedSkin instance;
  return instance;
}

struct Session {
  CountingDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts};
  SkinModel model;
  SkinImageTable images;
  Session() {
    resetSkinModel(model);
    resetSkinImages(images);
  }
};

void BM_OpenAndSaveRealSkinAsFolder(benchmark::State& state) {
  RealSizedSkin& disk = realSkin();
  for (auto _ : state) {
    Session session;
    loadSkinFromFolder(session.model, session.images, session.io, disk.folder);
    saveSkinFolder(session.model, session.images, session.io, disk.savedFolder);
  }
}
BENCHMARK(BM_OpenAndSaveRealSkinAsFolder)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OpenAndSaveRealSkinAsZip(benchmark::State& state) {
  RealSizedSkin& disk = realSkin();
  for (auto _ : state) {
    Session session;
    loadSkinFromFolder(session.model, session.images, session.io, disk.folder);
    saveSkinArchive(session.model, session.images, session.io, disk.savedZip);
  }
}
BENCHMARK(BM_OpenAndSaveRealSkinAsZip)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
