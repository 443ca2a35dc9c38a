// POSIX only: pipes and file modes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "base/platform.h"
#include "i18n/interface_texts.h"
#include "imaging/image.h"
#include "skin/settings_file.h"
#include "skin/skin_files.h"
#include "testsupport/fake_core_desktop.h"
#include "testsupport/temp_dir.h"

namespace {

const std::string kStamp = "2010/06/04-09:05:03";
std::string fixedClock() { return kStamp; }

SkinModel defaults() {
  SkinModel model;
  resetSkinModel(model);
  return model;
}

TEST(LoadSkinFromFolder, PipeUnderTheSettingsNameDoesNotBlock) {
  TempDir dir;
  const std::filesystem::path pipe = dir.path() / "uisettings.ini";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model = defaults();
  SkinImageTable images;

  // Should the reader wait for a writer, one turns up after a while so the
  // test ends either way; the elapsed time tells the two apart.
  std::atomic<bool> done = false;
  std::thread rescue([&] {
    for (int i = 0; i < 50 && !done; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (done) return;
    const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(loadSkinFromFolder(model, images, io, dir.folder()));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  done = true;
  rescue.join();
  EXPECT_LT(elapsed, std::chrono::seconds(2));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].body,
            utf8FromPath(pipe) + " : " + texts.text("LANG_FILE_UNREADABLE$"));
  EXPECT_EQ(model.fileHandleMenu.x, 2);
}

TEST(LoadSkinFromFolder, SettingsWithoutReadPermissionSaySo) {
  // Root opens any file whatever its mode.
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  FakeCoreDesktop desktop;
  InterfaceTexts texts;
  SkinIoContext io{desktop, texts, fixedClock};
  SkinModel model;
  SkinImageTable images;
  const std::string path = dir.folder() + "uisettings.ini";
  std::ofstream(path, std::ios::binary) << "[file name]\r\nx=42\r\n";
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  EXPECT_FALSE(loadSkinFromFolder(model, images, io, dir.folder()));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].body, path + " : " + texts.text("LANG_FILE_UNREADABLE$"));
}

}  // namespace
