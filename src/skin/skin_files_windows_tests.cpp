// Windows counterparts of skin_files_posix_tests.cpp: a save killed part-way
// runs in a child process (this test program started again) that ends
// itself with TerminateProcess at the chosen moment, as a killed process
// would, without unwinding anything.
#define NOMINMAX
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/file_io.h"
#include "base/platform.h"
#include "i18n/interface_texts.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "skin/skin_images.h"
#include "skin/test_skin_images.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/picture_test_files.h"
#include "testsupport/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr char kKillFolder[] = "SKINSTUDIO_TEST_KILLED_SAVE_FOLDER";
constexpr char kKillMoment[] = "SKINSTUDIO_TEST_KILLED_SAVE_AT";

// The child's half: saves its own skin into the folder it is given and is
// killed at the moment named, either before the renames ("renames") or once
// the n-th file is staged. Disabled, so it runs only when asked for.
TEST(SkinFilesWindowsChild, DISABLED_SaveKilledPartWay) {
  const std::optional<std::string> folder = environmentVariable(kKillFolder);
  const std::optional<std::string> moment = environmentVariable(kKillMoment);
  ASSERT_TRUE(folder && moment);
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, [] { return std::string(kStamp); }};
  SkinModel model;
  SkinImageTable images;
  makeOwnSkin(model, images);
  FolderSaveProbe probe;
  auto die = [] { TerminateProcess(GetCurrentProcess(), 0); };
  if (*moment == "renames") {
    probe.beforeRenames = die;
  } else {
    const int at = std::stoi(*moment);
    probe.staged = [at, die](int n) {
      if (n == at) die();
    };
  }
  saveSkinFolder(model, images, io, *folder, probe);
  ExitProcess(3);  // the probe never stopped it
}

class SkinFilesWindows : public SkinImagesTest {
 protected:
  // Runs the child's half above in a new process; true when it was killed
  // as asked.
  bool saveKilledAt(const std::string& folder, const std::string& moment) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"SKINSTUDIO_TEST_KILLED_SAVE_FOLDER", pathFromUtf8(folder).c_str());
    SetEnvironmentVariableW(L"SKINSTUDIO_TEST_KILLED_SAVE_AT", pathFromUtf8(moment).c_str());
    const ProgramRun run =
        runProgram(utf8FromPath(self),
                   {"--gtest_also_run_disabled_tests", "--gtest_filter=SkinFilesWindowsChild.*"},
                   dir.folder() + "child-out.txt", dir.folder() + "child-err.txt");
    SetEnvironmentVariableW(L"SKINSTUDIO_TEST_KILLED_SAVE_FOLDER", nullptr);
    SetEnvironmentVariableW(L"SKINSTUDIO_TEST_KILLED_SAVE_AT", nullptr);
    fs::remove(pathFromUtf8(dir.folder() + "child-out.txt"));
    fs::remove(pathFromUtf8(dir.folder() + "child-err.txt"));
    return run.exitStatus == 0;
  }
};

TEST_F(SkinFilesWindows, ASaveKilledBeforeItsRenamesKeepsTheOldSkinAndTheNextOpenClearsUp) {
  const std::string folder = dir.folder() + "Sk\xC3\xB6n/";
  fs::create_directories(pathFromUtf8(folder));
  ASSERT_TRUE(saveSkinFolder(model, images, io, folder));
  writeBytes(folder + "notes.txt.tmp-1-2", text("someone else's"));
  const std::map<std::string, Bytes> old = filesUnder(dir.path());
  makeOwnSkin(model, images);

  const struct {
    const char* moment;
    int temporaries;
  } kills[] = {{"renames", 54}, {"20", 20}};
  for (const auto& kill : kills) {
    ASSERT_TRUE(saveKilledAt(folder, kill.moment)) << kill.moment;
    EXPECT_EQ(temporariesUnder(dir.path()), 1 + kill.temporaries) << kill.moment;
    expectOldFilesAfterAKill(old, folder, kill.moment);
  }
  // After a kill, the next save clears up as well, and saves over every
  // old file.
  ASSERT_TRUE(saveKilledAt(folder, "renames"));
  desktop.messages.clear();
  EXPECT_TRUE(saveSkinFolder(model, images, io, folder));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(temporariesUnder(dir.path()), 1);
  EXPECT_EQ(readBytes(folder + "uisettings.ini"), writeSkinSettings(model, io.clock));
  EXPECT_EQ(readBytes(folder + "notes.txt.tmp-1-2"), text("someone else's"));
}

TEST_F(SkinFilesWindows, AnArchiveSaveOrOpenClearsUpWhatAKilledSaveLeftBesideIt) {
  const std::string zip = dir.folder() + "Blue.zip";
  ASSERT_TRUE(saveSkinArchive(model, images, io, zip));
  // The id of a process that has ended.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const ProgramRun ended = runProgram(utf8FromPath(self), {"--gtest_filter=None"},
                                      dir.folder() + "o.txt", dir.folder() + "e.txt");
  ASSERT_EQ(ended.exitStatus, 0);
  const std::string child = std::to_string(ended.process);
  const std::string left = zip + ".tmp-" + child + "-4";
  const std::string other = dir.folder() + "Green.zip.tmp-" + child + "-4";
  for (int pass = 0; pass < 2; ++pass) {
    writeBytes(left, text("PK half an archive"));
    writeBytes(other, text("another archive's"));
    if (pass == 0)
      EXPECT_TRUE(saveSkinArchive(model, images, io, zip));
    else
      EXPECT_TRUE(openSkinArchive(model, images, io, zip));
    EXPECT_FALSE(fs::exists(pathFromUtf8(left))) << pass;
    EXPECT_TRUE(fs::exists(pathFromUtf8(other))) << pass;
  }
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
