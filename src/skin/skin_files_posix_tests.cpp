// POSIX only: pipes, names that differ only in case (one file on Windows), and
// saves killed in a forked child (skin_files_windows_tests.cpp kills a child
// process on Windows).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>
#include <utility>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/platform.h"
#include "base/zip_archive.h"
#include "i18n/interface_texts.h"
#include "imaging/bmp16.h"
#include "imaging/picture_decoder.h"
#include "skin/builtin_pictures.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/skin_load_record.h"
#include "skin/stored_settings.h"
#include "skin/test_skin_images.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

Image evenPicture(int width, int height, Color fill) { return Image(width, height, fill); }

// Runs a folder save in a child process that ends at the probe's moment as
// a killed one would, without unwinding anything.
void saveKilledAt(SkinModel& model, const SkinImageTable& images, const SkinIoContext& io,
                  const std::string& folder, const FolderSaveProbe& probe) {
  const pid_t child = ::fork();
  if (child == 0) {
    saveSkinFolder(model, images, io, folder, probe);
    ::_exit(3);  // the probe never stopped it
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
}

// Its own suite: the fixture of skin_files_tests.cpp is another class.
class SkinFilesPosix : public SkinImagesTest {};

TEST_F(SkinFilesPosix, PipesAmongTheFilesDoNotHangALoad) {
  // Should a read block on a pipe anyway, this opens its writing end after
  // a while so the test fails instead of hanging.
  auto rescue = [](std::string path) {
    return std::thread([path = std::move(path)] {
      std::this_thread::sleep_for(std::chrono::seconds(2));
      const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
    });
  };
  const std::string archive = dir.folder() + "skin.zip";
  const std::string picture = dir.folder() + "active.bmp";
  ASSERT_EQ(::mkfifo(archive.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(picture.c_str(), 0600), 0);
  std::thread archiveRescuer = rescue(archive), pictureRescuer = rescue(picture);

  const auto start = std::chrono::steady_clock::now();
  openSkinArchive(model, images, io, archive);
  loadImageFile(images, 0, io, picture);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  archiveRescuer.join();
  pictureRescuer.join();

  EXPECT_LT(elapsed, std::chrono::seconds(1));
  EXPECT_EQ(bodies(),
            (std::vector<std::string>{std::string(missingSettingsMessage()),
                                      picture + " : " + texts.text("LANG_FILE_UNREADABLE$")}));
  EXPECT_EQ(images[0].picture.pixels, builtinSkinPicture(0).pixels);
}

TEST_F(SkinFilesPosix, ASaveKilledBeforeItsRenamesKeepsTheOldSkinAndTheNextOpenClearsUp) {
  const std::string folder = dir.folder();
  ASSERT_TRUE(saveSkinFolder(model, images, io, folder));
  // Not ours, though alike: left alone by every clean-up.
  const std::string alive = "active.bmp.tmp-" + std::to_string(::getppid()) + "-0";
  writeBytes(folder + alive, text("a live writer's"));
  writeBytes(folder + "notes.txt.tmp-1-2", text("someone else's"));
  const std::map<std::string, Bytes> old = filesUnder(dir.path());
  makeOwnSkin(model, images);

  FolderSaveProbe betweenPhases;
  betweenPhases.beforeRenames = [] { ::_exit(0); };
  FolderSaveProbe halfWay;
  halfWay.staged = [](int n) {
    if (n == 20) ::_exit(0);
  };
  struct Kill {
    const char* moment;
    FolderSaveProbe probe;
    int temporaries;
  } kills[] = {{"between the phases", betweenPhases, 54},
               {"half-way through writing", halfWay, 20}};
  for (const Kill& kill : kills) {
    saveKilledAt(model, images, io, folder, kill.probe);
    EXPECT_EQ(temporariesUnder(dir.path()), 2 + kill.temporaries) << kill.moment;
    expectOldFilesAfterAKill(old, folder, kill.moment);
  }
  // After a kill, the next save clears up as well, and saves.
  saveKilledAt(model, images, io, folder, kills[0].probe);
  desktop.messages.clear();
  EXPECT_TRUE(saveSkinFolder(model, images, io, folder));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(temporariesUnder(dir.path()), 2);
  EXPECT_EQ(readBytes(folder + "uisettings.ini"), writeSkinSettings(model, io.clock));
  EXPECT_EQ(readBytes(folder + alive), text("a live writer's"));
  EXPECT_EQ(readBytes(folder + "notes.txt.tmp-1-2"), text("someone else's"));
}

TEST_F(SkinFilesPosix, AnArchiveSaveOrOpenClearsUpWhatAKilledSaveLeftBesideIt) {
  const std::string zip = dir.folder() + "Blue.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string left = zip + ".tmp-" + std::to_string(child) + "-4";
  const std::string other = dir.folder() + "Green.zip.tmp-" + std::to_string(child) + "-4";
  for (int pass = 0; pass < 2; ++pass) {
    writeBytes(left, text("PK half an archive"));
    writeBytes(other, text("another archive's"));
    if (pass == 0)
      EXPECT_TRUE(saveSkinArchive(model, images, io, zip));
    else
      EXPECT_TRUE(openSkinArchive(model, images, io, zip));
    EXPECT_FALSE(fs::exists(left)) << pass;
    EXPECT_TRUE(fs::exists(other)) << pass;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SkinFilesPosix, FolderFilesAreMatchedIgnoringCaseButExactNamesComeFirst) {
  fs::create_directory(dir.path() / "ICON");
  writeBytes(dir.folder() + "Active.BMP", encodeBmp16(evenPicture(3, 3, rgb(8, 16, 24))));
  writeBytes(dir.folder() + "btn.bmp", encodeBmp16(evenPicture(2, 2, rgb(40, 40, 40))));
  writeBytes(dir.folder() + "BTN.BMP", encodeBmp16(evenPicture(1, 1, rgb(80, 80, 80))));
  writeBytes(dir.folder() + "ICON/Cheat.Bmp", encodeBmp16(evenPicture(4, 1, rgb(248, 0, 0))));
  loadSkinFolderImages(images, io, dir.folder());
  EXPECT_EQ(images[0].picture.pixels, evenPicture(3, 3, rgb(8, 16, 24)).pixels);
  EXPECT_EQ(images[3].picture.pixels, evenPicture(2, 2, rgb(40, 40, 40)).pixels);
  EXPECT_EQ(images[42].picture.pixels, evenPicture(4, 1, rgb(248, 0, 0)).pixels);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(SkinFilesPosix, PicturesThatAreThereButCannotBeReadAreNotCalledMissing) {
  // Folders stand in for unreadable files: the tests may run as root.
  std::filesystem::create_directories(dir.folder() + "active.bmp");
  std::filesystem::create_directories(dir.folder() + "ICON/Cheat.bmp");
  images[0].picture = evenPicture(1, 1, rgb(8, 8, 8));
  loadSkinFolderImages(images, io, dir.folder());
  const std::string unreadable = " : " + texts.text("LANG_FILE_UNREADABLE$");
  // Under the spelling that is there, not the one asked for; the absent
  // ones are no message.
  EXPECT_EQ(bodies(), (std::vector<std::string>{dir.folder() + "active.bmp" + unreadable,
                                                dir.folder() + "ICON/Cheat.bmp" + unreadable}));
  EXPECT_EQ(images[0].picture.pixels, std::vector<Color>{rgb(8, 8, 8)});
}

TEST_F(SkinFilesPosix, SavingWritesEveryPictureUnderItsExactNameAndLeavesOtherFilesAlone) {
  const std::string folder = dir.folder();
  writeBytes(folder + "uisettings.ini", Bytes(10000, '#'));
  writeBytes(folder + "readme.txt", text("mine"));
  writeBytes(folder + "Active.BMP", text("other spelling"));
  images[4].picture = Image();
  EXPECT_TRUE(saveSkinFolder(model, images, io, folder));

  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(readBytes(folder + "uisettings.ini"), writeSkinSettings(model, io.clock));
  EXPECT_EQ(readBytes(folder + "readme.txt"), text("mine"));
  EXPECT_EQ(readBytes(folder + "Active.BMP"), text("other spelling"));
  EXPECT_EQ(readBytes(folder + "btn3.bmp").size(), 56u);
  for (int i = 0; i < kSkinImageCount; ++i) {
    if (i == 4) continue;
    const std::optional<Image> back =
        readBmp16(readBytes(folder + std::string(images[i].fileName)));
    ASSERT_TRUE(back) << images[i].fileName;
    EXPECT_EQ(back->width, images[i].picture.width);
  }
  std::vector<int> expected;
  for (int k = 1; k <= 54; ++k) expected.push_back(k);
  expected.push_back(0);
  EXPECT_EQ(desktop.progress, expected);
  // Nothing left behind but the skin and the files that were there.
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
    files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 53 + 3);  // with uisettings.ini, readme.txt and Active.BMP
}

}  // namespace
